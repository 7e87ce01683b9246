#include "gui/app/buildrunner.h"

#include <QtConcurrent/QtConcurrentRun>

#include <chrono>
#include <future>

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

}  // namespace

BuildRunner::BuildRunner(QObject *parent) : QObject(parent), m_stop(std::make_shared<std::atomic_bool>(false))
{
    qRegisterMetaType<lumarc::BuildReport>("lumarc::BuildReport");
    connect(&m_watcher, &QFutureWatcher<BuildReport>::finished, this, [this] {
        if (m_watcher.future().resultCount() > 0)
            Q_EMIT finished(m_watcher.result());
    });
}

BuildRunner::~BuildRunner()
{
    stop();
    wait();
}

void BuildRunner::start(const Project &project, bool htmlOnly, const QStringList &protectedFiles,
                        const QString &relativeBase)
{
    if (isRunning())
        return;
    m_stop = std::make_shared<std::atomic_bool>(false);
    BuildOptions options;
    options.htmlOnly = htmlOnly;
    options.protectedFiles = protectedFiles;
    options.relativeBase = relativeBase;
    // The worker waits while the window asks, but gives up at a stop: the window may be
    // closing and waiting for the build, so a blocking call there could never return.
    options.confirmEmptying = [this, stop = m_stop](const QString &folder, const DestinationSurvey &survey) {
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> answered = answer->get_future();
        QMetaObject::invokeMethod(
            this, [this, answer, folder, survey] { answer->set_value(askEmptying && askEmptying(folder, survey)); },
            Qt::QueuedConnection);
        while (answered.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
            if (stop->load())
                return false;
        }
        return answered.get();
    };
    m_watcher.setFuture(QtConcurrent::run([this, project, options, stop = m_stop] {
        SignalProgress progress(*this, *stop);
        return buildGallery(project, options, progress);
    }));
}

void BuildRunner::stop() { m_stop->store(true); }

bool BuildRunner::isRunning() const { return m_watcher.isRunning(); }

void BuildRunner::wait() { m_watcher.waitForFinished(); }

}  // namespace lumarc::gui
