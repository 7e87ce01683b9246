#include "gui/app/projectpreviews.h"

#include "gui/editor/previewloader.h"
#include "gui/editor/thumbnailgrid.h"

#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <climits>

namespace lumarc::gui {

ProjectPreviews::ProjectPreviews(const ProjectDocument &document, ThumbnailGrid &grid, QWidget *window)
    : QObject(window), m_document(document), m_grid(grid), m_window(window), m_loader(new PreviewLoader(this)),
      m_appendedCheck(new QTimer(this))
{
    connect(m_loader, &PreviewLoader::previewReady, this, &ProjectPreviews::arrived);
    connect(m_loader, &PreviewLoader::previewFailed, this,
            [this](quint64 id, const QString &path) { failed(id, path); });
    connect(&document, &ProjectDocument::projectReset, this, [this] { loadLacking(true); });
    connect(&document, &ProjectDocument::imagesReplaced, this, [this] { loadLacking(false); });
    connect(&document, &ProjectDocument::imagesInserted, this, [this] { loadLacking(false); });
    // A redone add brings images back without previews; during an add the adding hands each
    // image its preview right after appending it, so the look waits for that.
    m_appendedCheck->setSingleShot(true);
    m_appendedCheck->setInterval(0);
    connect(&document, &ProjectDocument::imagesAppended, this, [this](int first, int count) {
        m_appendedFrom = std::min(m_appendedFrom, first);
        m_appendedTo = std::max(m_appendedTo, first + count);
        m_appendedCheck->start();
    });
    connect(m_appendedCheck, &QTimer::timeout, this, [this] {
        const int from = m_appendedFrom, to = std::min(m_appendedTo, m_document.count());
        m_appendedFrom = INT_MAX;
        m_appendedTo = 0;
        load(from, to);
    });
    connect(&document, &ProjectDocument::imagesRemoved, this, [this] {
        // Previews of images that are gone would only be thrown away.
        if (m_document.count() == 0)
            m_loader->stopAndWait();
        QSet<ImageId> listed;
        for (int row = 0; row < m_document.count(); ++row)
            listed.insert(m_document.images().id(row));
        m_missing.intersect(listed);
        Q_EMIT countsChanged();
    });
}

ProjectPreviews::~ProjectPreviews() { m_loader->stopAndWait(); }

void ProjectPreviews::stopAndWait() { m_loader->stopAndWait(); }

void ProjectPreviews::loadLacking(bool fresh)
{
    if (fresh) {
        m_loader->stopAndWait();
        m_wanted = m_loaded = 0;
        m_missing.clear();
    }
    const ImageList &images = m_document.images();
    // Visible slides first, so the window fills where the user looks.
    const IndexRange range = m_grid.visibleRange();
    QList<int> order;
    for (int i = std::max(range.first, 0); i <= range.last && i < images.count(); ++i)
        order.append(i);
    for (int i = 0; i < images.count(); ++i)
        if (i < range.first || i > range.last)
            order.append(i);
    load(order);
}

void ProjectPreviews::load(int from, int to)
{
    QList<int> rows;
    for (int row = from; row < to; ++row)
        rows.append(row);
    load(rows);
}

void ProjectPreviews::load(const QList<int> &rows)
{
    const ImageList &images = m_document.images();
    QList<PreviewJob> jobs;
    for (int i : rows) {
        if (!m_grid.hasPreview(images.id(i)))
            jobs.append(PreviewJob{images.id(i), images.at(i).path});
    }
    if (jobs.isEmpty())
        return;
    m_wanted += int(jobs.size());
    Q_EMIT countsChanged();
    m_loader->load(jobs, m_window->devicePixelRatioF());
}

void ProjectPreviews::arrived(quint64 id, const QImage &preview)
{
    m_grid.setPreview(id, preview);
    ++m_loaded;
    Q_EMIT countsChanged();
}

void ProjectPreviews::failed(quint64 id, const QString &path)
{
    ++m_loaded;
    if (!QFileInfo::exists(path)) {
        m_missing.insert(id);
        m_grid.setMissing(id, true);
    }
    Q_EMIT countsChanged();
}

}  // namespace lumarc::gui
