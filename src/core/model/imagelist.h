#pragma once

// The ordered images of the open project. Each record gets an id when it is appended, kept
// while it lives in the list and never given to another record of this process, so that
// whoever keeps something per image (the window's previews, a check's result) finds it
// again after rows have moved. The ids are not stored in project files. The capacity grows in steps of 100 like the record arrays of project files written on
// Windows; it is observable only through capacity() and kept for parity with those files.
// Paths and output names are indexed, so that adding a folder or importing a list of
// any length checks each new record in constant time. Entries change only through
// append(), restore(), replace(), rearrange(), truncate() and clear(), which keep the
// indexes.

#include "model/imageitem.h"

#include <QHash>
#include <QList>

namespace lumarc {

using ImageId = quint64;

class ImageList {
public:
    static constexpr int kInitialCapacity = 200;
    static constexpr int kGrowth = 100;

    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    int capacity() const { return m_capacity; }

    const ImageItem &at(int index) const { return m_items.at(index); }
    const QList<ImageItem> &items() const { return m_items; }
    ImageId id(int index) const { return m_ids.at(index); }

    // Appends at index count(), growing the capacity by 100 when it is reached; returns the
    // new record's id.
    ImageId append(ImageItem item);
    // Puts back at the end a record that an undone step took away, with the id it had.
    void restore(ImageItem item, ImageId id);
    // Removes the records from `count` on; the capacity is kept.
    void truncate(int count);
    // The only way to change an entry in place, so that the indexes follow. The id stays.
    void replace(int index, ImageItem item);

    // Keeps the records at the given rows, in the given order, each with its id: a re-order
    // lists every row once, a removal leaves rows out. The capacity is kept.
    void rearrange(const QList<int> &rows);

    // Empties the list; the capacity is kept.
    void clear();
    // Sets the capacity outright (project load: image_count + 100). Never below count().
    void setCapacity(int capacity);

    // True when an entry has exactly this path (case-sensitive).
    bool containsPath(const QString &path) const;

    // The candidate made safe (safeOutputNameCandidate()), else that with _1, _2, ...: the
    // first name that no entry bears as output name, letter case ignored. Not safe to call
    // from two threads on one list: it keeps a memo of the numbers already found taken.
    QString makeUniqueOutputName(const QString &candidate) const;

    bool operator==(const ImageList &other) const { return m_items == other.m_items; }

private:
    void indexItem(const ImageItem &item);
    void unindexItem(const ImageItem &item);

    QList<ImageItem> m_items;
    QList<ImageId> m_ids;
    int m_capacity = kInitialCapacity;
    // Entries per path and per output name key: paths repeat after an import, and names
    // may repeat in a list that is still being loaded.
    QHash<QString, int> m_pathCount;
    QHash<QString, int> m_nameCount;
    // Per candidate key, the first suffix number not yet found taken (firstFreeOutputName()).
    mutable QHash<QString, int> m_nextSuffix;
};

}  // namespace lumarc
