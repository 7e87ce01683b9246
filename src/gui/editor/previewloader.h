#pragma once

// Decodes grid previews away from the window's thread: each job is an image id and its file,
// decoded on a few workers with shrink-on-load, and each finished preview arrives on the
// window's thread as a signal, matched to its image by id (rows may move meanwhile).

#include "imaging/pixelbuffer.h"
#include "model/imagelist.h"

#include <QFuture>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace lumarc::gui {

struct PreviewJob {
    ImageId id = 0;
    QString path;
};

class PreviewLoader : public QObject {
    Q_OBJECT
public:
    explicit PreviewLoader(QObject *parent = nullptr);
    ~PreviewLoader() override;

    // Starts decoding on one worker per core; jobs already queued or running go on. Previews
    // are made with `pixelRatio` device pixels per pixel of the 120 x 120 box, so that they
    // stay sharp on a screen that scales.
    void load(const QList<PreviewJob> &jobs, qreal pixelRatio = 1.0);
    // Hands out no further job; the ones running finish. Waits for them.
    void stopAndWait();

Q_SIGNALS:
    // Both arrive on the loader's thread, in the order the previews finish.
    void previewReady(quint64 id, const QImage &preview);
    void previewFailed(quint64 id, const QString &path, bool resizeFailed, const QString &detail);

private:
    QList<QFuture<void>> m_running;
    std::shared_ptr<std::atomic_bool> m_stop;
};

// The preview as a picture for painting: packed RGB rows, copied.
QImage toImage(const PixelBuffer &pixels);

}  // namespace lumarc::gui
