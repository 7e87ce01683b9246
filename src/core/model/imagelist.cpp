#include "model/imagelist.h"

#include "support/paths.h"

namespace lumarc {

QString defaultTitle(const QString &path)
{
    return paths::baseName(path);
}

void ImageList::append(ImageItem item, PixelBuffer preview)
{
    if (count() >= m_capacity)
        m_capacity += kGrowth;
    m_items.append(std::move(item));
    m_previews.append(std::move(preview));
}

void ImageList::clear()
{
    m_items.clear();
    m_previews.clear();
}

void ImageList::setCapacity(int capacity)
{
    m_capacity = std::max(capacity, count());
}

bool ImageList::containsPath(const QString &path) const
{
    for (const ImageItem &item : m_items) {
        if (item.path == path)
            return true;
    }
    return false;
}

QString ImageList::makeUniqueOutputName(const QString &candidate) const
{
    QString name = candidate;
    int n = 1;
    bool changed = true;
    while (changed) {
        changed = false;
        for (const ImageItem &item : m_items) {
            if (item.outputName == name) {
                name = candidate + QLatin1Char('_') + QString::number(n++);
                changed = true;
                break;
            }
        }
    }
    return name;
}

} // namespace lumarc
