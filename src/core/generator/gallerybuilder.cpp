#include "generator/gallerybuilder.h"

#include "generator/imageproducer.h"
#include "generator/pagewriter.h"
#include "generator/stylesheetwriter.h"
#include "i18n/strings.h"
#include "model/outputnames.h"
#include "support/fileops.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace lumarc {
namespace {

// The names an "HTML only" build writes that an earlier gallery may have left: pages, viewer
// scripts, the style sheet and the background copies. Viewer images are written only when
// missing, so none is ever replaced.
QStringList htmlOnlyWrites(const GallerySettings &settings, int imageCount, const GalleryFolder &folder)
{
    QStringList writes;
    const int pages = pageCount(settings, imageCount);
    for (int page = 1; page <= pages; ++page)
        writes.append(pageFileName(page, pages));
    for (const ViewerFile &file : viewerScripts())
        writes.append(QString::fromLatin1(file.target));
    const QString library = QLatin1String(kLibraryFolderName) + QLatin1Char('/');
    writes.append(library + QLatin1String(kStyleSheetName));
    for (const BackgroundCopy &copy : backgroundCopies(settings)) {
        // A background kept in the library already is not copied over itself.
        const std::optional<fileops::FileId> source = fileops::identity(copy.source);
        const fileops::Entry target = folder.entry(library + copy.name);
        if (!source || target.type == fileops::EntryType::Missing || target.id != *source)
            writes.append(library + copy.name);
    }
    return writes;
}

// Every file the build reads, by identity: a source photo reached through another spelling,
// a link or a hard link is still recognised.
QSet<fileops::FileId> inputIdentities(const Project &project, const QStringList &protectedFiles)
{
    QStringList inputs = protectedFiles;
    inputs << project.settings.pageBackgroundImage << project.settings.cellBackgroundImage;
    for (const ImageItem &item : project.images.items())
        inputs.append(item.path);
    QSet<fileops::FileId> ids;
    for (const QString &input : std::as_const(inputs)) {
        if (const std::optional<fileops::FileId> id = fileops::identity(input))
            ids.insert(*id);
    }
    return ids;
}

}  // namespace

QString resolveDestination(const QString &folder, const QString &base)
{
    const QFileInfo info(QDir::isRelativePath(folder) && !base.isEmpty() ? QDir(base).filePath(folder) : folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

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
        report.warnings.append(
            Error{ErrorCode::Invalid, QLatin1String(unfit.field->name),
                  QStringLiteral("needs %1, not '%2'; the gallery uses '%3'")
                      .arg(valueProblem(*unfit.field, unfit.value), unfit.value, unfit.replacement)});
    report.warnings.append(unpublishedLinks(project));
    const QString folderPath = resolveDestination(project.settings.destinationFolder, options.relativeBase);
    const bool clean = !options.htmlOnly;

    progress.phase(i18n::getString(text::CreatingWebFolder));
    // Held open, and locked against a second build, until the build ends.
    Result<std::unique_ptr<GalleryFolder>> opened = GalleryFolder::open(folderPath);
    if (!opened) {
        report.fatal = opened.error();
        return report;
    }
    const GalleryFolder &folder = *opened.value();
    const Result<DestinationSurvey> survey =
        folder.survey(clean, clean ? QStringList() : htmlOnlyWrites(project.settings, project.images.count(), folder),
                      inputIdentities(project, options.protectedFiles));
    if (!survey) {
        report.fatal = survey.error();
        return report;
    }
    if (survey.value().needsConsent()) {
        report.asked = true;
        if (!options.confirmEmptying || !options.confirmEmptying(folderPath, survey.value())) {
            report.fatal = Error{ErrorCode::Refused, folderPath,
                                 QStringLiteral("holds files the build would replace; they were not touched")};
            return report;
        }
    }
    if (Status error = opened.value()->prepare(survey.value(), clean, &report.failures, &report.deletedFiles)) {
        report.fatal = error;
        return report;
    }

    if (!options.htmlOnly) {
        progress.phase(i18n::getString(text::CreatingThumbnails));
        ImageReport images = makeImages(project, folder, options.workers, progress);
        report.failures.append(images.failures);
        report.imagesProduced = images.produced;
        if (images.stopped) {
            report.stopped = true;
            return report;
        }
    }

    // A page that cannot be written is one failure among others: the style sheet still is.
    const QString firstPage = folder.pathOf(firstPageName(project.settings, project.images.count()));
    const QList<Error> pageFailures = writePages(project, folder, progress);
    report.failures.append(pageFailures);
    const bool firstPageWritten =
        std::none_of(pageFailures.begin(), pageFailures.end(), [&](const Error &e) { return e.path == firstPage; });
    if (firstPageWritten)
        report.firstPage = firstPage;
    report.failures.append(writeStyleSheet(project.settings, folder));
    return report;
}

}  // namespace lumarc
