#include "gui/app/imageadding.h"

#include "adding/imageadder.h"
#include "gui/dialogs/folderdialog.h"
#include "gui/editor/previewloader.h"
#include "gui/editor/thumbnailgrid.h"
#include "i18n/messages.h"
#include "i18n/strings.h"
#include "imaging/imageengine.h"
#include "support/paths.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSet>

namespace lumarc::gui {

using i18n::getString;

ImageAdding::ImageAdding(ProjectDocument &document, ThumbnailGrid &grid, QWidget *window)
    : QObject(window), m_document(document), m_grid(grid), m_window(window), m_loader(new PreviewLoader(this))
{
    connect(m_loader, &PreviewLoader::previewReady, this, &ImageAdding::previewArrived);
    connect(m_loader, &PreviewLoader::previewFailed, this, &ImageAdding::previewFailed);
}

ImageAdding::~ImageAdding() { m_loader->stopAndWait(); }

void ImageAdding::addFromDialog()
{
    const QStringList files = QFileDialog::getOpenFileNames(m_window, QStringLiteral("Select images"), m_sourceFolder,
                                                            qtFilter(imaging::buildImageFileFilter()));
    if (files.isEmpty())
        return;
    m_sourceFolder = QFileInfo(files.first()).absolutePath();
    add(files, Route::Dialog);
}

void ImageAdding::addFolder()
{
    const QString folder = chooseFolder(m_window, getString(text::SelectImageFolderTitle), m_sourceFolder);
    if (folder.isEmpty())
        return;
    m_sourceFolder = folder;
    add(readableImagesIn(folder), Route::Folder);
}

void ImageAdding::add(const QStringList &paths, Route route)
{
    if (isRunning())
        return;
    m_route = route;
    m_messages.clear();
    m_added = 0;
    QSet<QString> batch;
    QList<PreviewJob> jobs;
    static quint64 nextTicket = 0;
    for (const QString &path : paths) {
        // The checks need no decoding: they run here, in the route's order.
        const AddOutcome outcome =
            batch.contains(path) ? AddOutcome::Duplicate : checkNewImage(m_document.project(), path);
        if (outcome == AddOutcome::NotReadable)
            continue;
        if (outcome == AddOutcome::Duplicate) {
            m_messages.append(messages::duplicateImage(path));
            continue;
        }
        batch.insert(path);
        const quint64 ticket = ++nextTicket;
        m_pending.insert(ticket, Pending{path, false, QImage()});
        m_order.append(ticket);
        jobs.append(PreviewJob{ticket, path});
    }
    if (jobs.isEmpty()) {
        end();
        return;
    }
    m_total = int(jobs.size());
    m_document.beginAdding(getString(text::AddImagesStep));
    Q_EMIT started(m_total, route);
    m_loader->load(jobs, m_window->devicePixelRatioF());
}

void ImageAdding::previewArrived(quint64 ticket, const QImage &preview)
{
    const auto pending = m_pending.find(ticket);
    if (pending == m_pending.end())
        return;
    pending->finished = true;
    pending->preview = preview;
    appendFinished();
}

void ImageAdding::previewFailed(quint64 ticket, const QString &path, bool resizeFailed, const QString &detail)
{
    const auto pending = m_pending.find(ticket);
    if (pending == m_pending.end())
        return;
    pending->finished = true;
    if (resizeFailed)
        m_messages.append(path + QStringLiteral(": ") + messages::previewFailed(detail));
    appendFinished();
}

void ImageAdding::appendFinished()
{
    // The images at the front of the queue whose previews are in, in the route's order.
    QString last;
    while (!m_order.isEmpty() && m_pending.value(m_order.first()).finished) {
        const Pending pending = m_pending.take(m_order.takeFirst());
        if (pending.preview.isNull())
            continue;
        m_document.appendImage(pending.path);
        m_grid.setPreview(m_document.images().id(m_document.count() - 1), pending.preview);
        ++m_added;
        last = pending.path;
    }
    Q_EMIT progressed(m_total - int(m_order.size()), last.isEmpty() ? QString() : paths::fileName(last));
    if (m_order.isEmpty())
        end();
}

void ImageAdding::stop()
{
    if (!isRunning())
        return;
    m_loader->stopAndWait();
    for (auto it = m_order.begin(); it != m_order.end();) {
        if (m_pending.value(*it).finished) {
            ++it;
        } else {
            m_pending.remove(*it);
            it = m_order.erase(it);
        }
    }
    appendFinished();  // which ends the adding, as nothing is pending any more
}

void ImageAdding::end()
{
    m_document.endAdding();
    m_pending.clear();
    Q_EMIT ending();
    // Refused duplicates and previews that failed: one box for the whole add.
    if (!m_messages.isEmpty()) {
        // File names are shown as written: a name with "<" is no markup.
        QMessageBox box(QMessageBox::Information, QStringLiteral("Lumarc"), m_messages.join(QStringLiteral("\r\n")),
                        QMessageBox::Ok, m_window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    if (m_route == Route::Drop)
        QMessageBox::information(m_window, QString(), messages::imagesAdded(m_added));
    Q_EMIT finished(m_added);
}

}  // namespace lumarc::gui
