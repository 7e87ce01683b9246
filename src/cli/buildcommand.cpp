#include "adding/imageadder.h"
#include "cli/commandparser.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/projectfiles.h"

#include "generator/gallerybuilder.h"
#include "imaging/imageengine.h"
#include "storage/datafolder.h"
#include "storage/openfile.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"
#include "support/paths.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace lumarc::cli {
namespace {

const char kBuildHelp[] = R"(Usage: lumarc build SOURCE... [options]

Makes the web gallery: large images, thumbnails, pages, style sheet and viewer files.
SOURCE is a project file (.zeb), or image files and folders from which a project is
made on the fly (the readable images directly inside each folder, sorted by name).

Options:
  -o, --output DIR     write the gallery into DIR instead of the settings' destination_folder
  --settings FILE      settings for a project made on the fly (.zes, .zem or .zeb);
                       default: default.zem of the data folder when it exists, else the defaults
  --html-only          rewrite pages, style sheet and viewer files; leave the images alone
  --clean              remove what an earlier build wrote (asking, as below) and make
                       everything again, instead of updating this project's own gallery
  -y, --yes            remove or replace files in the destination without asking
  -j, --jobs N         produce N images at a time (default: one per core)
  --open               open the first page in the web browser when done
  -q, --quiet          no progress bar and no summary

A build writes only inside the destination folder, one build at a time. A folder that
holds this project's gallery, with the record of its last build (.lumarc-build.json), is
updated in place without asking: only the images whose source, settings or files changed
are made again, files whose bytes are unchanged are left alone, and the files of images
that left the project are removed unless they were changed since. Otherwise, of an earlier
gallery there (a folder holding a page that a build wrote) it removes only what a gallery
build writes (index.html, zeb*.html, the viewer files and the files inside images, library,
thumbs and photos), after asking; anything else stays. Pages and viewer files that no build
wrote are replaced only after asking, also with --html-only. Before writing anything it
refuses a destination with a link where it would write, one where it would delete or
overwrite any of its own inputs, and one whose images, library, thumbs or photos folders
hold files of the user's own while no gallery is there (exit 2, also with --yes).

Exit status: 0 all went well; 1 some images or files failed (the gallery is still written);
2 bad usage or input, or a destination refused as above; 3 files in the destination were
not removed or replaced (no --yes, or the answer was no), or another build holds the folder.
)";

struct BuildArgs {
    QStringList sources;
    std::optional<QString> output;
    QString settings;
    bool htmlOnly = false;
    bool clean = false;
    bool yes = false;
    bool open = false;
    bool quiet = false;
    int jobs = 0;
};

