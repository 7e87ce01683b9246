#pragma once

// Runs a gallery build on a worker thread with a copy of the project, so that the window
// keeps repainting. Progress arrives as signals on the window's thread; the question before
// an earlier gallery's files are removed is asked on the window's thread while the worker
// waits. Stop ends the build after the images in progress; it then writes no pages.

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

    void start(const Project &project, bool htmlOnly, const QStringList &protectedFiles, const QString &relativeBase);
    void stop();
    bool isRunning() const;

Q_SIGNALS:
    void phaseStarted(const QString &title);
    void progressed(int done, int total, const QString &item);
    void finished(const lumarc::BuildReport &report);

private:
    // Blocks until a running build has ended (when the runner goes with its window).
    void wait();

    QFutureWatcher<BuildReport> m_watcher;
    std::shared_ptr<std::atomic_bool> m_stop;
};

}  // namespace lumarc::gui
