#pragma once

// The one open project of the window, with its file path and whether it changed since it
// was last loaded or saved. Every edit goes through here, so "modified" is decided in one
// place. Previews are not kept here: the grid caches them by image id.

#include "model/project.h"

#include <QList>
#include <QObject>
#include <QString>

namespace lumarc::gui {

class ProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit ProjectDocument(QObject *parent = nullptr);

    const Project &project() const { return m_project; }
    const ImageList &images() const { return m_project.images; }
    int count() const { return m_project.images.count(); }
    const GallerySettings &settings() const { return m_project.settings; }
    QString path() const { return m_path; }
    bool isModified() const { return m_modified; }

    // A new project or a loaded file: every image is new. `modified` when the project
    // already differs from its file (a load that repaired output names).
    void reset(Project project, const QString &path, bool modified = false);
    // The file the project was saved to; clears "modified".
    void markSaved(const QString &path);
    void setSettings(const GallerySettings &settings);

    // Appends a record made by the adding code (it carries its own id).
    void appendImage(const QString &path);
    void replaceImage(int row, const ImageItem &item);
    // Applies `change` to the records at `rows`; one imagesChanged() for all of them.
    void changeImages(const QList<int> &rows, const std::function<void(ImageItem &)> &change);
    void changeAllImages(const std::function<void(ImageItem &)> &change);
    void removeImages(const QList<int> &rows);
    void removeAll();
    // The drag re-order: the rows in their new order (every row once).
    void reorder(const QList<int> &newOrder);
    // Replaces the image list by an imported one (the settings stay).
    void replaceImages(const ImageList &images);

Q_SIGNALS:
    void imagesChanged(const QList<int> &rows);  // texts of these rows changed
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);

private:
    void setModified(bool modified);

    Project m_project;
    QString m_path;
    bool m_modified = false;
};

}  // namespace lumarc::gui
