#include "gui/app/mainwindow.h"

#include "gui/app/buildflow.h"
#include "gui/app/imagecommands.h"
#include "gui/app/languagedialog.h"
#include "gui/app/projectfiles.h"
#include "gui/app/projectpreviews.h"
#include "gui/app/toolrow.h"
#include "gui/controls/numericbox.h"
#include "gui/controls/windowhelpers.h"
#include "gui/dialogs/aboutdialog.h"
#include "gui/dialogs/filemessage.h"
#include "gui/dialogs/settingsdialog.h"
#include "gui/dialogs/windowcaption.h"
#include "gui/editor/itemeditor.h"
#include "gui/editor/thumbnailgrid.h"
#include "i18n/messages.h"
#include "i18n/strings.h"
#include "imaging/imageengine.h"
#include "storage/datafolder.h"
#include "storage/openfile.h"
#include "storage/settingsfile.h"
#include "support/paths.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
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
#include <QUndoStack>
#include <QVBoxLayout>

namespace lumarc::gui {

using i18n::getString;

MainWindow::MainWindow(std::unique_ptr<QSettings> store, QWidget *parent)
    : QMainWindow(parent), m_store(std::move(store)), m_document(new ProjectDocument(this)), m_grid(new ThumbnailGrid),
      m_editor(new ItemEditor), m_settingsDialog(new SettingsDialog(this)),
      m_files(new ProjectFiles(*m_document, m_urls, dataFolder(), this)),
      m_adding(new ImageAdding(*m_document, *m_grid, this)), m_previews(nullptr),
      m_commands(new ImageCommands(*m_document, *m_grid, m_urls, this)), m_build(new BuildFlow(*m_document, this)),
      m_statusDelay(new QTimer(this)), m_tools(new ToolRow), m_progress(new QProgressBar),
      m_loadingPanel(new LoadingPanel(this)), m_status(new QLabel)
{
    setObjectName(QStringLiteral("Form1"));
    // The views follow the document; the previews look at what the grid lacks, so they come
    // after it.
    m_grid->setDocument(m_document);
    m_editor->setDocument(m_document);
    m_previews = new ProjectPreviews(*m_document, *m_grid, this);
    m_build->setDataFolder(m_files->dataFolder());
    m_build->setStore(m_store.get());
    m_files->isBusy = [this] { return isAdding() || isBuilding(); };
    // Owned by the settings dialog, so that it shows above it.
    m_settingsDialog->setLanguageCommand([this] { runLanguageDialog(*m_store, m_settingsDialog, false); });
    // Previews arrive by the thousand: the status bar follows them a few times a second.
    m_statusDelay->setSingleShot(true);
    m_statusDelay->setInterval(150);
    connect(m_statusDelay, &QTimer::timeout, this, &MainWindow::refreshStatus);
    imaging::initialise();
    buildLayout();
    buildMenus();
    connectSignals();
    restoreState();
    retranslate();
    refreshEnabling();
    // F6 moves the focus between the grid, the editor and the tool row; Tab keeps its
    // meaning inside the grid.
    auto *nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(nextPane, &QShortcut::activated, this, [this] { focusNextPane({m_grid, m_editor, m_tools}); });
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
    // The rooms wait for their workers as they go; the build is told to stop first.
    m_build->stop();
}

void MainWindow::buildLayout()
{
    auto *body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    m_editor->setMinimumWidth(330);
    m_editor->setMaximumWidth(420);
    body->addWidget(m_editor);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_tools);
    layout->addLayout(body, 1);
    m_progress->hide();
    layout->addWidget(m_progress);
    setCentralWidget(central);
    statusBar()->addWidget(m_status, 1);
}

