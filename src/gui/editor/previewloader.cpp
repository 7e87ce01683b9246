#include "gui/editor/previewloader.h"

#include "adding/imageadder.h"
#include "imaging/imageengine.h"
#include "support/parallel.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace lumarc::gui {

QImage toImage(const PixelBuffer &pixels)
{
    if (pixels.isNull())
        return QImage();
    const QImage view(reinterpret_cast<const uchar *>(pixels.rgb.constData()), pixels.width, pixels.height,
                      pixels.width * 3, QImage::Format_RGB888);
    return view.copy();
}

PreviewLoader::PreviewLoader(QObject *parent) : QObject(parent), m_stop(std::make_shared<std::atomic_bool>(false)) {}

PreviewLoader::~PreviewLoader() { stopAndWait(); }

void PreviewLoader::load(const QList<PreviewJob> &jobs, qreal pixelRatio)
{
    if (jobs.isEmpty())
        return;
    m_running.removeIf([](const QFuture<void> &future) { return future.isFinished(); });
    m_stop->store(false);
    auto stop = m_stop;
    const qreal ratio = std::clamp(pixelRatio, 1.0, 4.0);
    const int box = qRound(kPreviewBox * ratio);
    m_running.append(QtConcurrent::run([this, jobs, stop, ratio, box] {
        const int total = int(jobs.size());
        QList<Result<PixelBuffer>> results(total, Result<PixelBuffer>(PixelBuffer{}));
        runIndexed(
            total, 0, [&](int i) { results[i] = loadPreview(jobs[i].path, box, box); },
            [&](int i) {
                const Result<PixelBuffer> &result = results[i];
                // Signals of an object of the window's thread: queued to it.
                if (result) {
                    QImage preview = toImage(result.value());
                    preview.setDevicePixelRatio(ratio);
                    Q_EMIT previewReady(jobs[i].id, preview);
                } else {
                    Q_EMIT previewFailed(jobs[i].id, jobs[i].path,
                                         previewFailure(result.error()) == AddOutcome::ResizeFailed,
                                         result.error().detail);
                }
                results[i] = PixelBuffer{};  // the image now travels in the signal
                return !stop->load();
            },
            [] { imaging::releaseThreadResources(); });
    }));
}

void PreviewLoader::stopAndWait()
{
    m_stop->store(true);
    for (QFuture<void> &future : m_running)
        future.waitForFinished();
    m_running.clear();
}

}  // namespace lumarc::gui
