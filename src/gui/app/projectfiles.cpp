#include "gui/app/projectfiles.h"

#include "gui/dialogs/filemessage.h"
#include "gui/dialogs/folderdialog.h"
#include "gui/dialogs/windowcaption.h"
#include "i18n/messages.h"
#include "i18n/strings.h"
#include "storage/editlock.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"
#include "storage/textexchange.h"
#include "support/paths.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPushButton>
#include <QTimer>

namespace lumarc::gui {

using i18n::getString;

namespace {

QString changedElsewhere() { return getString(text::ProjectChangedElsewhere); }

}  // namespace

ProjectFiles::ProjectFiles(ProjectDocument &document, UrlCollection &urls, const QString &dataFolder, QWidget *window)
    : QObject(window), m_document(document), m_urls(urls), m_window(window), m_dataFolder(dataFolder),
      m_watcher(new QFileSystemWatcher(this)), m_watchDelay(new QTimer(this))
{
    // A writer may touch the file several times: it is looked at once things have settled.
    m_watchDelay->setSingleShot(true);
    m_watchDelay->setInterval(300);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_watchDelay, qOverload<>(&QTimer::start));
    connect(m_watchDelay, &QTimer::timeout, this, &ProjectFiles::fileChanged);
    m_recent.setMaxFileCount(RecentProjects::kMaxRecent);
}

QString ProjectFiles::defaultSettingsPath() const { return paths::join(m_dataFolder, QStringLiteral("default.zem")); }

void ProjectFiles::open()
{
    if (!askToKeepChanges())
        return;
    const QString path = QFileDialog::getOpenFileName(m_window, getString(text::SelectProjectTitle), m_dataFolder,
                                                      qtFilter(getString(text::ProjectOpenFilter)));
    if (!path.isEmpty())
        load(path, true);
}

void ProjectFiles::openRecent(int slot)
{
    if (askToKeepChanges())
        load(m_recent.file(slot), false);
}

bool ProjectFiles::load(const QString &path, bool addToRecent)
{
    if (path.isEmpty() || !QFileInfo::exists(path) || (isBusy && isBusy()))
        return false;  // a stale recent entry: nothing is said
    Q_EMIT busy(QStringLiteral("Loading..."));
    int renamed = 0;
    Result<Project> loaded = loadProject(path, &renamed);
    Q_EMIT busy(QString());
    if (!loaded) {
        showError(m_window, loaded.error(), path);
        return false;
    }
    for (const ImageItem &item : loaded.value().images.items())
        m_urls.add(item.url);
    Project project = std::move(loaded).value();
    // The settled form, so that the first save or build does not count as a change of its own.
    project.settings = settledSettings(project.settings);
    // Output names the load had to repair make the project differ from its file.
    m_document.reset(project, path, renamed > 0);
    watch(path);
    if (addToRecent)
        m_recent.addFile(path);
    Q_EMIT recentChanged();
    return true;
}

void ProjectFiles::startNew(const GallerySettings &settings)
{
    Project project;
    project.settings = settings;
    // default.zem, when there is one, gives the new project's look; damage is ignored.
    if (Result<GallerySettings> stored = readSettingsFile(defaultSettingsPath()))
        project.settings = std::move(stored).value();
    project.settings = settledSettings(project.settings);
    m_document.reset(project, QString());
    watch(QString());
    Q_EMIT recentChanged();
}

bool ProjectFiles::askToKeepChanges()
{
    if (!m_document.isModified())
        return true;
    const QMessageBox::StandardButton answer =
        QMessageBox::question(m_window, windowCaption(m_document.path()), getString(text::SaveChangesQuestion),
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Save)
        return save(m_document.path().isEmpty());
    return true;
}