void MainWindow::buildMenus()
{
    // `owner` is a menu, or the menu bar for the commands that stand on it alone.
    const auto add = [this](auto *owner, const char *name, i18n::Text caption, auto slot,
                            const QKeySequence &keys = {}) {
        QAction *action = owner->addAction(QString());
        action->setObjectName(QLatin1String(name));
        m_captions.append({action, caption});
        if (!keys.isEmpty())
            action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    MenuActions &a = m_actions;
    // A step's name is its command's caption without the letter marked for Alt.
    const auto step = [](QAction *action) { return QString(action->text()).remove(QLatin1Char('&')); };

    m_fileMenu = menuBar()->addMenu(QString());
    a.newProject = add(
        m_fileMenu, "mnuNewProject", text::NewProjectAction,
        [this] {
            if (m_files->askToKeepChanges())
                newProject();
        },
        QKeySequence::New);
    a.openProject = add(
        m_fileMenu, "mnuOpenProject", text::OpenProjectAction, [this] { m_files->open(); }, QKeySequence::Open);
    a.saveProject = add(
        m_fileMenu, "mnuSaveProject", text::SaveProjectAction, [this] { saveProject(m_document->path().isEmpty()); },
        QKeySequence::Save);
    a.saveAs = add(m_fileMenu, "mnuSaveAs", text::SaveProjectAsAction, [this] { saveProject(true); });
    m_fileMenu->addSeparator();
    for (int slot = 1; slot <= RecentProjects::kMaxRecent; ++slot) {
        QAction *action = m_fileMenu->addAction(QString());
        connect(action, &QAction::triggered, this, [this, slot] { m_files->openRecent(slot); });
        m_recentActions.append(action);
    }
    m_recentSeparator = m_fileMenu->addSeparator();
    a.exit = add(
        m_fileMenu, "mnuExit", text::ExitAction, [this] { exitFromMenu(); }, QKeySequence::Quit);

    m_imagesMenu = menuBar()->addMenu(QString());
    QUndoStack &history = m_document->history();
    a.undo = add(
        m_imagesMenu, "mnuUndo", text::UndoCommand, [&history] { history.undo(); }, QKeySequence::Undo);
    a.redo = add(m_imagesMenu, "mnuRedo", text::RedoCommand, [&history] { history.redo(); });
    a.redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_imagesMenu->addSeparator();
    ImageCommands *c = m_commands;
    a.selectAll = add(m_imagesMenu, "mnuSelectAll", text::SelectAllAction, [c] { c->selectAllToggle(); });
    a.unselectAll = add(m_imagesMenu, "mnuUnselectAll", text::UnselectAction, [c] { c->unselectAll(); });
    a.removeSelected = add(m_imagesMenu, "mnuRemoveSelected", text::RemoveSelectedAction,
                           [c, &a, step] { c->removeSelected(step(a.removeSelected)); });
    a.removeAll =
        add(m_imagesMenu, "mnuRemoveAll", text::RemoveAllAction, [c, &a, step] { c->removeAll(step(a.removeAll)); });
    m_imagesMenu->addSeparator();
    a.clearTitles = add(m_imagesMenu, "mnuClearImageTitles", text::ClearTitlesAction, [c] {
        c->confirmAndChange(getString(text::ClearTitlesTitle), [](ImageItem &item) { item.title.clear(); });
    });
    a.titlePrefix = add(m_imagesMenu, "mnuCaptionPrefix", text::TitlePrefixAction,
                        [c, &a, step] { c->prefixOrSuffix(step(a.titlePrefix), true, true); });
    a.titleSuffix = add(m_imagesMenu, "mnuCaptionSuffix", text::TitleSuffixAction,
                        [c, &a, step] { c->prefixOrSuffix(step(a.titleSuffix), true, false); });
    a.clearTooltips = add(m_imagesMenu, "mnuClearImageTooltips", text::ClearTooltipsAction, [c] {
        c->confirmAndChange(getString(text::ClearTooltipsTitle), [](ImageItem &item) { item.tooltip.clear(); });
    });
    a.tooltipPrefix = add(m_imagesMenu, "mnuTooltipPrefix", text::TooltipPrefixAction,
                          [c, &a, step] { c->prefixOrSuffix(step(a.tooltipPrefix), false, true); });
    a.tooltipSuffix = add(m_imagesMenu, "mnuTooltipSuffix", text::TooltipSuffixAction,
                          [c, &a, step] { c->prefixOrSuffix(step(a.tooltipSuffix), false, false); });
    a.tooltipFromTitle = add(m_imagesMenu, "mnuTooltipEquCaption", text::TooltipFromTitleAction, [c] {
        c->confirmAndChange(getString(text::TooltipFromTitleTitle), [](ImageItem &item) { item.tooltip = item.title; });
    });

    m_linksMenu = menuBar()->addMenu(QString());
    a.linkTextDefault = add(m_linksMenu, "mnuLinkCaption", text::DefaultLinkTextAction,
                            [c, &a, step] { c->setLinkTextToDefault(step(a.linkTextDefault)); });
    a.linkForAll = add(m_linksMenu, "mnuSetDefaultLink", text::SetDefaultLinkAction,
                       [c, &a, step] { c->setLinkForAll(step(a.linkForAll)); });
    a.verifyLinks = add(m_linksMenu, "mnuLink_verify", text::VerifyLinksAction, [this] {
        if (!isBuilding() && !isAdding())
            m_commands->verifyLinks();
    });
    // The text exchange commands are kept out of sight, as they always were.
    a.exportList = add(m_linksMenu, "mnuExport", text::ExportAction, [this] { m_files->exportList(); });
    a.importList = add(m_linksMenu, "mnuImport", text::ImportAction, [this] { m_files->importList(); });
    a.exportList->setVisible(false);
    a.importList->setVisible(false);

    a.settings = add(menuBar(), "mnuSettings", text::SettingsAction, [this] { openSettings(); });
    a.language =
        add(menuBar(), "mnuLanguage", text::LanguageCommand, [this] { runLanguageDialog(*m_store, this, false); });
    a.about = add(menuBar(), "mnuAbout", text::AboutAction, [this] { AboutDialog(this).exec(); });
}

void MainWindow::connectSignals()
{
    ProjectDocument *document = m_document;
    connect(document, &ProjectDocument::pathChanged, this, &MainWindow::refreshCaption);
    connect(document, &ProjectDocument::pathChanged, this, &MainWindow::rebuildRecentMenu);
    connect(document, &ProjectDocument::modifiedChanged, this, &MainWindow::refreshCaption);
    // The count of images changed. Appends arrive by the thousand during an add: the status
    // follows them a few times a second.
    const auto countChanged = [this] {
        if (!isAdding())
            refreshEnabling();
        if (!m_statusDelay->isActive())
            m_statusDelay->start();
    };
    connect(document, &ProjectDocument::projectReset, this, countChanged);
    connect(document, &ProjectDocument::imagesReplaced, this, countChanged);
    connect(document, &ProjectDocument::imagesRemoved, this, countChanged);
    connect(document, &ProjectDocument::imagesInserted, this, countChanged);
    connect(document, &ProjectDocument::imagesAppended, this, countChanged);
    connect(document, &ProjectDocument::settingsChanged, this, [this] {
        if (!m_settingsDialog->isVisible())
            m_settingsDialog->setValues(m_document->settings());
        m_editor->setImageLinksShown(m_document->settings().addImageLinks == 1);
    });
    QUndoStack &history = m_document->history();
    connect(&history, &QUndoStack::indexChanged, this, &MainWindow::refreshEnabling);
    connect(&history, &QUndoStack::undoTextChanged, this, &MainWindow::retranslate);
    connect(&history, &QUndoStack::redoTextChanged, this, &MainWindow::retranslate);

    connect(m_grid, &ThumbnailGrid::selectionChanged, this, &MainWindow::showCurrent);
    connect(m_grid, &ThumbnailGrid::moveRequested, m_commands, &ImageCommands::move);
    connect(m_grid, &ThumbnailGrid::previousPictureRequested, m_commands, [this] { m_commands->stepPicture(0); });
    connect(m_grid, &ThumbnailGrid::nextPictureRequested, m_commands, [this] { m_commands->stepPicture(1); });
    connect(m_grid, &ThumbnailGrid::deleteRequested, m_actions.removeSelected, &QAction::trigger);
    connect(m_grid, &ThumbnailGrid::selectAllToggleRequested, m_commands, &ImageCommands::selectAllToggle);
    connect(m_grid, &ThumbnailGrid::contextMenuRequested, this, [this](const QPoint &at) {
        if (m_document->count() > 0)
            m_imagesMenu->popup(at);
    });
    connect(m_grid, &ThumbnailGrid::filesDropped, this,
            [this](const QStringList &paths) { addImages(paths, AddRoute::Drop); });
    connect(m_grid, &ThumbnailGrid::picturesPerRowChanged, this, [this](int perRow) {
        const QSignalBlocker blocker(m_tools->perRow);
        m_tools->perRow->setValue(perRow);
    });
    connect(m_tools->perRow, &NumericBox::valueChanged, this, [this](int perRow) {
        m_grid->setPicturesPerRow(perRow);
        m_grid->scrollToSlide(m_document->count() - 1);
    });
    connect(m_editor, &ItemEditor::stepRequested, this, [this](int direction) {
        if (m_document->count() > 0 && m_grid->selection().count() == 1) {
            m_commands->stepPicture(direction);
            m_editor->focusTitle();
        }
    });
    connect(m_editor, &ItemEditor::urlEntered, this, &MainWindow::rememberUrl);
    connect(m_commands, &ImageCommands::urlEntered, this, &MainWindow::rememberUrl);
    connect(m_settingsDialog, &SettingsDialog::closed, this, &MainWindow::settingsClosed);

    connect(m_files, &ProjectFiles::recentChanged, this, &MainWindow::rebuildRecentMenu);
    connect(m_files, &ProjectFiles::busy, m_loadingPanel, &LoadingPanel::showText);
    connect(m_previews, &ProjectPreviews::countsChanged, m_statusDelay, [this] {
        if (!m_statusDelay->isActive())
            m_statusDelay->start();
    });

    // Both buttons are disabled while adding or building.
    connect(m_tools->addImage, &QPushButton::clicked, m_adding, &ImageAdding::addFromDialog);
    connect(m_tools->addFolder, &QPushButton::clicked, m_adding, &ImageAdding::addFolder);
    connect(m_adding, &ImageAdding::started, this, [this](int total, AddRoute route) {
        if (route == AddRoute::Folder || (route == AddRoute::Dialog && total > 1))
            m_loadingPanel->showText((route == AddRoute::Folder ? m_tools->addFolder : m_tools->addImage)->text());
        m_progress->setRange(0, total);
        m_progress->setValue(0);
        m_progress->show();
        refreshEnabling();
    });
    connect(m_adding, &ImageAdding::progressed, this, [this](int done, const QString &lastFile) {
        m_progress->setValue(done);
        if (!lastFile.isEmpty())
            setWindowTitle(getString(text::LoadingImageCaption) + lastFile);
    });
    connect(m_adding, &ImageAdding::ending, this, [this] {
        // The grid is arranged once for the whole add, which also empties the selection.
        m_progress->hide();
        m_loadingPanel->showText(QString());
        m_grid->rearrange();
        refreshCaption();
        refreshEnabling();
    });
    connect(m_adding, &ImageAdding::finished, this, &MainWindow::addingFinished);

    connect(m_tools->make, &QPushButton::clicked, this, &MainWindow::makeGallery);
    connect(m_tools->stop, &QPushButton::clicked, m_build, [this] { m_build->stop(); });
    connect(m_build, &BuildFlow::phaseStarted, this, &QWidget::setWindowTitle);
    connect(m_build, &BuildFlow::progressed, this, [this](int done, int total, const QString &item) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
        m_progress->setVisible(total > 2);
        setWindowTitle(getString(text::ImageCaptionPrefix) + item);
    });
    connect(m_build, &BuildFlow::finished, this, [this](bool succeeded) {
        m_tools->setBuilding(false);
        m_progress->hide();
        m_loadingPanel->showText(QString());
        refreshCaption();
        refreshEnabling();
        if (m_closeAfterBuild) {
            QTimer::singleShot(0, this, &QWidget::close);
            return;
        }
        Q_EMIT buildFinished(succeeded);
    });
}