// Reads the options; nullopt to go on, else the exit code.
std::optional<int> parse(const QStringList &arguments, BuildArgs &out)
{
    CommandParser parser(QStringLiteral("build"), kBuildHelp,
                         {valued({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("DIR")),
                          valued({QStringLiteral("settings")}, QStringLiteral("FILE")),
                          flag({QStringLiteral("html-only")}), flag({QStringLiteral("clean")}),
                          flag({QStringLiteral("y"), QStringLiteral("yes")}),
                          valued({QStringLiteral("j"), QStringLiteral("jobs")}, QStringLiteral("N")),
                          flag({QStringLiteral("open")}), flag({QStringLiteral("q"), QStringLiteral("quiet")})});
    if (const std::optional<int> exit = parser.parse(arguments))
        return exit;
    out.sources = parser.positional();
    if (parser.isSet(QStringLiteral("output")))
        out.output = parser.value(QStringLiteral("output"));
    out.settings = parser.value(QStringLiteral("settings"));
    out.htmlOnly = parser.isSet(QStringLiteral("html-only"));
    out.clean = parser.isSet(QStringLiteral("clean"));
    out.yes = parser.isSet(QStringLiteral("yes"));
    out.open = parser.isSet(QStringLiteral("open"));
    out.quiet = parser.isSet(QStringLiteral("quiet"));
    if (parser.isSet(QStringLiteral("jobs"))) {
        const QString text = parser.value(QStringLiteral("jobs"));
        bool ok = false;
        out.jobs = text.toInt(&ok);
        if (!ok || out.jobs < 1 || out.jobs > 256)
            return parser.usageError(QStringLiteral("--jobs needs a number from 1 to 256, not '%1'").arg(text));
    }
    if (out.sources.isEmpty())
        return parser.usageError(QStringLiteral("missing SOURCE"));
    if (out.output && out.output->trimmed().isEmpty())
        return parser.usageError(QStringLiteral("the output folder is empty; name a folder after -o"));
    return std::nullopt;
}

// A project from image files and folders: records only, no previews. Files that cannot be
// decoded are reported by the build itself.
Result<Project> projectFromSources(const BuildArgs &args)
{
    Project project;
    if (!args.settings.isEmpty()) {
        Result<GallerySettings> settings = readSettingsFile(args.settings);
        if (!settings)
            return settings.error();
        project.settings = std::move(settings).value();
    } else {
        project.settings = defaultSettings();
    }
    for (const QString &source : args.sources) {
        const QFileInfo info(source);
        if (!info.exists())
            return Error{ErrorCode::NotFound, source, QStringLiteral("no such file or folder")};
        QStringList files;
        if (info.isDir()) {
            files = readableImagesIn(info.absoluteFilePath());
        } else if (fileKindByName(source) == FileKind::Project) {  // a folder was ruled out above
            return Error{ErrorCode::Invalid, source, QStringLiteral("a project file must be the only SOURCE")};
        } else if (!info.isFile()) {
            return Error{ErrorCode::Invalid, source, QStringLiteral("is neither a regular file nor a folder")};
        } else {
            files.append(info.absoluteFilePath());
        }
        for (const QString &file : files) {
            if (project.images.containsPath(file))
                continue;
            project.images.append(newImageRecord(project, file));
        }
    }
    if (project.images.isEmpty())
        return Error{ErrorCode::NotFound, args.sources.join(QLatin1Char(' ')),
                     QStringLiteral("no readable images found")};
    return project;
}

// A one-line progress bar on stderr, redrawn in place.
class TerminalProgress final : public Progress {
public:
    explicit TerminalProgress(bool draw) : m_draw(draw) {}
    void phase(const QString &title) override
    {
        if (m_draw) {
            finishLine();
            printErr(title + QLatin1Char('\n'));
        }
    }
    void step(int done, int total, const QString &item) override
    {
        if (!m_draw || total <= 0)
            return;
        constexpr int kWidth = 30;
        const int filled = int(qint64(done) * kWidth / total);
        QString name = visible(paths::fileName(item));
        if (name.size() > 36)
            name = name.left(33) + QStringLiteral("...");
        printErrRaw(QStringLiteral("\r[%1%2] %3/%4 %5\x1b[K")
                        .arg(QString(filled, QLatin1Char('#')), QString(kWidth - filled, QLatin1Char('.')))
                        .arg(done)
                        .arg(total)
                        .arg(name));
        m_open = true;
    }
    bool stopRequested() const override { return false; }
    void finishLine()
    {
        if (m_open)
            printErr(QStringLiteral("\n"));
        m_open = false;
    }

private:
    bool m_draw;
    bool m_open = false;
};

// The desktop's own "open" for a local file; no command interpreter ever sees the path.
void openInBrowser(const QString &page)
{
    const QUrl url = QUrl::fromLocalFile(page);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's opener, as Qt's own desktop services call it, but without a connection
    // to a display: a build in a terminal whose display has gone must not fail at the end.
    const bool opened = QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromUtf8(url.toEncoded())});
#else
    const bool opened = QDesktopServices::openUrl(url);
#endif
    if (!opened)
        report(page, QStringLiteral("could not be opened in the web browser"));
}

QString fileCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

// What the files the build would remove or write over are, for the question and the refusal.
QString whatGoes(const DestinationSurvey &survey)
{
    const qsizetype count = survey.toDelete.size() + survey.toReplace.size();
    if (survey.earlierGallery)
        return QStringLiteral("%1 of an earlier gallery").arg(fileCount(count));
    constexpr qsizetype kShown = 8;
    const QStringList names = survey.toDelete + survey.toReplace;
    QStringList shown = names.mid(0, kShown);
    if (names.size() > kShown)
        shown.append(QStringLiteral("and %1 more").arg(names.size() - kShown));
    return QStringLiteral("%1 that no gallery build wrote (%2)")
        .arg(fileCount(count), shown.join(QStringLiteral(", ")));
}

// What the user is asked before existing files go: how many go, and what stays.
QString emptyingQuestion(const QString &folder, const DestinationSurvey &survey)
{
    const qsizetype count = survey.toDelete.size() + survey.toReplace.size();
    QString text =
        QStringLiteral("The destination folder '%1' holds %2.").arg(QDir::toNativeSeparators(folder), whatGoes(survey));
    if (!survey.staying.isEmpty()) {
        constexpr qsizetype kShown = 8;
        QStringList shown = survey.staying.mid(0, kShown);
        if (survey.staying.size() > kShown)
            shown.append(QStringLiteral("and %1 more").arg(survey.staying.size() - kShown));
        text += QStringLiteral("\nThese stay as they are: %1.").arg(shown.join(QStringLiteral(", ")));
    }
    const QString verb = survey.toReplace.isEmpty() ? QStringLiteral("Delete") : QStringLiteral("Replace");
    return text + QStringLiteral("\n%1 the %2 and make the gallery?").arg(verb, fileCount(count));
}

}  // namespace

