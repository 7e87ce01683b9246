#include "gui/app/mainwindow.h"

#include "adding/imageadder.h"
#include "gui/app/buildrunner.h"
#include "gui/app/languagedialog.h"
#include "gui/controls/numericbox.h"
#include "gui/dialogs/aboutdialog.h"
#include "gui/dialogs/filemessage.h"
#include "gui/dialogs/folderdialog.h"
#include "gui/dialogs/inputdialog.h"
#include "gui/dialogs/settingsdialog.h"
#include "gui/dialogs/windowcaption.h"
#include "gui/editor/gridgeometry.h"
#include "gui/editor/itemeditor.h"
#include "gui/editor/previewloader.h"
#include "gui/editor/thumbnailgrid.h"
#include "gui/verify/verifylinksdialog.h"
#include "i18n/messages.h"
#include "i18n/strings.h"
#include "imaging/imageengine.h"
#include "storage/datafolder.h"
#include "storage/editlock.h"
#include "storage/openfile.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"
#include "storage/textexchange.h"
#include "support/paths.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace lumarc::gui {

using i18n::getString;

namespace {

// The message box title of an image's add messages: the program's name.
const QString kProgramName = QStringLiteral("Lumarc");

}  // namespace

MainWindow::MainWindow(std::unique_ptr<QSettings> store, QWidget *parent)
    : QMainWindow(parent), m_store(std::move(store)), m_document(new ProjectDocument(this)), m_grid(new ThumbnailGrid),
      m_editor(new ItemEditor), m_previews(new PreviewLoader(this)), m_build(new BuildRunner(this)),
      m_settingsDialog(new SettingsDialog(this)), m_watcher(new QFileSystemWatcher(this)),
      m_watchDelay(new QTimer(this)), m_statusDelay(new QTimer(this)), m_addImageButton(new QPushButton),
      m_addFolderButton(new QPushButton), m_perRowBox(new NumericBox), m_htmlOnlyCheck(new QCheckBox),
      m_makeButton(new QPushButton), m_stopButton(new QPushButton), m_progress(new QProgressBar),
      m_loadingPanel(new QLabel(this)), m_status(new QLabel)
{
    setObjectName(QStringLiteral("Form1"));
    // Owned by the settings dialog, so that it shows above it.
    m_settingsDialog->setLanguageCommand([this] { runLanguageDialog(*m_store, m_settingsDialog, false); });
    connect(m_settingsDialog, &SettingsDialog::closed, this, &MainWindow::settingsClosed);
    // A writer may touch the file several times: it is looked at once things have settled.
    m_watchDelay->setSingleShot(true);
    m_watchDelay->setInterval(300);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_watchDelay, qOverload<>(&QTimer::start));
    connect(m_watchDelay, &QTimer::timeout, this, &MainWindow::projectFileChanged);
    // Previews arrive by the thousand: the status bar follows them a few times a second.
    m_statusDelay->setSingleShot(true);
    m_statusDelay->setInterval(150);
    connect(m_statusDelay, &QTimer::timeout, this, &MainWindow::refreshStatus);
    imaging::initialise();
    buildTools();
    buildMenus();
    connectSignals();
    restoreState();
    retranslate();  // the caption too
    refreshGrid();  // and what is enabled
    // F6 moves the focus between the grid, the editor and the tool row; Tab keeps its
    // meaning inside the grid.
    auto *nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(nextPane, &QShortcut::activated, this, [this] { focusNextPane(); });
    // The first window fits the screen it opens on, whatever its scaling.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(640, 420)));
    QSize initial(1000, 680);
    if (const QScreen *shown = screen())
        initial = initial.boundedTo(shown->availableGeometry().size() * 0.9).expandedTo(minimumSize());
    resize(initial);
    if (m_store->contains(QStringLiteral("window/geometry")))
        restoreGeometry(m_store->value(QStringLiteral("window/geometry")).toByteArray());
}

MainWindow::~MainWindow()
{
    m_build->stop();
    m_previews->stopAndWait();
}

void MainWindow::buildTools()
{
    m_makeButton->setObjectName(QStringLiteral("cmdMakeGallery"));
    m_stopButton->setObjectName(QStringLiteral("cmdStop"));
    auto *tools = new QHBoxLayout;
    tools->addWidget(m_addImageButton);
    tools->addWidget(m_addFolderButton);
    tools->addSpacing(12);
    m_perRowBox->setRange(1, kMaxSheetSide / kSlideSize);
    m_perRowBox->setAfterString(QString());
    m_perRowBox->setWidths(90, 50, 0);
    tools->addWidget(m_perRowBox);
    tools->addStretch();
    tools->addWidget(m_htmlOnlyCheck);
    tools->addWidget(m_makeButton);
    tools->addWidget(m_stopButton);
    m_stopButton->hide();

    auto *body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    m_editor->setMinimumWidth(330);
    m_editor->setMaximumWidth(420);
    body->addWidget(m_editor);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(tools);
    layout->addLayout(body, 1);
    m_progress->hide();
    layout->addWidget(m_progress);
    setCentralWidget(central);
    statusBar()->addWidget(m_status, 1);

    m_loadingPanel->setAlignment(Qt::AlignCenter);
    m_loadingPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_loadingPanel->setAutoFillBackground(true);
    m_loadingPanel->setMinimumSize(260, 60);
    m_loadingPanel->hide();
}

