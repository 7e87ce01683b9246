#include "model/imagelist.h"

#include "model/outputnames.h"
#include "support/paths.h"

namespace lumarc {
namespace {

void addTo(QHash<QString, int> &counts, const QString &key)
{
    ++counts[key];
}

void removeFrom(QHash<QString, int> &counts, const QString &key)
{
    const auto it = counts.find(key);
    if (it != counts.end() && --it.value() == 0)
        counts.erase(it);
}

} // namespace

QString defaultTitle(const QString &path)
{
    return paths::baseName(path);
}

void ImageList::append(ImageItem item, PixelBuffer preview)
{
    if (count() >= m_capacity)
        m_capacity += kGrowth;
    indexItem(item);
    m_items.append(std::move(item));
    m_previews.append(std::move(preview));
}

void ImageList::replace(int index, ImageItem item)
{
    ImageItem &old = m_items[index];
    if (outputNameKey(old.outputName) != outputNameKey(item.outputName))
        m_nextSuffix.clear();
    unindexItem(old);
    indexItem(item);
    old = std::move(item);
}

void ImageList::clear()
{
    m_items.clear();
    m_previews.clear();
    m_pathCount.clear();
    m_nameCount.clear();
    m_nextSuffix.clear();
}

void ImageList::setCapacity(int capacity)
{
    m_capacity = std::max(capacity, count());
}

bool ImageList::containsPath(const QString &path) const
{
    return m_pathCount.contains(path);
}

QString ImageList::makeUniqueOutputName(const QString &candidate) const
{
    return firstFreeOutputName(
        safeOutputNameCandidate(candidate), [this](const QString &key) { return m_nameCount.contains(key); },
        m_nextSuffix);
}

void ImageList::indexItem(const ImageItem &item)
{
    addTo(m_pathCount, item.path);
    addTo(m_nameCount, outputNameKey(item.outputName));
}

void ImageList::unindexItem(const ImageItem &item)
{
    removeFrom(m_pathCount, item.path);
    removeFrom(m_nameCount, outputNameKey(item.outputName));
}

} // namespace lumarc