int runBuild(const QStringList &arguments)
{
    BuildArgs args;
    if (const std::optional<int> exit = parse(arguments, args))
        return *exit;
    imaging::initialise();

    Project project;
    int renamedOnLoad = 0;
    const bool fromProject = args.sources.size() == 1 && fileKind(args.sources.first()) == FileKind::Project;
    if (fromProject) {
        if (!args.settings.isEmpty())
            return usageError(QStringLiteral("build"),
                              QStringLiteral("--settings applies to image sources, not to a project"));
        Result<Project> loaded = loadProject(args.sources.first(), &renamedOnLoad);
        if (!loaded)
            return failed(loaded.error());
        project = std::move(loaded).value();
    } else {
        Result<Project> made = projectFromSources(args);
        if (!made)
            return failed(made.error());
        project = std::move(made).value();
    }
    if (args.output)
        project.settings.destinationFolder = QDir::cleanPath(QFileInfo(*args.output).absoluteFilePath());

    TerminalProgress progress(!args.quiet && stderrIsTerminal());
    BuildOptions options;
    options.htmlOnly = args.htmlOnly;
    options.clean = args.clean;
    options.workers = args.jobs;
    // The program's own per-user store, shared with the window: a gallery made by one is
    // updated in place by the other. Only a build that reads or writes a record touches it.
    options.projectKey = [&] {
        QSettings store;
        // A build on the fly is known by what it was given, so that a folder that gains or
        // loses photos still updates its gallery.
        QStringList sources;
        for (const QString &source : std::as_const(args.sources))
            sources.append(QFileInfo(source).absoluteFilePath());
        return projectKey(store, fromProject ? QFileInfo(args.sources.first()).absoluteFilePath() : QString(), sources);
    };
    if (fromProject) {
        options.protectedFiles.append(args.sources.first());
        options.relativeBase = QFileInfo(args.sources.first()).absolutePath();
    }
    if (!args.settings.isEmpty())
        options.protectedFiles.append(args.settings);
    options.protectedFiles.append(defaultSettingsPath());
    bool refusedQuietly = false;
    QString doomed;
    options.confirmEmptying = [&](const QString &folder, const DestinationSurvey &survey) {
        doomed = whatGoes(survey);
        if (args.yes)
            return true;
        if (stdinIsTerminal()) {
            progress.finishLine();
            return askYesNo(emptyingQuestion(folder, survey));
        }
        refusedQuietly = true;
        return false;
    };

    QElapsedTimer timer;
    timer.start();
    const BuildReport result = buildGallery(project, options, progress);
    progress.finishLine();

    reportRenamedOutputNames(args.sources.first(), renamedOnLoad + result.renamedOutputNames, false);
    for (const Error &failure : result.failures)
        report(failure);
    for (const Error &warning : result.warnings)
        report(warning);
    if (result.fatal) {
        if (result.fatal->code == ErrorCode::Refused) {
            if (!result.asked)
                report(*result.fatal);  // another build holds the folder
            else
                report(result.fatal->path,
                       refusedQuietly
                           ? QStringLiteral("holds %1; use --yes to replace them (nothing was written)").arg(doomed)
                           : QStringLiteral("not emptied; nothing was written"));
            return kExitRefused;
        }
        report(*result.fatal);
        return kExitUsage;
    }
    if (!args.quiet && result.deletedFiles > 0)
        printErr(QStringLiteral("Removed %1 before writing\n").arg(fileCount(result.deletedFiles)));

    if (!args.quiet) {
        printErr(buildSummary(result, int(project.images.count()), args.htmlOnly, timer.elapsed()) + QLatin1Char('\n'));
        printOut(visible(QDir::toNativeSeparators(result.firstPage)) + QLatin1Char('\n'));
    }
    if (args.open && !result.firstPage.isEmpty())
        openInBrowser(result.firstPage);
    // Memory, threads or file handles running out is no fault of the images: the build could
    // not be done.
    const bool outOfResources = std::any_of(result.failures.cbegin(), result.failures.cend(), [](const Error &e) {
        return e.systemCode == ENOMEM || e.systemCode == EAGAIN || e.systemCode == EMFILE || e.systemCode == ENFILE;
    });
    if (outOfResources)
        return kExitUsage;
    return result.failures.isEmpty() ? kExitOk : kExitSomeFailed;
}

}  // namespace lumarc::cli
