#pragma once

// The previews of the open project's images: decoded on workers, visible slides first,
// whenever the document brings images the grid has no preview of (a load, an import, an
// undone removal). A slide whose source file is gone is marked and counted.

#include "gui/editor/projectdocument.h"

#include <QObject>
#include <QSet>

#include <climits>

class QTimer;
class QWidget;

namespace lumarc::gui {

class PreviewLoader;
class ThumbnailGrid;

class ProjectPreviews : public QObject {
    Q_OBJECT
public:
    ProjectPreviews(const ProjectDocument &document, ThumbnailGrid &grid, QWidget *window);
    ~ProjectPreviews() override;

    int wanted() const { return m_wanted; }
    int loaded() const { return m_loaded; }
    int missing() const { return int(m_missing.size()); }
    void stopAndWait();

Q_SIGNALS:
    void countsChanged();

private:
    void loadLacking(bool fresh);
    void load(int from, int to);
    void load(const QList<int> &rows);
    void arrived(quint64 id, const QImage &preview);
    void failed(quint64 id, const QString &path);

    const ProjectDocument &m_document;
    ThumbnailGrid &m_grid;
    QWidget *m_window;
    PreviewLoader *m_loader;
    int m_wanted = 0;
    int m_loaded = 0;
    QSet<ImageId> m_missing;
    QTimer *m_appendedCheck;
    int m_appendedFrom = INT_MAX;  // rows appended since the last look
    int m_appendedTo = 0;
};

}  // namespace lumarc::gui
