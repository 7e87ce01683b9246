#pragma once

// Runs a gallery build on worker threads with a copy of the project, so that the window
// keeps repainting. Progress arrives as signals on the window's thread. The build runs in its
// two stages: the first ends with the survey of the destination; when the survey finds files
// that would be removed or written over, the question is asked on the window's thread, and
// the second stage runs on a worker only when the user agreed. Stop ends the build after the
// images in progress (it then writes no pages), or at once while the question is open.

#include "generator/gallerybuilder.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

namespace lumarc::gui {

class BuildRunner : public QObject {
    Q_OBJECT
public:
    explicit BuildRunner(QObject *parent = nullptr);
    ~BuildRunner() override;

    // Asked on the window's thread; true to remove the files and go on.
    std::function<bool(const QString &folder, const DestinationSurvey &survey)> askEmptying;

    void start(const Project &project, bool htmlOnly, const QStringList &protectedFiles, const QString &relativeBase,
               const QByteArray &projectKey = QByteArray());
    void stop();
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void phaseStarted(const QString &title);
    void progressed(int done, int total, const QString &item);
    void finished(const lumarc::BuildReport &report);

private:
    // The first stage has ended: ask when needed, then finish the build.
    void surveyed(const std::shared_ptr<GalleryBuild> &build);
    // Runs the second stage on a worker.
    void finishOnWorker(const std::shared_ptr<GalleryBuild> &build);
    // Ends the build here, without touching the folder, and reports it.
    void decline(const std::shared_ptr<GalleryBuild> &build);
    void end(const BuildReport &report);

    QFutureWatcher<std::shared_ptr<GalleryBuild>> m_surveying;
    QFutureWatcher<BuildReport> m_finishing;
    // The build whose question is open; it ends when the question is answered or at a stop.
    std::shared_ptr<GalleryBuild> m_asking;
    std::shared_ptr<std::atomic_bool> m_stop;
    bool m_running = false;
};

}  // namespace lumarc::gui
