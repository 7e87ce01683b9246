#include "model/imagelist.h"

#include "model/outputnames.h"
#include "support/htmltext.h"
#include "support/paths.h"

#include <atomic>

namespace lumarc {
namespace {

void addTo(QHash<QString, int> &counts, const QString &key) { ++counts[key]; }

void removeFrom(QHash<QString, int> &counts, const QString &key)
{
    const auto it = counts.find(key);
    if (it != counts.end() && --it.value() == 0)
        counts.erase(it);
}

}  // namespace

QString defaultTitle(const QString &path)
{
    // Titles are HTML; a file name is text.
    return htmltext::plainText(paths::baseName(path));
}

ImageId ImageList::append(ImageItem item)
{
    // Unique across every list of the process: a copy of a project handed to a worker keeps
    // the ids of the window's project, and no later record can take one of them.
    static std::atomic<ImageId> lastId{0};
    if (count() >= m_capacity)
        m_capacity += kGrowth;
    indexItem(item);
    m_items.append(std::move(item));
    const ImageId id = ++lastId;
    m_ids.append(id);
    return id;
}

void ImageList::restore(ImageItem item, ImageId id)
{
    if (count() >= m_capacity)
        m_capacity += kGrowth;
    indexItem(item);
    m_items.append(std::move(item));
    m_ids.append(id);
}

void ImageList::truncate(int count)
{
    while (this->count() > std::max(count, 0)) {
        unindexItem(m_items.last());
        m_items.removeLast();
        m_ids.removeLast();
    }
    m_nextSuffix.clear();
}

void ImageList::rearrange(const QList<int> &rows)
{
    QList<ImageItem> items;
    QList<ImageId> ids;
    items.reserve(rows.size());
    ids.reserve(rows.size());
    for (int row : rows) {
        items.append(m_items.at(row));
        ids.append(m_ids.at(row));
    }
    clear();
    for (const ImageItem &item : std::as_const(items))
        indexItem(item);
    m_items = std::move(items);
    m_ids = std::move(ids);
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
    m_ids.clear();
    m_pathCount.clear();
    m_nameCount.clear();
    m_nextSuffix.clear();
}

void ImageList::setCapacity(int capacity) { m_capacity = std::max(capacity, count()); }

bool ImageList::containsPath(const QString &path) const { return m_pathCount.contains(path); }

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

}  // namespace lumarc
