#pragma once

// The main window: the thumbnail grid of the open project, the item editor beside it, the
// tool row (adding, pictures per row, the build) and the menus. It owns the open project
// (through ProjectDocument), the known link addresses, the recent-projects list and the
// per-user values, restores them when it opens and writes them back when it closes.

#include "generator/gallerybuilder.h"
#include "gui/app/recentprojects.h"
#include "gui/editor/projectdocument.h"
#include "i18n/texts.h"
#include "model/urlcollection.h"
#include "storage/filestate.h"

#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QFileSystemWatcher;
class QTimer;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSettings;

namespace lumarc::gui {

class BuildRunner;
class ItemEditor;
class NumericBox;
class PreviewLoader;
class SettingsDialog;
class VerifyLinksDialog;
class ThumbnailGrid;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `store` holds the per-user values and the recent projects (the user's store in the
    // program, a temporary one in tests).
    explicit MainWindow(std::unique_ptr<QSettings> store, QWidget *parent = nullptr);
    ~MainWindow() override;

    ProjectDocument &document() { return *m_document; }
    ThumbnailGrid &grid() { return *m_grid; }
    ItemEditor &editor() { return *m_editor; }
    const UrlCollection &knownUrls() const { return m_urls; }
    QString sourceFolder() const { return m_sourceFolder; }
    int picturesPerRow() const;

    // The start-up command line: a .zeb path (any letter case, quotes stripped) is loaded;
    // anything else is ignored.
    void openFromCommandLine(const QString &argument);
    // Replaces the open project by the file; false (and a message for a damaged file) when
    // it could not be loaded, the open project then stays as it was.
    bool loadProject(const QString &path, bool addToRecent);
    // Writes the project; with askName (or no file yet) a dialog asks for the file first.
    bool saveProject(bool askName);
    void newProject();

    // The three ways of adding images; each ends once every preview has arrived.
    enum class AddRoute { Dialog, Folder, Drop };
    void addImages(const QStringList &paths, AddRoute route);
    bool isAdding() const { return !m_pendingOrder.isEmpty(); }

    void makeGallery();
    bool isBuilding() const;
    // The folder a relative destination folder lies in.
    QString relativeBase() const;

    // Stores the editor's pending edits into the current image (before anything reads or
    // changes images).
    void commitEditor();
    void showItemInEditor();

    // Tests reach the link verifier of each opening here before it shows.
    std::function<void(VerifyLinksDialog &)> prepareVerifier;

    SettingsDialog &settingsDialog() { return *m_settingsDialog; }

    // Window-level texts: every caption and tooltip in the current language.
    void retranslate();

    // The command behind each menu entry, for the tests and the key bindings.
    QAction *action(const QString &name) const;

Q_SIGNALS:
    void addingFinished(int added);
    void buildFinished(bool succeeded);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void buildTools();
    void connectSignals();
    void restoreState();
    void writeStateOnClose();

    void refreshGrid();
    void refreshCaption();
    void refreshStatus();
    static void addMnemonics(const QList<QAction *> &actions);
    void focusNextPane();
    void refreshEnabling();
    void rebuildRecentMenu();
    void loadAllPreviews();
    void showLoadingPanel(const QString &text);
    void hideLoadingPanel();

    // Images menu
    void selectAllToggle();
    void unselectAll();
    void removeSelected();
    void removeAll();
    void confirmAndChange(i18n::Text caption, const std::function<void(ImageItem &)> &change);
    void prefixOrSuffix(QAction *source, bool title, bool prefix);
    // Links menu
    void setLinkTextToDefault();
    void setLinkForAll();
    void exportList();
    void importList();
    // Grid
    void stepPicture(int direction);
    void moveImages(const QList<int> &indexes, int target);
    void addDialogImages();
    void addFolder();
    void previewArrived(quint64 id, const QImage &preview);
    void previewFailed(quint64 id, const QString &path, bool resizeFailed, const QString &detail);
    void appendFinishedImages();
    void endAdding();
    void stopAdding();
    void rememberUrl(const QString &url);
    bool askToKeepChanges();
    void rememberFileState(const QString &path);
    void projectFileChanged();
    void buildEnded(const lumarc::BuildReport &report);
    bool askEmptying(const QString &folder, const DestinationSurvey &survey);
    void chooseLanguage();
    void collectSettings();
    void showSettings();
    GallerySettings asShown(const GallerySettings &settings);
    void openSettings();
    void verifyLinks();
    void settingsClosed();

    std::unique_ptr<QSettings> m_store;
    ProjectDocument *m_document;
    ThumbnailGrid *m_grid;
    ItemEditor *m_editor;
    PreviewLoader *m_previews;
    BuildRunner *m_build;
    // Kept for the whole run: its controls are the newest copy of the settings until
    // collectSettings() copies them into the project.
    SettingsDialog *m_settingsDialog;
    QFileSystemWatcher *m_watcher;  // the open project's file
    QTimer *m_watchDelay;
    QTimer *m_statusDelay;
    UrlCollection m_urls;
    RecentProjects m_recent;
    QString m_dataFolder;
    QString m_defaultSettingsPath;  // default.zem in the data folder
    QString m_sourceFolder;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_imagesMenu = nullptr;
    QMenu *m_linksMenu = nullptr;
    QList<QAction *> m_recentActions;
    QAction *m_recentSeparator = nullptr;
    QHash<QString, QAction *> m_actions;

    QPushButton *m_addImageButton;
    QPushButton *m_addFolderButton;
    NumericBox *m_perRowBox;
    QCheckBox *m_htmlOnlyCheck;
    QPushButton *m_makeButton;
    QPushButton *m_stopButton;
    QProgressBar *m_progress;
    QLabel *m_loadingPanel;
    QLabel *m_status;
    // The previews of the open project: how many were asked for and have come, and the
    // images whose source files are missing.
    int m_previewsWanted = 0;
    int m_previewsLoaded = 0;
    QSet<ImageId> m_missing;

    // Adding in progress: previews arrive in any order; records are appended in the route's.
    struct PendingAdd {
        QString path;
        bool finished = false;
        QImage preview;  // null when the preview could not be made
    };
    QHash<quint64, PendingAdd> m_pending;  // by ticket
    QList<quint64> m_pendingOrder;         // the tickets in the route's order
    QStringList m_addMessages;             // refused duplicates and failed previews
    int m_added = 0;
    AddRoute m_route = AddRoute::Dialog;
    // The open project's file as last loaded or saved here, and as last reported changed.
    FileState m_fileState;
    FileState m_toldState;
    bool m_askingAboutChange = false;
    bool m_closingFromMenu = false;
    bool m_closeAfterBuild = false;
    int m_buildTotal = 0;
};

}  // namespace lumarc::gui