void MainWindow::restoreState()
{
    m_settingsDialog->setDataFolder(m_files->dataFolder());
    m_files->recent().load(*m_store);
    m_files->recent().setMaxFileCount(RecentProjects::kMaxRecent);
    m_adding->setSourceFolder(readSourceFolder(*m_store, m_files->dataFolder()));
    if (Result<UrlCollection> urls =
            UrlCollection::readFile(paths::join(m_files->dataFolder(), QStringLiteral("urls.txt"))))
        m_urls = std::move(urls).value();
    m_editor->setKnownUrls(m_urls.urls());
    const int perRow = readPicturesPerRow(*m_store);
    {
        const QSignalBlocker blocker(m_tools->perRow);
        m_tools->perRow->setValue(perRow);
    }
    m_grid->setPicturesPerRow(perRow);
    Project untitled;
    untitled.settings = settledSettings(defaultSettings());
    m_document->reset(untitled, QString());
    rebuildRecentMenu();
}

void MainWindow::writeStateOnClose()
{
    writeSettingsFile(m_document->settings(), m_files->defaultSettingsPath());
    m_urls.writeFile(paths::join(m_files->dataFolder(), QStringLiteral("urls.txt")));
    writeSourceFolder(*m_store, m_adding->sourceFolder());
    writePicturesPerRow(*m_store, picturesPerRow());
    m_files->recent().save(*m_store);
    m_store->setValue(QStringLiteral("window/geometry"), saveGeometry());
    m_store->sync();
}

