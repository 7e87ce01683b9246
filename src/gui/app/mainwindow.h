#pragma once

// The main window: the thumbnail grid of the open project, the item editor beside it, the
// tool row (adding, pictures per row, the build) and the menus. It lays them out, wires the
// views and the commands to the document and its rooms (the project file, adding, the
// image and link commands, previews, the build), keeps the per-user values and closes.

#include "gui/app/imageadding.h"
#include "gui/editor/projectdocument.h"
#include "i18n/strings.h"
#include "model/urlcollection.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSettings;
class QTimer;

namespace lumarc::gui {

class BuildFlow;
class ImageCommands;
class ItemEditor;
class LoadingPanel;
class ProjectFiles;
class ProjectPreviews;
class SettingsDialog;
class ThumbnailGrid;
class ToolRow;
class VerifyLinksDialog;

// The commands of the menus, for the key bindings and the tests.
struct MenuActions {
    QAction *newProject, *openProject, *saveProject, *saveAs, *exit;
    QAction *undo, *redo, *selectAll, *unselectAll, *removeSelected, *removeAll;
    QAction *clearTitles, *titlePrefix, *titleSuffix, *clearTooltips, *tooltipPrefix, *tooltipSuffix, *tooltipFromTitle;
    QAction *linkTextDefault, *linkForAll, *verifyLinks, *exportList, *importList;
    QAction *settings, *language, *about;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    using AddRoute = ImageAdding::Route;

    // `store` holds the per-user values and the recent projects (the user's store in the
    // program, a temporary one in tests).
    explicit MainWindow(std::unique_ptr<QSettings> store, QWidget *parent = nullptr);
    ~MainWindow() override;

    ProjectDocument &document() { return *m_document; }
    ThumbnailGrid &grid() { return *m_grid; }
    ItemEditor &editor() { return *m_editor; }
    SettingsDialog &settingsDialog() { return *m_settingsDialog; }
    const MenuActions &actions() const { return m_actions; }
    const UrlCollection &knownUrls() const { return m_urls; }
    QString sourceFolder() const;
    int picturesPerRow() const;

    // The start-up command line: a .zeb path (any letter case, quotes stripped) is loaded;
    // anything else is ignored.
    void openFromCommandLine(const QString &argument);
    bool loadProject(const QString &path, bool addToRecent);
    bool saveProject(bool askName);
    void newProject();
    void addImages(const QStringList &paths, AddRoute route);
    bool isAdding() const;
    void makeGallery();
    bool isBuilding() const;
    QString relativeBase() const;
    // Tests reach the link verifier of each opening here before it shows.
    void setVerifierHook(std::function<void(VerifyLinksDialog &)> hook);

    // Window-level texts: every caption and tooltip in the current language.
    void retranslate();

Q_SIGNALS:
    void addingFinished(int added);
    void buildFinished(bool succeeded);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void connectSignals();
    void restoreState();
    void writeStateOnClose();

    void refreshCaption();
    void refreshStatus();
    void refreshEnabling();
    void rebuildRecentMenu();
    void showCurrent();
    void rememberUrl(const QString &url);
    void openSettings();
    void settingsClosed();
    void exitFromMenu();

    std::unique_ptr<QSettings> m_store;
    ProjectDocument *m_document;
    ThumbnailGrid *m_grid;
    ItemEditor *m_editor;
    // Kept for the whole run; it shows the document's settings and hands its changes back
    // as one step when it closes.
    SettingsDialog *m_settingsDialog;
    ProjectFiles *m_files;
    ImageAdding *m_adding;
    ProjectPreviews *m_previews;
    ImageCommands *m_commands;
    BuildFlow *m_build;
    UrlCollection m_urls;
    QTimer *m_statusDelay;

    MenuActions m_actions{};
    QList<std::pair<QAction *, i18n::Text>> m_captions;  // every action's caption
    QMenu *m_fileMenu = nullptr;
    QMenu *m_imagesMenu = nullptr;
    QMenu *m_linksMenu = nullptr;
    QList<QAction *> m_recentActions;
    QAction *m_recentSeparator = nullptr;

    ToolRow *m_tools;
    QProgressBar *m_progress;
    LoadingPanel *m_loadingPanel;
    QLabel *m_status;
    bool m_closingFromMenu = false;
    bool m_closeAfterBuild = false;
};

}  // namespace lumarc::gui