bool ProjectFiles::save(bool askName)
{
    QString path = m_document.path();
    if (askName || path.isEmpty()) {
        const QString proposed = path.isEmpty() ? m_dataFolder : path;
        path = QFileDialog::getSaveFileName(m_window, getString(text::SaveProjectAsTitle), proposed,
                                            qtFilter(getString(text::ProjectSaveFilter)));
        if (path.isEmpty())
            return false;
        // The Open dialog and the command line know projects by their extension.
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".zeb");
    }
    // A file changed by another program since it was loaded or saved here is never
    // overwritten unasked.
    const bool ownFile = path == m_document.path() && m_fileState.exists;
    if (ownFile && FileState::of(path) != m_fileState && !askToOverwriteChanged(path))
        return false;
    // The same lock the command line's edits hold, so that a save never overwrites an
    // addition another program is making to the file. It is tried without waiting, so the
    // window never freezes; the user may try again once the other program is done.
    for (;;) {
        const auto lock = lockForEditing(path, 0);
        if (!lock && lock.error().code == ErrorCode::Refused) {
            if (fileMessage(m_window, QMessageBox::Warning, path, getString(text::ProjectBeingChanged),
                            QMessageBox::Retry | QMessageBox::Cancel)
                == QMessageBox::Retry)
                continue;
            return false;
        }
        if (Status error = lock ? saveProject(m_document.project(), path) : Status(lock.error())) {
            showError(m_window, *error, path);
            return false;
        }
        break;
    }
    watch(path);
    m_document.markSaved(path);
    m_recent.addFile(path);
    Q_EMIT recentChanged();
    return true;
}

// Reload, Overwrite or Cancel; true to go on and overwrite.
bool ProjectFiles::askToOverwriteChanged(const QString &path)
{
    QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Cancel, m_window);
    showAsFileMessage(box, path, changedElsewhere());
    QAbstractButton *reload = box.addButton(getString(text::ReloadButton), QMessageBox::DestructiveRole);
    QAbstractButton *overwrite = box.addButton(getString(text::OverwriteButton), QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == reload)
        load(path, false);
    return box.clickedButton() == overwrite;
}

void ProjectFiles::watch(const QString &path)
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
void ProjectFiles::fileChanged()
{
    const QString path = m_document.path();
    // A file replaced by renaming drops out of the watch: it is watched again.
    if (!path.isEmpty() && !m_watcher->files().contains(path))
        m_watcher->addPath(path);
    if (path.isEmpty() || m_asking || (isBusy && isBusy()) || QApplication::activeModalWidget())
        return;
    const FileState now = FileState::of(path);
    if (now == m_fileState || now == m_toldState || !now.exists)
        return;
    m_toldState = now;  // said once per change; a save still asks before it overwrites
    m_asking = true;
    if (!m_document.isModified()) {
        if (fileMessage(m_window, QMessageBox::Question, path,
                        changedElsewhere() + QLatin1Char(' ') + getString(text::LoadChangedQuestion),
                        QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            load(path, false);
    } else {
        fileMessage(m_window, QMessageBox::Warning, path,
                    changedElsewhere() + QStringLiteral("\n") + getString(text::ChangesNotSavedYet));
    }
    m_asking = false;
}

void ProjectFiles::exportList()
{
    if (m_document.count() == 0)
        return;
    const QString path = QFileDialog::getSaveFileName(m_window, getString(text::TextFileTitle), m_dataFolder,
                                                      qtFilter(getString(text::TextFileFilter)));
    if (path.isEmpty())
        return;
    if (Status error = exportTextList(m_document.images(), path))
        showError(m_window, *error, path);
}

void ProjectFiles::importList()
{
    if (isBusy && isBusy())
        return;
    const QString path = QFileDialog::getOpenFileName(m_window, getString(text::TextFileTitle), m_dataFolder,
                                                      qtFilter(getString(text::TextFileFilter)));
    if (path.isEmpty())
        return;
    Project imported = m_document.project();
    const Result<int> count = importTextList(imported, path);
    if (!count) {
        showError(m_window, count.error(), path);
        return;
    }
    if (count.value() > 0)
        m_document.replaceImages(imported.images, getString(text::ImportListStep));
}

}  // namespace lumarc::gui
