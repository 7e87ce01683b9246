#include "gui/app/buildrunner.h"

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

} // namespace

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

void BuildRunner::start(const Project &project, bool htmlOnly, const QStringList &protectedFiles)
{
    if (isRunning())
        return;
    m_stop = std::make_shared<std::atomic_bool>(false);
    BuildOptions options;
    options.htmlOnly = htmlOnly;
    options.protectedFiles = protectedFiles;
    // The worker waits while the window asks; not QFuture::cancel(), which would drop the report.
    options.confirmEmptying = [this](const QString &folder, const DestinationSurvey &survey) {
        bool answer = false;
        QMetaObject::invokeMethod(
            this, [&] { answer = askEmptying && askEmptying(folder, survey); }, Qt::BlockingQueuedConnection);
        return answer;
    };
    m_watcher.setFuture(QtConcurrent::run([this, project, options, stop = m_stop] {
        SignalProgress progress(*this, *stop);
        return buildGallery(project, options, progress);
    }));
}

void BuildRunner::stop()
{
    m_stop->store(true);
}

bool BuildRunner::isRunning() const
{
    return m_watcher.isRunning();
}

void BuildRunner::wait()
{
    m_watcher.waitForFinished();
}

} // namespace lumarc::gui
