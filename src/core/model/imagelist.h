#pragma once

// The ordered images of the open project with their previews at the same index. The
// capacity grows in steps of 100 like the record arrays of project files written on
// Windows; it is observable only through capacity() and kept for parity with those files.

#include "imaging/pixelbuffer.h"
#include "model/imageitem.h"

#include <QList>

namespace lumarc {

class ImageList {
public:
    static constexpr int kInitialCapacity = 200;
    static constexpr int kGrowth = 100;

    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    int capacity() const { return m_capacity; }

    const ImageItem &at(int index) const { return m_items.at(index); }
    ImageItem &operator[](int index) { return m_items[index]; }
    const PixelBuffer &preview(int index) const { return m_previews.at(index); }
    const QList<ImageItem> &items() const { return m_items; }

    // Appends at index count(), growing the capacity by 100 when it is reached.
    void append(ImageItem item, PixelBuffer preview = {});
    void replace(int index, ImageItem item) { m_items[index] = std::move(item); }
    void setPreview(int index, PixelBuffer preview) { m_previews[index] = std::move(preview); }

    // Empties the list and drops the previews; the capacity is kept.
    void clear();
    // Sets the capacity outright (project load: image_count + 100). Never below count().
    void setCapacity(int capacity);

    // True when an entry has exactly this path (case-sensitive).
    bool containsPath(const QString &path) const;

    // The candidate, else candidate_1, candidate_2, ...: the first name that no entry
    // bears as output name. Each new candidate is compared again with every entry.
    QString makeUniqueOutputName(const QString &candidate) const;

    bool operator==(const ImageList &other) const { return m_items == other.m_items; }

private:
    QList<ImageItem> m_items;
    QList<PixelBuffer> m_previews;
    int m_capacity = kInitialCapacity;
};

} // namespace lumarc
