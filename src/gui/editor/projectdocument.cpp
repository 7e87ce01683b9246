#include "gui/editor/projectdocument.h"

#include "adding/imageadder.h"

#include <QSet>

#include <numeric>

namespace lumarc::gui {

ProjectDocument::ProjectDocument(QObject *parent) : QObject(parent) {}

void ProjectDocument::reset(Project project, const QString &path, bool modified)
{
    m_project = std::move(project);
    const bool pathChange = m_path != path;
    m_path = path;
    if (pathChange)
        Q_EMIT pathChanged(m_path);
    setModified(modified);
}

void ProjectDocument::markSaved(const QString &path)
{
    if (m_path != path) {
        m_path = path;
        Q_EMIT pathChanged(m_path);
    }
    setModified(false);
}

void ProjectDocument::setSettings(const GallerySettings &settings)
{
    if (m_project.settings == settings)
        return;
    m_project.settings = settings;
    setModified(true);
}

void ProjectDocument::appendImage(const QString &path)
{
    appendNewImage(m_project, path);
    setModified(true);
}

void ProjectDocument::replaceImage(int row, const ImageItem &item)
{
    if (m_project.images.at(row) == item)
        return;
    m_project.images.replace(row, item);
    Q_EMIT imagesChanged({row});
    setModified(true);
}

void ProjectDocument::changeImages(const QList<int> &rows, const std::function<void(ImageItem &)> &change)
{
    QList<int> changed;
    for (int row : rows) {
        ImageItem item = m_project.images.at(row);
        change(item);
        if (item == m_project.images.at(row))
            continue;
        m_project.images.replace(row, item);
        changed.append(row);
    }
    if (changed.isEmpty())
        return;
    Q_EMIT imagesChanged(changed);
    setModified(true);
}

void ProjectDocument::changeAllImages(const std::function<void(ImageItem &)> &change)
{
    QList<int> all(count());
    std::iota(all.begin(), all.end(), 0);
    changeImages(all, change);
}

void ProjectDocument::removeImages(const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    const QSet<int> removed(rows.begin(), rows.end());
    QList<int> kept;
    for (int row = 0; row < count(); ++row) {
        if (!removed.contains(row))
            kept.append(row);
    }
    m_project.images.rearrange(kept);
    setModified(true);
}

void ProjectDocument::removeAll()
{
    if (count() == 0)
        return;
    m_project.images.clear();
    setModified(true);
}

void ProjectDocument::reorder(const QList<int> &newOrder)
{
    // A drop onto the dragged slides' own place leaves the order as it was: no change.
    bool same = true;
    for (qsizetype i = 0; same && i < newOrder.size(); ++i)
        same = newOrder.at(i) == i;
    if (same)
        return;
    m_project.images.rearrange(newOrder);
    setModified(true);
}

void ProjectDocument::replaceImages(const ImageList &images)
{
    m_project.images = images;
    setModified(true);
}

void ProjectDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(m_modified);
}

}  // namespace lumarc::gui
