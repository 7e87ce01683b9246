#include "gui/app/buildrunner.h"

#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace lumarc::gui {
namespace {

// Forwards the build's progress to the runner's signals, which reach the window queued.
class SignalProgress final : public Progress {
public:
    SignalProgress(BuildRunner &runner, const std::atomic_bool &stop) : m_runner(runner), m_stop(stop) {}
    void phase(const QString &title) override { Q_EMIT m_runner.phaseStarted(title); }
    void step(int done, int total, const QString &item) override { Q_EMIT m_runner.progressed(done, total, item); }
    bool stopRequested() const override { return m_stop.load(); }

private:
    BuildRunner &m_runner;
    const std::atomic_bool &m_stop;
};

// For a build that ends on the window's thread: no progress to show.
class NoProgress final : public Progress {
public:
    void phase(const QString &) override {}
    void step(int, int, const QString &) override {}
    bool stopRequested() const override { return false; }
};

}  // namespace

BuildRunner::BuildRunner(QObject *parent) : QObject(parent), m_stop(std::make_shared<std::atomic_bool>(false))
{
    qRegisterMetaType<lumarc::BuildReport>("lumarc::BuildReport");
    connect(&m_surveying, &QFutureWatcher<std::shared_ptr<GalleryBuild>>::finished, this, [this] {
        if (m_surveying.future().resultCount() > 0)
            surveyed(m_surveying.result());
    });
    connect(&m_finishing, &QFutureWatcher<BuildReport>::finished, this, [this] {
        if (m_finishing.future().resultCount() > 0)
            end(m_finishing.result());
    });
}

BuildRunner::~BuildRunner()
{
    stop();
    m_surveying.waitForFinished();
    m_finishing.waitForFinished();
}

void BuildRunner::start(const Project &project, bool htmlOnly, const QStringList &protectedFiles,
                        const QString &relativeBase, const QByteArray &projectKey)
{
    if (m_running)
        return;
    m_running = true;
    m_stop = std::make_shared<std::atomic_bool>(false);
    BuildOptions options;
    options.htmlOnly = htmlOnly;
    options.protectedFiles = protectedFiles;
    options.relativeBase = relativeBase;
    options.projectKey = [projectKey] { return projectKey; };
    m_surveying.setFuture(QtConcurrent::run([this, project, options, stop = m_stop] {
        SignalProgress progress(*this, *stop);
        return std::make_shared<GalleryBuild>(project, options, progress);
    }));
}

void BuildRunner::surveyed(const std::shared_ptr<GalleryBuild> &build)
{
    if (!build->needsConsent()) {
        finishOnWorker(build);
        return;
    }
    if (m_stop->load() || !askEmptying) {
        decline(build);
        return;
    }
    // The question runs an event loop of its own: meanwhile a stop may end this build, and
    // the window may even go away with its runner.
    m_asking = build;
    const QPointer<BuildRunner> alive(this);
    const bool agreed = askEmptying(build->folder(), build->survey());
    if (!alive || m_asking != build)
        return;
    m_asking.reset();
    if (agreed && !m_stop->load())
        finishOnWorker(build);
    else
        decline(build);
}

void BuildRunner::finishOnWorker(const std::shared_ptr<GalleryBuild> &build)
{
    m_finishing.setFuture(QtConcurrent::run([this, build, stop = m_stop] {
        SignalProgress progress(*this, *stop);
        return build->finish(true, progress);
    }));
}

void BuildRunner::decline(const std::shared_ptr<GalleryBuild> &build)
{
    NoProgress progress;
    end(build->finish(false, progress));
}

void BuildRunner::end(const BuildReport &report)
{
    m_running = false;
    Q_EMIT finished(report);
}

void BuildRunner::stop()
{
    m_stop->store(true);
    // A stop while the user is asked ends the build now: the window may be closing and
    // waiting for it, with the question still open.
    if (std::shared_ptr<GalleryBuild> asked = std::move(m_asking)) {
        QMetaObject::invokeMethod(
            this, [this, asked] { decline(asked); }, Qt::QueuedConnection);
    }
}

}  // namespace lumarc::gui
