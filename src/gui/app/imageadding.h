#pragma once

// Adding images to the open project, by the file dialog, a folder or a drop. The checks
// that need no decoding run at once, in the route's order; previews are decoded on workers
// and arrive in any order, and each record is appended in the route's order once its
// preview is in (an image whose preview cannot be made is left out). One add is one undo
// step. Refused duplicates and failed previews are told in one box when the add ends.

#include "gui/editor/projectdocument.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QStringList>

class QWidget;

namespace lumarc::gui {

class PreviewLoader;
class ThumbnailGrid;

class ImageAdding : public QObject {
    Q_OBJECT
public:
    enum class Route { Dialog, Folder, Drop };

    ImageAdding(ProjectDocument &document, ThumbnailGrid &grid, QWidget *window);
    ~ImageAdding() override;

    // The folder the file and folder dialogs start in; each choice moves it.
    QString sourceFolder() const { return m_sourceFolder; }
    void setSourceFolder(const QString &folder) { m_sourceFolder = folder; }

    // The dialog routes ask for the files first; both return at once when nothing was chosen.
    void addFromDialog();
    void addFolder();
    void add(const QStringList &paths, Route route);
    bool isRunning() const { return !m_order.isEmpty(); }
    // Keeps the images whose previews are in and leaves the rest out.
    void stop();

Q_SIGNALS:
    void started(int total, lumarc::gui::ImageAdding::Route route);
    void progressed(int done, const QString &lastFile);
    void ending();  // nothing is pending any more; the add's messages follow
    void finished(int added);

private:
    void previewArrived(quint64 ticket, const QImage &preview);
    void previewFailed(quint64 ticket, const QString &path, bool resizeFailed, const QString &detail);
    void appendFinished();
    void end();

    struct Pending {
        QString path;
        bool finished = false;
        QImage preview;  // null when the preview could not be made
    };

    ProjectDocument &m_document;
    ThumbnailGrid &m_grid;
    QWidget *m_window;
    PreviewLoader *m_loader;
    QString m_sourceFolder;
    QString m_panelText;
    QHash<quint64, Pending> m_pending;  // by ticket
    QList<quint64> m_order;             // the tickets in the route's order
    QStringList m_messages;             // refused duplicates and failed previews
    int m_total = 0;
    int m_added = 0;
    Route m_route = Route::Dialog;
};

}  // namespace lumarc::gui
