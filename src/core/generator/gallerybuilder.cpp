#include "generator/gallerybuilder.h"

#include "generator/imageproducer.h"
#include "generator/pagewriter.h"
#include "generator/stylesheetwriter.h"
#include "i18n/strings.h"
#include "model/outputnames.h"
#include "support/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace lumarc {
namespace {

// The destination as an absolute path with its own links resolved: the user may point a
// build at a link to a folder, but everything inside is then checked against the real place.
QString resolvedFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString comparable(const QString &path)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return path.toCaseFolded();
#else
    return path;
#endif
}

// The files an "HTML only" build replaces that an earlier gallery may have left: pages,
// viewer scripts, the style sheet and the background copies. A full build needs no such list,
// since it removes every file of an earlier gallery before it writes, and the survey has
// them all. Viewer images are written only when missing, so none is ever replaced.
QStringList htmlOnlyWrites(const GallerySettings &settings, int imageCount, const QString &folder)
{
    QStringList writes;
    const int pages = pageCount(settings, imageCount);
    for (int page = 1; page <= pages; ++page)
        writes.append(paths::join(folder, pageFileName(page, pages)));
    for (const ViewerFile &file : viewerScripts())
        writes.append(paths::join(folder, QString::fromLatin1(file.target)));
    const QString library = paths::join(folder, QLatin1String(kLibraryFolderName));
    writes.append(paths::join(library, QLatin1String(kStyleSheetName)));
    for (const BackgroundCopy &copy : backgroundCopies(settings)) {
        // A background kept in the library already is copied onto itself, unchanged.
        const QString target = paths::join(library, copy.name);
        const QString canonical = QFileInfo(copy.source).canonicalFilePath();
        if (canonical.isEmpty() || comparable(canonical) != comparable(QFileInfo(target).canonicalFilePath()))
            writes.append(target);
    }
    return writes;
}

// The first input of the build that it would delete or overwrite; empty when none is.
QString endangeredInput(const Project &project, const QStringList &protectedFiles, const QStringList &doomed)
{
    QSet<QString> doomedPaths;
    for (const QString &path : doomed) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty())
            doomedPaths.insert(comparable(canonical));
    }
    if (doomedPaths.isEmpty())
        return {};
    QStringList inputs = protectedFiles;
    inputs << project.settings.pageBackgroundImage << project.settings.cellBackgroundImage;
    for (const ImageItem &item : project.images.items())
        inputs.append(item.path);
    for (const QString &input : std::as_const(inputs)) {
        const QString canonical = input.isEmpty() ? QString() : QFileInfo(input).canonicalFilePath();
        if (!canonical.isEmpty() && doomedPaths.contains(comparable(canonical)))
            return input;
    }
    return {};
}

} // namespace

BuildReport buildGallery(const Project &input, const BuildOptions &options, Progress &progress)
{
    BuildReport report;
    if (input.images.isEmpty()) {
        report.fatal = Error{ErrorCode::Invalid, QString(), QStringLiteral("the project has no images")};
        return report;
    }
    if (input.settings.destinationFolder.trimmed().isEmpty()) {
        report.fatal = Error{ErrorCode::Invalid, QStringLiteral("destination_folder"),
                             QStringLiteral("no destination folder is set")};
        return report;
    }
    // A layout that cannot form pages is refused before anything is written.
    if (Status error = checkLayout(input.settings)) {
        report.fatal = error;
        return report;
    }

    // Names from a file may be unsafe or shared; the build works on a repaired copy.
    Project project = input;
    report.renamedOutputNames = repairOutputNames(project.images);
    for (const UnfitField &unfit : resetUnfitFields(project.settings))
        report.warnings.append(Error{ErrorCode::Invalid, QLatin1String(unfit.field->name),
                                     QStringLiteral("needs %1, not '%2'; the gallery uses '%3'")
                                         .arg(valueProblem(*unfit.field, unfit.value), unfit.value, unfit.replacement)});
    report.warnings.append(unpublishedLinks(project));
    const QString folder = resolvedFolder(project.settings.destinationFolder);
    const bool clean = !options.htmlOnly;

    progress.phase(i18n::getString(200, QStringLiteral("Creating web folder...")));
    Result<DestinationSurvey> survey = surveyDestination(folder, clean);
    if (!survey) {
        report.fatal = survey.error();
        return report;
    }
    const QString endangered = endangeredInput(
        project, options.protectedFiles,
        clean ? survey.value().toDelete : htmlOnlyWrites(project.settings, project.images.count(), folder));
    if (!endangered.isEmpty()) {
        report.fatal = Error{ErrorCode::Invalid, endangered,
                             QStringLiteral("is an input of this build, and making the gallery in %1 would delete or "
                                            "overwrite it; nothing was written (choose another destination folder)")
                                 .arg(QDir::toNativeSeparators(folder))};
        return report;
    }
    if (!survey.value().toDelete.isEmpty()
        && (!options.confirmEmptying || !options.confirmEmptying(folder, survey.value()))) {
        report.fatal = Error{ErrorCode::Refused, folder,
                             QStringLiteral("holds files of an earlier gallery; they were not removed")};
        return report;
    }
    if (Status error = prepareDestination(folder, survey.value(), &report.failures)) {
        report.fatal = error;
        return report;
    }
    report.deletedFiles = int(survey.value().toDelete.size());

    if (!options.htmlOnly) {
        progress.phase(i18n::getString(201, QStringLiteral("Creating thumbnails...")));
        ImageReport images = makeImages(project, folder, options.workers, progress);
        report.failures.append(images.failures);
        report.imagesProduced = images.produced;
        if (images.stopped) {
            report.stopped = true;
            return report;
        }
    }

    // A page that cannot be written is one failure among others: the style sheet still is.
    const QString firstPage = paths::join(folder, firstPageName(project.settings, project.images.count()));
    const QList<Error> pageFailures = writePages(project, folder, progress);
    report.failures.append(pageFailures);
    const bool firstPageWritten = std::none_of(pageFailures.begin(), pageFailures.end(),
                                               [&](const Error &e) { return e.path == firstPage; });
    if (firstPageWritten)
        report.firstPage = firstPage;
    report.failures.append(writeStyleSheet(project.settings, folder));
    return report;
}

} // namespace lumarc
