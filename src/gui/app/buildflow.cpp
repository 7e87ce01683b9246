#include "gui/app/buildflow.h"

#include "gui/app/buildrunner.h"
#include "gui/dialogs/filemessage.h"
#include "gui/editor/projectdocument.h"
#include "i18n/messages.h"
#include "i18n/strings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QUrl>
#include <QWidget>

namespace lumarc::gui {

using i18n::getString;

namespace {
// How long the end of a build is told in the status bar.
constexpr int kSummaryMs = 15000;
}  // namespace

BuildFlow::BuildFlow(const ProjectDocument &document, QWidget *window)
    : QObject(window), m_document(document), m_window(window), m_runner(new BuildRunner(this))
{
    m_runner->askEmptying = [this](const QString &folder, const DestinationSurvey &survey) {
        return askEmptying(folder, survey);
    };
    connect(m_runner, &BuildRunner::phaseStarted, this, &BuildFlow::phaseStarted);
    connect(m_runner, &BuildRunner::progressed, this, &BuildFlow::progressed);
    connect(m_runner, &BuildRunner::finished, this, &BuildFlow::ended);
}

QString BuildFlow::relativeBase() const
{
    return m_document.path().isEmpty() ? m_dataFolder : QFileInfo(m_document.path()).absolutePath();
}

bool BuildFlow::isRunning() const { return m_runner->isRunning(); }

void BuildFlow::stop(bool closing)
{
    m_closing = closing;
    m_runner->stop();
}

void BuildFlow::start(bool htmlOnly, const QStringList &protectedFiles)
{
    if (isRunning())
        return;
    m_total = m_document.count();
    m_htmlOnly = htmlOnly;
    QByteArray key;
    if (m_store) {
        QStringList sources;
        for (const ImageItem &item : m_document.project().images.items())
            sources.append(item.path);
        key = projectKey(*m_store, m_document.path(), sources);
    }
    m_timer.start();
    m_runner->start(m_document.project(), htmlOnly, protectedFiles, relativeBase(), key);
}

bool BuildFlow::askEmptying(const QString &folder, const DestinationSurvey &survey)
{
    QMessageBox box(QMessageBox::Question, QString(),
                    getString(text::DestinationFolderPrefix) + QStringLiteral("\r\n'")
                        + QDir::toNativeSeparators(folder) + QStringLiteral("'\r\n") + getString(text::NotEmptyProceed),
                    QMessageBox::Yes | QMessageBox::No, m_window);
    box.setTextFormat(Qt::PlainText);  // folder and file names are no markup
    // What goes and what stays, so that nothing is removed unseen.
    const QStringList going = survey.toDelete + survey.toReplace;
    QString details = QString::number(going.size())
                      + (survey.earlierGallery ? getString(text::EarlierFilesDeletedSuffix)
                                               : getString(text::ForeignFilesReplacedSuffix));
    if (!survey.staying.isEmpty())
        details += QLatin1Char('\n') + getString(text::StayAsTheyArePrefix) + survey.staying.join(QStringLiteral(", "));
    box.setInformativeText(details);
    QStringList names;
    for (const QString &file : going)
        names.append(QDir::toNativeSeparators(file));
    box.setDetailedText(names.join(QLatin1Char('\n')));
    return box.exec() == QMessageBox::Yes;
}

void BuildFlow::ended(const BuildReport &report)
{
    if (report.stopped) {
        // The earlier gallery is gone and the new one is half made: the user must know.
        fileMessage(m_window, QMessageBox::Warning,
                    resolveDestination(m_document.settings().destinationFolder, relativeBase()),
                    getString(text::BuildStopped).arg(report.imagesProduced).arg(m_total));
    }
    if (m_closing) {
        // The user closed the window while the build ran: nothing more to show.
        m_closing = false;
        Q_EMIT finished(false);
        return;
    }
    // A refusal the user gave needs no word; one from another build does.
    if (report.fatal && (report.fatal->code != ErrorCode::Refused || !report.asked))
        showError(m_window, *report.fatal);
    if (!report.failures.isEmpty() || !report.warnings.isEmpty()) {
        // One box for all failures and warnings (settings replaced, links left out), each
        // with its file or field, instead of one box per image.
        QStringList lines;
        for (const Error &failure : report.failures + report.warnings)
            lines.append(messages::userLine(failure));
        QMessageBox box(QMessageBox::Critical, QString(), lines.first(), QMessageBox::Ok, m_window);
        box.setTextFormat(Qt::PlainText);
        if (lines.size() > 1) {
            box.setInformativeText(getString(text::ProblemCount).arg(lines.size()));
            box.setDetailedText(lines.join(QLatin1Char('\n')));
        }
        box.exec();
    }
    if (!report.fatal && !report.stopped) {
        if (auto *window = qobject_cast<QMainWindow *>(m_window))
            window->statusBar()->showMessage(buildSummary(report, m_total, m_htmlOnly, m_timer.elapsed()), kSummaryMs);
    }
    if (!report.firstPage.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(report.firstPage));
    Q_EMIT finished(report.succeeded());
}

}  // namespace lumarc::gui