void MainWindow::buildMenus()
{
    // `owner` is a menu, or the menu bar for the commands that stand on it alone.
    const auto add = [this](auto *owner, const QString &name, auto slot, const QKeySequence &keys = {}) {
        QAction *action = owner->addAction(QString());
        action->setObjectName(name);
        if (!keys.isEmpty())
            action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        m_actions.insert(name, action);
        return action;
    };

    m_fileMenu = menuBar()->addMenu(QString());
    add(
        m_fileMenu, QStringLiteral("mnuNewProject"),
        [this] {
            if (askToKeepChanges())
                newProject();
        },
        QKeySequence::New);
    add(
        m_fileMenu, QStringLiteral("mnuOpenProject"),
        [this] {
            if (!askToKeepChanges())
                return;
            const QString path = QFileDialog::getOpenFileName(this, getString(text::SelectProjectTitle), m_dataFolder,
                                                              qtFilter(getString(text::ProjectOpenFilter)));
            if (!path.isEmpty())
                loadProject(path, true);
        },
        QKeySequence::Open);
    add(
        m_fileMenu, QStringLiteral("mnuSaveProject"), [this] { saveProject(m_document->path().isEmpty()); },
        QKeySequence::Save);
    add(m_fileMenu, QStringLiteral("mnuSaveAs"), [this] { saveProject(true); });
    m_fileMenu->addSeparator();
    for (int slot = 1; slot <= RecentProjects::kMaxRecent; ++slot) {
        QAction *action = m_fileMenu->addAction(QString());
        connect(action, &QAction::triggered, this, [this, slot] {
            if (askToKeepChanges())
                loadProject(m_recent.file(slot), false);
        });
        m_recentActions.append(action);
    }
    m_recentSeparator = m_fileMenu->addSeparator();
    add(
        m_fileMenu, QStringLiteral("mnuExit"),
        [this] {
            // Exit keeps its automatic save, but a save that failed or was cancelled keeps the
            // window open: ending then would lose the edits.
            if (m_document->count() > 0 && !saveProject(m_document->path().isEmpty()))
                return;
            m_closingFromMenu = true;
            close();
        },
        QKeySequence::Quit);

    m_imagesMenu = menuBar()->addMenu(QString());
    add(m_imagesMenu, QStringLiteral("mnuSelectAll"), [this] { selectAllToggle(); });
    add(m_imagesMenu, QStringLiteral("mnuUnselectAll"), [this] { unselectAll(); });
    add(m_imagesMenu, QStringLiteral("mnuRemoveSelected"), [this] { removeSelected(); });
    add(m_imagesMenu, QStringLiteral("mnuRemoveAll"), [this] { removeAll(); });
    m_imagesMenu->addSeparator();
    add(m_imagesMenu, QStringLiteral("mnuClearImageTitles"),
        [this] { confirmAndChange(text::ClearTitlesTitle, [](ImageItem &item) { item.title.clear(); }); });
    add(m_imagesMenu, QStringLiteral("mnuCaptionPrefix"),
        [this] { prefixOrSuffix(action("mnuCaptionPrefix"), true, true); });
    add(m_imagesMenu, QStringLiteral("mnuCaptionSuffix"),
        [this] { prefixOrSuffix(action("mnuCaptionSuffix"), true, false); });
    add(m_imagesMenu, QStringLiteral("mnuClearImageTooltips"),
        [this] { confirmAndChange(text::ClearTooltipsTitle, [](ImageItem &item) { item.tooltip.clear(); }); });
    add(m_imagesMenu, QStringLiteral("mnuTooltipPrefix"),
        [this] { prefixOrSuffix(action("mnuTooltipPrefix"), false, true); });
    add(m_imagesMenu, QStringLiteral("mnuTooltipSuffix"),
        [this] { prefixOrSuffix(action("mnuTooltipSuffix"), false, false); });
    add(m_imagesMenu, QStringLiteral("mnuTooltipEquCaption"),
        [this] { confirmAndChange(text::TooltipFromTitleTitle, [](ImageItem &item) { item.tooltip = item.title; }); });

    m_linksMenu = menuBar()->addMenu(QString());
    add(m_linksMenu, QStringLiteral("mnuLinkCaption"), [this] { setLinkTextToDefault(); });
    add(m_linksMenu, QStringLiteral("mnuSetDefaultLink"), [this] { setLinkForAll(); });
    add(m_linksMenu, QStringLiteral("mnuLink_verify"), [this] { verifyLinks(); });
    // The text exchange commands are kept out of sight, as they always were.
    add(m_linksMenu, QStringLiteral("mnuExport"), [this] { exportList(); })->setVisible(false);
    add(m_linksMenu, QStringLiteral("mnuImport"), [this] { importList(); })->setVisible(false);

    add(menuBar(), QStringLiteral("mnuSettings"), [this] { openSettings(); });
    add(menuBar(), QStringLiteral("mnuLanguage"), [this] { chooseLanguage(); });
    add(menuBar(), QStringLiteral("mnuAbout"), [this] { AboutDialog(this).exec(); });
}