QString MainWindow::sourceFolder() const { return m_adding->sourceFolder(); }

int MainWindow::picturesPerRow() const { return m_grid->picturesPerRow(); }

bool MainWindow::isAdding() const { return m_adding->isRunning(); }

bool MainWindow::isBuilding() const { return m_build->isRunning(); }

QString MainWindow::relativeBase() const { return m_build->relativeBase(); }

void MainWindow::setVerifierHook(std::function<void(VerifyLinksDialog &)> hook)
{
    m_commands->prepareVerifier = std::move(hook);
}

// --- the project ---------------------------------------------------------------------------

void MainWindow::openFromCommandLine(const QString &argument)
{
    const QString path = QString(argument).replace(QLatin1Char('"'), QLatin1Char(' ')).trimmed();
    if (fileKind(path) == FileKind::Project)
        loadProject(path, true);
}

bool MainWindow::loadProject(const QString &path, bool addToRecent) { return m_files->load(path, addToRecent); }

bool MainWindow::saveProject(bool askName)
{
    const bool saved = m_files->save(askName);
    refreshCaption();  // a progress title may stand there
    refreshEnabling();
    return saved;
}

void MainWindow::newProject()
{
    if (!isAdding() && !isBuilding())
        m_files->startNew(m_document->settings());
}

