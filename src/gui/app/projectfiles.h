#pragma once

// The open project's file: New, Open, the recent projects, Save and Save As with the
// keep-changes question, the watch on the file for changes made by other programs, and the
// text exchange of the image list. Loading a file or starting anew clears the history; a
// save marks the saved step. A file is never written over while another program edits it
// or after another program changed it, unless the user says so.

#include "gui/app/recentprojects.h"
#include "gui/editor/projectdocument.h"
#include "model/urlcollection.h"
#include "storage/filestate.h"

#include <QObject>

#include <functional>

class QFileSystemWatcher;
class QSettings;
class QTimer;
class QWidget;

namespace lumarc::gui {

class ProjectFiles : public QObject {
    Q_OBJECT
public:
    ProjectFiles(ProjectDocument &document, UrlCollection &urls, const QString &dataFolder, QWidget *window);

    // True while adding or building: the file commands wait.
    std::function<bool()> isBusy;

    QString dataFolder() const { return m_dataFolder; }
    // default.zem in the data folder: the look of new projects.
    QString defaultSettingsPath() const;
    RecentProjects &recent() { return m_recent; }

    // Replaces the open project by the file; false (and a message for a damaged file) when
    // it could not be loaded, the open project then stays as it was.
    bool load(const QString &path, bool addToRecent);
    // Writes the project; with askName (or no file yet) a dialog asks for the file first.
    bool save(bool askName);
    // An untitled, empty project with the look of default.zem, or of `settings` without one.
    void startNew(const GallerySettings &settings);
    // Asks about unsaved changes: false when the user cancelled, or a save failed.
    bool askToKeepChanges();
    void open();
    void openRecent(int slot);
    void exportList();
    void importList();

Q_SIGNALS:
    void recentChanged();
    void busy(const QString &text);  // a long synchronous step starts (empty: it ended)

private:
    bool askToOverwriteChanged(const QString &path);
    void watch(const QString &path);
    void fileChanged();

    ProjectDocument &m_document;
    UrlCollection &m_urls;
    QWidget *m_window;
    QString m_dataFolder;
    RecentProjects m_recent;
    QFileSystemWatcher *m_watcher;
    QTimer *m_watchDelay;
    // The open project's file as last loaded or saved here, and as last reported changed.
    FileState m_fileState;
    FileState m_toldState;
    bool m_asking = false;
};

}  // namespace lumarc::gui