void MainWindow::connectSignals()
{
    connect(m_document, &ProjectDocument::pathChanged, this, &MainWindow::refreshCaption);
    connect(m_document, &ProjectDocument::modifiedChanged, this, &MainWindow::refreshCaption);
    connect(m_grid, &ThumbnailGrid::aboutToChangeSelection, this, &MainWindow::commitEditor);
    connect(m_grid, &ThumbnailGrid::selectionChanged, this, &MainWindow::showItemInEditor);
    connect(m_grid, &ThumbnailGrid::selectionChanged, this, &MainWindow::refreshStatus);
    connect(m_grid, &ThumbnailGrid::moveRequested, this, &MainWindow::moveImages);
    connect(m_grid, &ThumbnailGrid::previousPictureRequested, this, [this] { stepPicture(0); });
    connect(m_grid, &ThumbnailGrid::nextPictureRequested, this, [this] { stepPicture(1); });
    connect(m_grid, &ThumbnailGrid::deleteRequested, this, &MainWindow::removeSelected);
    connect(m_grid, &ThumbnailGrid::selectAllToggleRequested, this, &MainWindow::selectAllToggle);
    connect(m_grid, &ThumbnailGrid::contextMenuRequested, this, [this](const QPoint &at) {
        if (m_document->count() > 0)
            m_imagesMenu->popup(at);
    });
    connect(m_grid, &ThumbnailGrid::filesDropped, this,
            [this](const QStringList &paths) { addImages(paths, AddRoute::Drop); });
    connect(m_grid, &ThumbnailGrid::picturesPerRowChanged, this, [this](int perRow) {
        const QSignalBlocker blocker(m_perRowBox);
        m_perRowBox->setValue(perRow);
    });
    connect(m_perRowBox, &NumericBox::valueChanged, this, [this](int perRow) {
        commitEditor();
        m_grid->setPicturesPerRow(perRow);
        showItemInEditor();
        m_grid->scrollToSlide(m_document->count() - 1);
    });
    connect(m_editor, &ItemEditor::stepRequested, this, [this](int direction) {
        if (m_document->count() > 0 && m_grid->selection().count() == 1) {
            stepPicture(direction);
            m_editor->focusTitle();
        }
    });
    connect(m_editor, &ItemEditor::editingToggled, this, [this] {
        // Fills the fields again from the record: edits typed before unchecking are dropped.
        if (m_grid->selection().count() == 1)
            showItemInEditor();
    });
    connect(m_addImageButton, &QPushButton::clicked, this, &MainWindow::addDialogImages);
    connect(m_addFolderButton, &QPushButton::clicked, this, &MainWindow::addFolder);
    connect(m_makeButton, &QPushButton::clicked, this, &MainWindow::makeGallery);
    connect(m_stopButton, &QPushButton::clicked, m_build, &BuildRunner::stop);
    // Slide tooltips are the titles: they follow every edit.
    connect(m_document, &ProjectDocument::imagesChanged, this, [this](const QList<int> &rows) {
        for (int row : rows)
            m_grid->setToolTipOf(row, m_document->images().at(row).title);
    });

    connect(m_previews, &PreviewLoader::previewReady, this, &MainWindow::previewArrived);
    connect(m_previews, &PreviewLoader::previewFailed, this, &MainWindow::previewFailed);

    m_build->askEmptying = [this](const QString &folder, const DestinationSurvey &survey) {
        return askEmptying(folder, survey);
    };
    connect(m_build, &BuildRunner::phaseStarted, this, &QWidget::setWindowTitle);
    connect(m_build, &BuildRunner::progressed, this, [this](int done, int total, const QString &item) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
        m_progress->setVisible(total > 2);
        setWindowTitle(getString(text::ImageCaptionPrefix) + item);
    });
    connect(m_build, &BuildRunner::finished, this, &MainWindow::buildEnded);
}

void MainWindow::restoreState()
{
    m_dataFolder = dataFolder();
    m_defaultSettingsPath = paths::join(m_dataFolder, QStringLiteral("default.zem"));
    m_settingsDialog->setDataFolder(m_dataFolder);
    m_recent.load(*m_store);
    m_recent.setMaxFileCount(RecentProjects::kMaxRecent);
    m_sourceFolder = readSourceFolder(*m_store, m_dataFolder);
    Project project;
    project.settings = asShown(defaultSettings());
    m_document->reset(project, QString());
    if (Result<UrlCollection> urls = UrlCollection::readFile(paths::join(m_dataFolder, QStringLiteral("urls.txt"))))
        m_urls = std::move(urls).value();
    m_editor->setKnownUrls(m_urls.urls());
    const int perRow = readPicturesPerRow(*m_store);
    const QSignalBlocker blocker(m_perRowBox);
    m_perRowBox->setValue(perRow);
    m_grid->setPicturesPerRow(perRow);
    rebuildRecentMenu();
}

void MainWindow::writeStateOnClose()
{
    writeSettingsFile(m_document->settings(), m_defaultSettingsPath);
    m_urls.writeFile(paths::join(m_dataFolder, QStringLiteral("urls.txt")));
    writeSourceFolder(*m_store, m_sourceFolder);
    writePicturesPerRow(*m_store, picturesPerRow());
    m_recent.save(*m_store);
    m_store->setValue(QStringLiteral("window/geometry"), saveGeometry());
    m_store->sync();
}

int MainWindow::picturesPerRow() const { return m_grid->picturesPerRow(); }

QAction *MainWindow::action(const QString &name) const { return m_actions.value(name); }

// --- captions -------------------------------------------------------------------------

void MainWindow::retranslate()
{
    m_fileMenu->setTitle(getString(text::FileMenu));
    m_imagesMenu->setTitle(getString(text::ImagesMenu));
    m_linksMenu->setTitle(getString(text::LinksMenu));
    const struct {
        const char *name;
        i18n::Text text;
    } texts[] = {
        {"mnuNewProject", text::NewProjectAction},
        {"mnuOpenProject", text::OpenProjectAction},
        {"mnuSaveProject", text::SaveProjectAction},
        {"mnuSaveAs", text::SaveProjectAsAction},
        {"mnuExit", text::ExitAction},
        {"mnuSelectAll", text::SelectAllAction},
        {"mnuUnselectAll", text::UnselectAction},
        {"mnuRemoveSelected", text::RemoveSelectedAction},
        {"mnuRemoveAll", text::RemoveAllAction},
        {"mnuClearImageTitles", text::ClearTitlesAction},
        {"mnuCaptionPrefix", text::TitlePrefixAction},
        {"mnuCaptionSuffix", text::TitleSuffixAction},
        {"mnuClearImageTooltips", text::ClearTooltipsAction},
        {"mnuTooltipPrefix", text::TooltipPrefixAction},
        {"mnuTooltipSuffix", text::TooltipSuffixAction},
        {"mnuTooltipEquCaption", text::TooltipFromTitleAction},
        {"mnuLinkCaption", text::DefaultLinkTextAction},
        {"mnuSetDefaultLink", text::SetDefaultLinkAction},
        {"mnuLink_verify", text::VerifyLinksAction},
        {"mnuExport", text::ExportAction},
        {"mnuImport", text::ImportAction},
        {"mnuSettings", text::SettingsAction},
        {"mnuLanguage", text::LanguageCommand},
        {"mnuAbout", text::AboutAction},
    };
    for (const auto &t : texts)
        m_actions.value(QLatin1String(t.name))->setText(getString(t.text));
    m_addImageButton->setText(getString(text::AddImageButton));
    m_addImageButton->setToolTip(getString(text::AddImageTip));
    m_addFolderButton->setText(getString(text::AddFolderButton));
    m_addFolderButton->setToolTip(getString(text::AddFolderTip));
    m_perRowBox->setBeforeString(getString(text::PicturesPerRowCaption));
    m_htmlOnlyCheck->setText(getString(text::HtmlOnlyCheck));
    m_htmlOnlyCheck->setToolTip(getString(text::HtmlOnlyTip));
    m_makeButton->setText(getString(text::MakeGalleryButton));
    m_makeButton->setToolTip(getString(text::MakeGalleryTip));
    m_stopButton->setText(getString(text::StopButton));
    m_grid->setToolTip(getString(text::ImageGridTip));
    // Alt and a letter open the menus and pick their entries: the string tables have no
    // accelerators, so they are chosen here, in each language anew.
    addMnemonics(menuBar()->actions());
    for (QMenu *menu : {m_fileMenu, m_imagesMenu, m_linksMenu})
        addMnemonics(menu->actions());
    rebuildRecentMenu();
    refreshStatus();
    if (!isBuilding() && !isAdding())
        refreshCaption();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::addMnemonics(const QList<QAction *> &actions)
{
    QSet<QChar> used;
    for (QAction *action : actions) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        QString text = action->text();
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text.at(i).toLower();
            if (letter.isLetter() && !used.contains(letter)) {
                used.insert(letter);
                text.insert(i, QLatin1Char('&'));
                break;
            }
        }
        action->setText(text);
    }
}