void MainWindow::addImages(const QStringList &paths, AddRoute route)
{
    if (!isAdding() && !isBuilding())
        m_adding->add(paths, route);
}

void MainWindow::makeGallery()
{
    if (isBuilding())
        return;
    if (m_document->count() == 0) {
        QMessageBox::information(this, QString(), getString(text::NoImages));
        return;
    }
    m_loadingPanel->showText(m_tools->make->text());
    QStringList protectedFiles = {m_files->defaultSettingsPath()};
    if (!m_document->path().isEmpty())
        protectedFiles.append(m_document->path());
    m_tools->setBuilding(true);
    m_build->start(m_tools->htmlOnly->isChecked(), protectedFiles);
    refreshEnabling();
}

void MainWindow::rememberUrl(const QString &url)
{
    // A new address joins the known ones, as typed; blanks alone do not.
    if (!url.trimmed().isEmpty() && m_urls.add(url))
        m_editor->addKnownUrl(url);
}

void MainWindow::showCurrent()
{
    m_editor->showRow(m_grid->selection().count(), m_grid->currentIndex());
    refreshStatus();
}

// --- the settings dialog -------------------------------------------------------------------

void MainWindow::openSettings()
{
    if (isBuilding() || isAdding())
        return;
    m_settingsDialog->setValues(m_document->settings());
    m_settingsDialog->setSourceFolder(m_adding->sourceFolder());
    m_settingsDialog->setProjectPath(m_document->path());
    m_settingsDialog->setRelativeBase(relativeBase());
    m_settingsDialog->exec();
}

// Closing the dialog is where its values become the record (one step) and the next run's
// defaults.
void MainWindow::settingsClosed()
{
    m_document->setSettings(m_settingsDialog->getValues(), getString(text::SettingsStep));
    if (Status error = writeSettingsFile(m_document->settings(), m_files->defaultSettingsPath()))
        showError(this, *error, m_files->defaultSettingsPath(), QMessageBox::Warning);
}