void MainWindow::focusNextPane()
{
    const QList<QWidget *> panes = {m_grid, m_editor, m_addImageButton};
    qsizetype current = -1;
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (panes.at(i)->isAncestorOf(focusWidget()) || panes.at(i) == focusWidget())
            current = i;
    for (qsizetype step = 1; step <= panes.size(); ++step) {
        QWidget *pane = panes.at((current + step) % panes.size());
        if (pane == m_editor && !m_editor->isEnabled())
            continue;
        // The editor takes the focus on its first field.
        QWidget *target = pane;
        if (pane == m_editor) {
            for (QWidget *child : m_editor->findChildren<QWidget *>())
                if (child->focusPolicy() & Qt::TabFocus && child->isEnabled() && child->isVisibleTo(m_editor)) {
                    target = child;
                    break;
                }
        }
        target->setFocus(Qt::ShortcutFocusReason);
        return;
    }
}

void MainWindow::refreshStatus()
{
    const QLocale locale;
    QStringList parts{getString(text::ImagesSelectedStatus)
                          .arg(locale.toString(m_document->count()), locale.toString(m_grid->selection().count()))};
    if (m_previewsLoaded < m_previewsWanted)
        parts.append(getString(text::LoadingPreviewsStatus)
                         .arg(locale.toString(m_previewsLoaded), locale.toString(m_previewsWanted)));
    if (!m_missing.isEmpty())
        parts.append(getString(text::SourcesMissingStatus).arg(locale.toString(m_missing.size())));
    m_status->setText(parts.join(QStringLiteral("  \u00b7  ")));
}

void MainWindow::refreshCaption()
{
    setWindowTitle(windowCaption(m_document->path()) + (m_document->isModified() ? QStringLiteral(" *") : QString()));
}

void MainWindow::refreshEnabling()
{
    const bool hasImages = m_document->count() > 0;
    const bool idle = !isBuilding() && !isAdding();
    m_makeButton->setEnabled(hasImages && idle);
    m_imagesMenu->setEnabled(hasImages);
    m_linksMenu->setEnabled(hasImages);
    m_addImageButton->setEnabled(idle);
    m_addFolderButton->setEnabled(idle);
    // The actions themselves, not only the menu: their shortcuts reach them either way.
    for (QAction *action : m_fileMenu->actions())
        action->setEnabled(idle);
    m_actions.value(QStringLiteral("mnuSaveProject"))->setEnabled(idle && (!m_document->path().isEmpty() || hasImages));
    m_actions.value(QStringLiteral("mnuLink_verify"))->setEnabled(idle && hasImages);
    m_actions.value(QStringLiteral("mnuSettings"))->setEnabled(idle);
}

void MainWindow::rebuildRecentMenu()
{
    for (int i = 0; i < m_recentActions.size(); ++i) {
        const int slot = i + 1;
        QAction *action = m_recentActions.at(i);
        action->setVisible(m_recent.fileExists(slot));
        action->setText(m_recent.menuCaption(slot));
        action->setCheckable(true);
        action->setChecked(m_recent.fileExists(slot) && m_recent.file(slot) == m_document->path());
    }
    m_recentSeparator->setVisible(m_recent.fileCount() > 0);
}

void MainWindow::rememberFileState(const QString &path)
{
    m_fileState = FileState::of(path);
    m_toldState = FileState();
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!path.isEmpty())
        m_watcher->addPath(path);
}

// Another program changed the open project's file (the command line's add, a synchronised
// folder). Nothing is lost either way: without unsaved changes the user may load the new
// file; with them, the next save asks before it overwrites.
void MainWindow::projectFileChanged()
{
    const QString path = m_document->path();
    // A file replaced by renaming drops out of the watch: it is watched again.
    if (!path.isEmpty() && !m_watcher->files().contains(path))
        m_watcher->addPath(path);
    if (path.isEmpty() || m_askingAboutChange || isAdding() || isBuilding() || QApplication::activeModalWidget())
        return;
    const FileState now = FileState::of(path);
    if (now == m_fileState || now == m_toldState || !now.exists)
        return;
    m_toldState = now;  // said once per change; a save still asks before it overwrites
    m_askingAboutChange = true;
    const QString changed = getString(text::ProjectChangedElsewhere);
    commitEditor();
    if (!m_document->isModified()) {
        if (fileMessage(this, QMessageBox::Question, path,
                        changed + QLatin1Char(' ') + getString(text::LoadChangedQuestion),
                        QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            loadProject(path, false);
    } else {
        fileMessage(this, QMessageBox::Warning, path,
                    changed + QStringLiteral("\n") + getString(text::ChangesNotSavedYet));
    }
    m_askingAboutChange = false;
}

void MainWindow::showLoadingPanel(const QString &text)
{
    m_loadingPanel->setText(text);
    m_loadingPanel->adjustSize();
    m_loadingPanel->move((width() - m_loadingPanel->width()) / 2, (height() - m_loadingPanel->height()) / 2);
    m_loadingPanel->raise();
    m_loadingPanel->show();
    m_loadingPanel->repaint();
}

void MainWindow::hideLoadingPanel() { m_loadingPanel->hide(); }

// --- grid and editor ---------------------------------------------------------------------

void MainWindow::refreshGrid()
{
    QList<ImageId> ids;
    QStringList titles;
    const ImageList &images = m_document->images();
    ids.reserve(images.count());
    titles.reserve(images.count());
    for (int i = 0; i < images.count(); ++i) {
        ids.append(images.id(i));
        titles.append(images.at(i).title);
    }
    m_grid->setImages(ids, titles);
    for (const ImageId id : std::as_const(m_missing))
        m_grid->setMissing(id, true);
    showItemInEditor();
    refreshEnabling();
    refreshStatus();
}

void MainWindow::commitEditor()
{
    const GridSelection &selection = m_grid->selection();
    if (m_document->count() == 0 || selection.count() != 1 || !m_editor->isEditable())
        return;
    const int row = selection.first();
    if (row < 0 || row >= m_document->count())
        return;
    m_document->replaceImage(row, m_editor->applyTo(m_document->images().at(row)));
    rememberUrl(m_editor->url());
}

// A new address the user typed joins the known ones, as typed; blanks alone do not.
void MainWindow::rememberUrl(const QString &url)
{
    if (!url.trimmed().isEmpty() && m_urls.add(url))
        m_editor->addKnownUrl(url);
}

void MainWindow::showItemInEditor()
{
    const GridSelection &selection = m_grid->selection();
    const int current = selection.first();
    const bool one = selection.count() == 1 && current >= 0 && current < m_document->count();
    m_editor->setImageLinksShown(m_document->settings().addImageLinks == 1);
    m_editor->showItem(selection.count(), one ? &m_document->images().at(current) : nullptr);
}

void MainWindow::stepPicture(int direction)
{
    if (m_document->count() == 0 || m_grid->selection().count() != 1)
        return;
    commitEditor();
    const int target = m_grid->currentIndex() + (direction == 0 ? -1 : 1);
    if (m_grid->selectOnly(target))
        showItemInEditor();
}

void MainWindow::moveImages(const QList<int> &indexes, int target)
{
    commitEditor();
    m_document->reorder(orderAfterMove(GridSelection::of(indexes), target, m_document->count()));
    // The grid moves its own slides and selects the moved block: no layout reset.
    m_grid->moveImages(indexes, target);
    showItemInEditor();
}

void MainWindow::previewArrived(quint64 id, const QImage &preview)
{
    // An image of an add: kept until its record is appended in the route's order.
    if (const auto pending = m_pending.find(id); pending != m_pending.end()) {
        pending->finished = true;
        pending->preview = preview;
        appendFinishedImages();
        return;
    }
    m_grid->setPreview(id, preview);
    ++m_previewsLoaded;
    if (!m_statusDelay->isActive())
        m_statusDelay->start();
}

void MainWindow::previewFailed(quint64 id, const QString &path, bool resizeFailed, const QString &detail)
{
    if (const auto pending = m_pending.find(id); pending != m_pending.end()) {
        pending->finished = true;
        if (resizeFailed)
            m_addMessages.append(path + QStringLiteral(": ") + messages::previewFailed(detail));
        appendFinishedImages();
        return;
    }
    // A slide of the open project whose source is gone is marked, and counted.
    ++m_previewsLoaded;
    if (!QFileInfo::exists(path)) {
        m_missing.insert(id);
        m_grid->setMissing(id, true);
    }
    if (!m_statusDelay->isActive())
        m_statusDelay->start();
}

void MainWindow::loadAllPreviews()
{
    QList<PreviewJob> jobs;
    const ImageList &images = m_document->images();
    // Visible slides first, so the window fills where the user looks.
    const auto range = m_grid->visibleRange();
    QList<int> order;
    for (int i = range.first; i <= range.last && i < images.count(); ++i)
        if (i >= 0)
            order.append(i);
    for (int i = 0; i < images.count(); ++i)
        if (i < range.first || i > range.last)
            order.append(i);
    for (int i : order)
        jobs.append(PreviewJob{images.id(i), images.at(i).path});
    m_previewsWanted = int(jobs.size());
    m_previewsLoaded = 0;
    m_missing.clear();
    refreshStatus();
    m_previews->load(jobs, devicePixelRatioF());
}

// --- adding ------------------------------------------------------------------------------

void MainWindow::addDialogImages()
{
    commitEditor();
    QString filter = qtFilter(imaging::buildImageFileFilter());
    const QStringList files =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Select images"), m_sourceFolder, filter);
    if (files.isEmpty())
        return;
    m_sourceFolder = QFileInfo(files.first()).absolutePath();
    if (files.size() > 1)
        showLoadingPanel(m_addImageButton->text());
    addImages(files, AddRoute::Dialog);
}

void MainWindow::addFolder()
{
    commitEditor();
    const QString folder = chooseFolder(this, getString(text::SelectImageFolderTitle), m_sourceFolder);
    if (folder.isEmpty())
        return;
    m_sourceFolder = folder;
    showLoadingPanel(m_addFolderButton->text());
    addImages(readableImagesIn(folder), AddRoute::Folder);
}

void MainWindow::addImages(const QStringList &paths, AddRoute route)
{
    if (isAdding() || isBuilding())
        return;
    commitEditor();
    m_route = route;
    m_addMessages.clear();
    m_added = 0;
    QSet<QString> batch;
    QList<PreviewJob> jobs;
    // Tickets stand for the images until their records (and ids) exist; they count down from
    // the top so that no record id can equal one.
    static quint64 nextTicket = ~quint64(0);
    for (const QString &path : paths) {
        // The checks need no decoding: they run here, in the route's order.
        const AddOutcome outcome =
            batch.contains(path) ? AddOutcome::Duplicate : checkNewImage(m_document->project(), path);
        if (outcome == AddOutcome::NotReadable)
            continue;
        if (outcome == AddOutcome::Duplicate) {
            m_addMessages.append(messages::duplicateImage(path));
            continue;
        }
        batch.insert(path);
        const quint64 ticket = nextTicket--;
        m_pending.insert(ticket, PendingAdd{path, false, QImage()});
        m_pendingOrder.append(ticket);
        jobs.append(PreviewJob{ticket, path});
    }
    if (jobs.isEmpty()) {
        endAdding();
        return;
    }
    m_progress->setRange(0, int(jobs.size()));
    m_progress->setValue(0);
    m_progress->show();
    refreshEnabling();
    m_previews->load(jobs, devicePixelRatioF());
}

void MainWindow::appendFinishedImages()
{
    // The images at the front of the queue whose previews are in, in the route's order.
    QList<ImageId> ids;
    QStringList titles;
    QList<QImage> previews;
    while (!m_pendingOrder.isEmpty() && m_pending.value(m_pendingOrder.first()).finished) {
        const PendingAdd pending = m_pending.take(m_pendingOrder.takeFirst());
        if (pending.preview.isNull())
            continue;
        m_document->appendImage(pending.path);
        const int row = m_document->count() - 1;
        ids.append(m_document->images().id(row));
        titles.append(m_document->images().at(row).title);
        previews.append(pending.preview);
    }
    m_grid->appendImages(ids, titles);
    for (qsizetype i = 0; i < ids.size(); ++i)
        m_grid->setPreview(ids.at(i), previews.at(i));
    m_added += int(ids.size());
    if (!ids.isEmpty())
        setWindowTitle(getString(text::LoadingImageCaption)
                       + paths::fileName(m_document->images().at(m_document->count() - 1).path));
    m_progress->setValue(m_progress->maximum() - int(m_pendingOrder.size()));
    if (m_pendingOrder.isEmpty())
        endAdding();
}

void MainWindow::stopAdding()
{
    m_previews->stopAndWait();
    // Images whose previews are in are kept, in order; the rest are left out.
    for (auto it = m_pendingOrder.begin(); it != m_pendingOrder.end();) {
        if (m_pending.value(*it).finished) {
            ++it;
        } else {
            m_pending.remove(*it);
            it = m_pendingOrder.erase(it);
        }
    }
    appendFinishedImages();  // which ends the adding, as nothing is pending any more
}

void MainWindow::endAdding()
{
    // The grid is arranged once for the whole add, which also empties the selection.
    commitEditor();
    m_progress->hide();
    hideLoadingPanel();
    refreshGrid();
    refreshCaption();
    m_grid->scrollToSlide(m_document->count() - 1);
    // Refused duplicates and previews that failed: one box for the whole add.
    if (!m_addMessages.isEmpty()) {
        // File names are shown as written: a name with "<" is no markup.
        QMessageBox box(QMessageBox::Information, kProgramName, m_addMessages.join(QStringLiteral("\r\n")),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    if (m_route == AddRoute::Drop)
        QMessageBox::information(this, QString(), messages::imagesAdded(m_added));
    Q_EMIT addingFinished(m_added);
}

// --- project files -------------------------------------------------------------------------

void MainWindow::openFromCommandLine(const QString &argument)
{
    const QString path = QString(argument).replace(QLatin1Char('"'), QLatin1Char(' ')).trimmed();
    if (fileKind(path) == FileKind::Project)
        loadProject(path, true);
}

bool MainWindow::loadProject(const QString &path, bool addToRecent)
{
    commitEditor();
    if (path.isEmpty() || !QFileInfo::exists(path) || isAdding() || isBuilding())
        return false;  // a stale recent entry: nothing is said
    showLoadingPanel(QStringLiteral("Loading..."));
    int renamed = 0;
    Result<Project> loaded = lumarc::loadProject(path, &renamed);
    hideLoadingPanel();
    if (!loaded) {
        showError(this, loaded.error(), path);
        return false;
    }
    m_previews->stopAndWait();
    for (const ImageItem &item : loaded.value().images.items())
        m_urls.add(item.url);
    // Output names the load had to repair make the project differ from its file.
    Project project = std::move(loaded).value();
    project.settings = asShown(project.settings);
    m_document->reset(project, path, renamed > 0);
    rememberFileState(path);
    m_editor->setKnownUrls(m_urls.urls());
    refreshGrid();
    loadAllPreviews();
    if (addToRecent)
        m_recent.addFile(path);
    rebuildRecentMenu();
    refreshCaption();
    return true;
}

bool MainWindow::saveProject(bool askName)
{
    commitEditor();
    collectSettings();
    QString path = m_document->path();
    if (askName || path.isEmpty()) {
        const QString proposed = path.isEmpty() ? m_dataFolder : path;
        path = QFileDialog::getSaveFileName(this, getString(text::SaveProjectAsTitle), proposed,
                                            qtFilter(getString(text::ProjectSaveFilter)));
        if (path.isEmpty()) {
            refreshCaption();
            return false;
        }
        // The Open dialog and the command line know projects by their extension.
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".zeb");
    }
    // The same lock the command line's edits hold, so that a save never overwrites an
    // addition another program is making to the file. It is tried without waiting, so the
    // window never freezes; the user may try again once the other program is done.
    bool overwriteAgreed = false;
    for (;;) {
        // A file changed by another program since it was loaded or saved here is never
        // overwritten unasked.
        const bool ownFile = path == m_document->path() && m_fileState.exists;
        if (ownFile && !overwriteAgreed && FileState::of(path) != m_fileState) {
            QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Cancel, this);
            showAsFileMessage(box, path, getString(text::ProjectChangedElsewhere));
            QAbstractButton *reload = box.addButton(getString(text::ReloadButton), QMessageBox::DestructiveRole);
            QAbstractButton *overwrite = box.addButton(getString(text::OverwriteButton), QMessageBox::AcceptRole);
            box.setDefaultButton(QMessageBox::Cancel);
            box.exec();
            if (box.clickedButton() == reload) {
                loadProject(path, false);
                return false;
            }
            if (box.clickedButton() != overwrite) {
                refreshCaption();
                return false;
            }
            overwriteAgreed = true;
        }
        const auto lock = lockForEditing(path, 0);
        if (!lock && lock.error().code == ErrorCode::Refused) {
            const QMessageBox::StandardButton answer =
                fileMessage(this, QMessageBox::Warning, path, getString(text::ProjectBeingChanged),
                            QMessageBox::Retry | QMessageBox::Cancel);
            if (answer == QMessageBox::Retry)
                continue;
            refreshCaption();
            return false;
        }
        Status error = lock ? lumarc::saveProject(m_document->project(), path) : Status(lock.error());
        if (error) {
            showError(this, *error, path);
            refreshCaption();
            return false;
        }
        break;
    }
    rememberFileState(path);
    m_document->markSaved(path);
    m_recent.addFile(path);
    rebuildRecentMenu();
    refreshCaption();
    refreshEnabling();
    return true;
}

void MainWindow::newProject()
{
    if (isAdding() || isBuilding())
        return;
    m_previews->stopAndWait();
    Project project;
    project.settings = m_document->settings();
    // default.zem, when there is one, gives the new project's look; damage is ignored.
    if (Result<GallerySettings> stored = readSettingsFile(m_defaultSettingsPath))
        project.settings = std::move(stored).value();
    project.settings = asShown(project.settings);
    m_document->reset(project, QString());
    rememberFileState(QString());
    refreshGrid();
    refreshCaption();
    rebuildRecentMenu();
}

void MainWindow::exportList()
{
    commitEditor();
    if (m_document->count() == 0)
        return;
    const QString path = QFileDialog::getSaveFileName(this, getString(text::TextFileTitle), m_dataFolder,
                                                      qtFilter(getString(text::TextFileFilter)));
    if (path.isEmpty())
        return;
    if (Status error = exportTextList(m_document->images(), path))
        showError(this, *error, path);
}

void MainWindow::importList()
{
    if (isAdding() || isBuilding())
        return;
    commitEditor();
    const QString path = QFileDialog::getOpenFileName(this, getString(text::TextFileTitle), m_dataFolder,
                                                      qtFilter(getString(text::TextFileFilter)));
    if (path.isEmpty())
        return;
    Project imported = m_document->project();
    const Result<int> count = importTextList(imported, path);
    if (!count) {
        showError(this, count.error(), path);
        return;
    }
    if (count.value() == 0)
        return;
    m_previews->stopAndWait();
    m_document->replaceImages(imported.images);
    refreshGrid();
    loadAllPreviews();
}

// --- images menu ---------------------------------------------------------------------------

void MainWindow::selectAllToggle()
{
    commitEditor();
    GridSelection selection = m_grid->selection();
    selection.toggleSelectAll(m_document->count());
    m_grid->setSelection(selection);
    showItemInEditor();
}

void MainWindow::unselectAll()
{
    commitEditor();
    m_grid->setSelection(GridSelection());
    showItemInEditor();
}

void MainWindow::removeSelected()
{
    // Removal stores no pending edits first: the removed images' edits would be lost anyway.
    const QList<int> rows = m_grid->selection().indexes();
    if (rows.isEmpty())
        return;
    m_grid->setSelection(GridSelection());
    m_document->removeImages(rows);
    refreshGrid();
}

void MainWindow::removeAll()
{
    // Previews of images that are gone would only be thrown away; an add in progress
    // still waits for its own.
    if (!isAdding())
        m_previews->stopAndWait();
    m_grid->setSelection(GridSelection());
    m_document->removeAll();
    refreshGrid();
    refreshCaption();
}

void MainWindow::confirmAndChange(i18n::Text caption, const std::function<void(ImageItem &)> &change)
{
    commitEditor();
    if (QMessageBox::question(this, getString(caption), getString(text::AreYouSure), QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    m_document->changeImages(m_grid->selection().indexes(), change);
    showItemInEditor();
}

void MainWindow::prefixOrSuffix(QAction *source, bool title, bool prefix)
{
    commitEditor();
    const QString answer = InputDialog::getText(this, source->text(),
                                                prefix ? getString(text::PrefixPrompt) : getString(text::SuffixPrompt));
    if (answer.isEmpty())
        return;
    m_document->changeImages(m_grid->selection().indexes(), [&](ImageItem &item) {
        QString &field = title ? item.title : item.tooltip;
        field = prefix ? answer + field : field + answer;
    });
    showItemInEditor();
}

// --- links menu ----------------------------------------------------------------------------

void MainWindow::setLinkTextToDefault()
{
    if (m_document->count() == 0)
        return;
    commitEditor();
    const QString text = m_document->settings().defaultLinkText;
    m_document->changeAllImages([&](ImageItem &item) { item.linkText = text; });
    showItemInEditor();
}

void MainWindow::setLinkForAll()
{
    commitEditor();
    const QString answer = InputDialog::getText(this, action(QStringLiteral("mnuSetDefaultLink"))->text(),
                                                getString(text::DefaultLinkPrompt));
    if (answer.isEmpty())
        return;
    rememberUrl(answer);
    m_document->changeAllImages([&](ImageItem &item) { item.url = answer; });
    showItemInEditor();
}

// --- the build -----------------------------------------------------------------------------

QString MainWindow::relativeBase() const
{
    // An untitled project has no folder of its own yet: the data folder stands in.
    return m_document->path().isEmpty() ? m_dataFolder : QFileInfo(m_document->path()).absolutePath();
}

bool MainWindow::isBuilding() const { return m_build->isRunning(); }

void MainWindow::makeGallery()
{
    if (isBuilding())
        return;
    showLoadingPanel(m_makeButton->text());
    commitEditor();
    collectSettings();
    if (m_document->count() == 0) {
        hideLoadingPanel();
        QMessageBox::information(this, QString(), getString(text::NoImages));
        return;
    }
    QStringList protectedFiles = {m_defaultSettingsPath};
    if (!m_document->path().isEmpty())
        protectedFiles.append(m_document->path());
    m_stopButton->show();
    m_buildTotal = m_document->count();
    m_build->start(m_document->project(), m_htmlOnlyCheck->isChecked(), protectedFiles, relativeBase());
    refreshEnabling();
}

bool MainWindow::askEmptying(const QString &folder, const DestinationSurvey &survey)
{
    QMessageBox box(QMessageBox::Question, QString(),
                    getString(text::DestinationFolderPrefix) + QStringLiteral("\r\n'")
                        + QDir::toNativeSeparators(folder) + QStringLiteral("'\r\n") + getString(text::NotEmptyProceed),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setTextFormat(Qt::PlainText);  // folder and file names are no markup
    // What goes and what stays, so that nothing is removed unseen.
    const QStringList going = survey.toDelete + survey.toReplace;
    QString details = QString::number(going.size())
                      + (survey.earlierGallery ? getString(text::EarlierFilesDeletedSuffix)
                                               : getString(text::ForeignFilesReplacedSuffix));
    if (!survey.staying.isEmpty())
        details += QLatin1Char('\n') + getString(text::StayAsTheyArePrefix) + survey.staying.join(QStringLiteral(", "));
    box.setInformativeText(details);
    QStringList names;
    for (const QString &file : going)
        names.append(QDir::toNativeSeparators(file));
    box.setDetailedText(names.join(QLatin1Char('\n')));
    return box.exec() == QMessageBox::Yes;
}

void MainWindow::buildEnded(const BuildReport &report)
{
    m_stopButton->hide();
    m_progress->hide();
    hideLoadingPanel();
    refreshCaption();
    refreshEnabling();
    if (report.stopped) {
        // The earlier gallery is gone and the new one is half made: the user must know.
        fileMessage(this, QMessageBox::Warning,
                    resolveDestination(m_document->settings().destinationFolder, relativeBase()),
                    getString(text::BuildStopped).arg(report.imagesProduced).arg(m_buildTotal));
    }
    if (m_closeAfterBuild) {
        // The user closed the window while the build ran: nothing more to show.
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    // A refusal the user gave needs no word; one from another build does.
    if (report.fatal && (report.fatal->code != ErrorCode::Refused || !report.asked))
        showError(this, *report.fatal);
    if (!report.failures.isEmpty() || !report.warnings.isEmpty()) {
        // One box for all failures and warnings (settings replaced, links left out), each
        // with its file or field, instead of one box per image.
        QStringList lines;
        for (const Error &failure : report.failures + report.warnings)
            lines.append(messages::userText(failure)
                             .replace(QStringLiteral("\n\n"), QStringLiteral(": "))
                             .replace(QStringLiteral("\r\n"), QStringLiteral(" "))
                             .replace(QLatin1Char('\n'), QLatin1Char(' ')));
        QMessageBox box(QMessageBox::Critical, QString(), lines.first(), QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        if (lines.size() > 1) {
            box.setInformativeText(getString(text::ProblemCount).arg(lines.size()));
            box.setDetailedText(lines.join(QLatin1Char('\n')));
        }
        box.exec();
    }
    if (!report.firstPage.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(report.firstPage));
    Q_EMIT buildFinished(report.succeeded());
}

// --- language and closing ------------------------------------------------------------------

void MainWindow::chooseLanguage() { runLanguageDialog(*m_store, this, false); }

// --- the settings dialog ---------------------------------------------------------------

void MainWindow::collectSettings() { m_document->setSettings(m_settingsDialog->getValues()); }

// The settings dialog shows a record in a settled form (an unknown alignment as "center",
// the "http://" placeholder as no parent link) and hands that form back. A project takes
// it when it opens, so that the first save or build does not count as a change of its own.
GallerySettings MainWindow::asShown(const GallerySettings &settings)
{
    m_settingsDialog->setValues(settings);
    return m_settingsDialog->getValues();
}

void MainWindow::showSettings() { m_settingsDialog->setValues(m_document->settings()); }

void MainWindow::openSettings()
{
    if (isBuilding() || isAdding())
        return;
    commitEditor();
    SettingsDialog &dialog = *m_settingsDialog;
    dialog.setSourceFolder(m_sourceFolder);
    dialog.setProjectPath(m_document->path());
    dialog.setRelativeBase(relativeBase());
    dialog.exec();
}

void MainWindow::verifyLinks()
{
    if (m_document->count() == 0 || isBuilding() || isAdding())
        return;
    commitEditor();
    collectSettings();
    VerifyLinksDialog dialog(*m_document, m_urls, this);
    if (prepareVerifier)
        prepareVerifier(dialog);
    dialog.exec();
    // The verifier may have changed links, the parent link and the base.
    m_editor->setKnownUrls(m_urls.urls());
    showSettings();
    showItemInEditor();
}

// Closing the dialog is where its values become the record and the next run's defaults.
void MainWindow::settingsClosed()
{
    collectSettings();
    if (Status error = writeSettingsFile(m_document->settings(), m_defaultSettingsPath))
        showError(this, *error, m_defaultSettingsPath, QMessageBox::Warning);
    showItemInEditor();
}

bool MainWindow::askToKeepChanges()
{
    commitEditor();
    if (!m_document->isModified())
        return true;
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, windowCaption(m_document->path()), getString(text::SaveChangesQuestion),
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Save)
        return saveProject(m_document->path().isEmpty());
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A running build stops after its current images; the window closes once it has.
    if (isBuilding()) {
        m_closeAfterBuild = true;
        m_build->stop();
        event->ignore();
        return;
    }
    if (isAdding()) {
        event->ignore();
        if (QMessageBox::question(this, windowCaption(m_document->path()), getString(text::StopAddingQuestion))
            == QMessageBox::Yes) {
            stopAdding();
            QTimer::singleShot(0, this, &QWidget::close);
        }
        return;
    }
    if (!(m_closingFromMenu || askToKeepChanges())) {
        m_closingFromMenu = false;
        m_closeAfterBuild = false;
        event->ignore();
        return;
    }
    m_previews->stopAndWait();
    writeStateOnClose();
    event->accept();
}

}  // namespace lumarc::gui