// --- captions, status and what is enabled --------------------------------------------------

void MainWindow::retranslate()
{
    m_fileMenu->setTitle(getString(text::FileMenu));
    m_imagesMenu->setTitle(getString(text::ImagesMenu));
    m_linksMenu->setTitle(getString(text::LinksMenu));
    for (const auto &[action, caption] : std::as_const(m_captions))
        action->setText(getString(caption));
    const MenuActions &a = m_actions;
    // The undo commands name their step.
    const QUndoStack &history = m_document->history();
    a.undo->setText(history.undoText().isEmpty() ? getString(text::UndoCommand)
                                                 : getString(text::UndoStep).arg(history.undoText()));
    a.redo->setText(history.redoText().isEmpty() ? getString(text::RedoCommand)
                                                 : getString(text::RedoStep).arg(history.redoText()));
    m_tools->retranslate();
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

void MainWindow::refreshCaption()
{
    setWindowTitle(windowCaption(m_document->path()) + (m_document->isModified() ? QStringLiteral(" *") : QString()));
}

void MainWindow::refreshStatus()
{
    const QLocale locale;
    QStringList parts{getString(text::ImagesSelectedStatus)
                          .arg(locale.toString(m_document->count()), locale.toString(m_grid->selection().count()))};
    if (m_previews->loaded() < m_previews->wanted())
        parts.append(getString(text::LoadingPreviewsStatus)
                         .arg(locale.toString(m_previews->loaded()), locale.toString(m_previews->wanted())));
    if (m_previews->missing() > 0)
        parts.append(getString(text::SourcesMissingStatus).arg(locale.toString(m_previews->missing())));
    m_status->setText(parts.join(QStringLiteral("  \u00b7  ")));
}

void MainWindow::refreshEnabling()
{
    const bool hasImages = m_document->count() > 0;
    const bool idle = !isBuilding() && !isAdding();
    m_tools->make->setEnabled(hasImages && idle);
    m_tools->addImage->setEnabled(idle);
    m_tools->addFolder->setEnabled(idle);
    // The actions themselves, not only the menus: their shortcuts reach them either way.
    for (QAction *action : m_fileMenu->actions())
        action->setEnabled(idle);
    for (QMenu *menu : {m_imagesMenu, m_linksMenu})
        for (QAction *action : menu->actions())
            action->setEnabled(hasImages);
    // Undo stays within reach when the last image is gone, but not while an add appends.
    const QUndoStack &history = m_document->history();
    m_actions.undo->setEnabled(!isAdding() && history.canUndo());
    m_actions.redo->setEnabled(!isAdding() && history.canRedo());
    m_actions.saveProject->setEnabled(idle && (!m_document->path().isEmpty() || hasImages));
    m_actions.verifyLinks->setEnabled(idle && hasImages);
    m_actions.settings->setEnabled(idle);
}

void MainWindow::rebuildRecentMenu()
{
    const RecentProjects &recent = m_files->recent();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        const int slot = i + 1;
        QAction *action = m_recentActions.at(i);
        action->setVisible(recent.fileExists(slot));
        action->setText(recent.menuCaption(slot));
        action->setCheckable(true);
        action->setChecked(recent.fileExists(slot) && recent.file(slot) == m_document->path());
    }
    m_recentSeparator->setVisible(recent.fileCount() > 0);
}

// --- closing -------------------------------------------------------------------------------

void MainWindow::exitFromMenu()
{
    // Exit keeps its automatic save, but a save that failed or was cancelled keeps the
    // window open: ending then would lose the edits.
    if (m_document->count() > 0 && !saveProject(m_document->path().isEmpty()))
        return;
    m_closingFromMenu = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A running build stops after its current images; the window closes once it has.
    if (isBuilding()) {
        m_closeAfterBuild = true;
        m_build->stop(true);
        event->ignore();
        return;
    }
    if (isAdding()) {
        event->ignore();
        if (QMessageBox::question(this, windowCaption(m_document->path()), getString(text::StopAddingQuestion))
            == QMessageBox::Yes) {
            m_adding->stop();
            QTimer::singleShot(0, this, &QWidget::close);
        }
        return;
    }
    if (!(m_closingFromMenu || m_files->askToKeepChanges())) {
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
