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
// scripts, the style sheet, the photo list and the background copies. Viewer images are
// written only when missing, so none is ever replaced.
QStringList htmlOnlyWrites(const GallerySettings &settings, int imageCount, const GalleryFolder &folder)
{
    QStringList writes;
    const int pages = pageCount(settings, imageCount);
    for (int page = 1; page <= pages; ++page)
        writes.append(pageFileName(page, pages));
    for (const ViewerFile &file : viewerScripts())
        writes.append(QString::fromLatin1(file.target));
    writes.append(libraryName(QLatin1String(kStyleSheetName)));
    writes.append(libraryName(QLatin1String(kPhotoListName)));
    for (const BackgroundCopy &copy : backgroundCopies(settings)) {
        // A background kept in the library already is not copied over itself.
        const std::optional<fileops::FileId> source = fileops::identity(copy.source);
        const fileops::Entry target = folder.entry(libraryName(copy.name));
        if (!source || target.type == fileops::EntryType::Missing || target.id != *source)
            writes.append(libraryName(copy.name));
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

GalleryBuild::GalleryBuild(const Project &input, const BuildOptions &options, Progress &progress)
    : m_htmlOnly(options.htmlOnly), m_workers(options.workers), m_keySource(options.projectKey)
{
    if (input.images.isEmpty()) {
        m_report.fatal = Error{ErrorCode::Invalid, QString(), QStringLiteral("the project has no images")};
        return;
    }
    if (input.settings.destinationFolder.trimmed().isEmpty()) {
        m_report.fatal = Error{ErrorCode::Invalid, QStringLiteral("destination_folder"),
                               QStringLiteral("no destination folder is set")};
        return;
    }
    // A layout that cannot form pages is refused before anything is written.
    if (Status error = checkLayout(input.settings)) {
        m_report.fatal = error;
        return;
    }

    // Names from a file may be unsafe or shared; the build works on a repaired copy.
    m_project = input;
    m_report.renamedOutputNames = repairOutputNames(m_project.images);
    for (const UnfitField &unfit : resetUnfitFields(m_project.settings))
        m_report.warnings.append(
            Error{ErrorCode::Invalid, QLatin1String(unfit.field->name),
                  QStringLiteral("needs %1, not '%2'; the gallery uses '%3'")
                      .arg(valueProblem(*unfit.field, unfit.value), unfit.value, unfit.replacement)});
    m_report.warnings.append(unpublishedLinks(m_project));
    m_folderPath = resolveDestination(m_project.settings.destinationFolder, options.relativeBase);
    const bool clean = !m_htmlOnly;

    progress.phase(i18n::getString(text::CreatingWebFolder));
    // Held open, and locked against a second build, until the build ends.
    Result<std::unique_ptr<GalleryFolder>> opened = GalleryFolder::open(m_folderPath);
    if (!opened) {
        m_report.fatal = opened.error();
        return;
    }
    m_folder = std::move(opened).value();
    Result<DestinationSurvey> survey = m_folder->survey(
        clean, clean ? QStringList() : htmlOnlyWrites(m_project.settings, m_project.images.count(), *m_folder),
        inputIdentities(m_project, options.protectedFiles));
    if (!survey) {
        m_report.fatal = survey.error();
        m_folder.reset();
        return;
    }
    m_survey = std::move(survey).value();
    // This project's own gallery: updated in place. A record that is not exactly as a build
    // writes it, or of another project, is no record: today's rule applies.
    if (clean && !options.clean && m_survey.generatorPage && m_folder->stamp(QLatin1String(kBuildRecordName))) {
        const Result<QByteArray> bytes = m_folder->read(QLatin1String(kBuildRecordName), kMaxRecordBytes + 1);
        if (bytes)
            m_record = parseBuildRecord(bytes.value());
        if (m_record && (m_record->project.isEmpty() || m_record->project != projectKey()))
            m_record.reset();
    }
}

QByteArray GalleryBuild::projectKey()
{
    if (!m_projectKey)
        m_projectKey = m_keySource ? m_keySource() : QByteArray();
    return *m_projectKey;
}

GalleryBuild::~GalleryBuild() = default;

bool GalleryBuild::needsConsent() const { return !m_report.fatal && !m_record && m_survey.needsConsent(); }

BuildReport GalleryBuild::finish(bool consent, Progress &progress)
{
    // The folder is released when the build ends, whichever way.
    const std::unique_ptr<GalleryFolder> held = std::move(m_folder);
    BuildReport report = std::move(m_report);
    if (report.fatal || !held)
        return report;
    const bool update = m_record.has_value();
    if (!update && m_survey.needsConsent()) {
        report.asked = true;
        if (!consent) {
            report.fatal = Error{ErrorCode::Refused, m_folderPath,
                                 QStringLiteral("holds files the build would replace; they were not touched")};
            return report;
        }
    }
    GalleryFolder &folder = *held;
    // Once anything changes the record no longer tells the truth; a new one is written only
    // when everything it lists has been written.
    if (!m_htmlOnly && m_survey.earlierGallery) {
        if (Status error = folder.remove(QLatin1String(kBuildRecordName))) {
            report.fatal = error;
            return report;
        }
    }
    if (update) {
        folder.keepUnchangedFiles();
        report.updated = true;
    }
    if (Status error = folder.prepare(update ? DestinationSurvey() : m_survey, !m_htmlOnly, &report.failures,
                                      &report.deletedFiles)) {
        report.fatal = error;
        return report;
    }

    BuildPlan plan;
    if (!m_htmlOnly) {
        plan = planBuild(m_project, update ? &*m_record : nullptr, folder);
        for (const QString &gone : std::as_const(plan.remove)) {
            if (Status error = folder.remove(gone))
                report.failures.append(*error);
        }
        report.imagesRemoved = plan.removedImages;
        for (const QString &edited : std::as_const(plan.changedByHand))
            report.warnings.append(Error{ErrorCode::Invalid, folder.pathOf(edited),
                                         QStringLiteral("was changed since the gallery made it, so it stays")});
        progress.phase(i18n::getString(text::CreatingThumbnails));
        ImageReport images = makeImages(m_project, folder, m_workers, progress, &plan.make);
        report.failures.append(images.failures);
        report.imagesProduced = images.produced;
        report.imagesKept = plan.kept;
        report.imagesFailed = int(m_project.images.count()) - plan.kept - images.produced;
        if (images.stopped) {
            report.stopped = true;
            return report;
        }
    }

    // A page that cannot be written is one failure among others: the style sheet still is.
    const QString firstPage = folder.pathOf(firstPageName(m_project.settings, m_project.images.count()));
    const QList<Error> pageFailures = writePages(m_project, folder, progress);
    report.failures.append(pageFailures);
    const bool firstPageWritten =
        std::none_of(pageFailures.begin(), pageFailures.end(), [&](const Error &e) { return e.path == firstPage; });
    if (firstPageWritten)
        report.firstPage = firstPage;
    if (update) {
        // Pages of a longer gallery, found by their names.
        const int pages = pageCount(m_project.settings, m_project.images.count());
        QSet<QString> current;
        for (int page = 1; page <= pages; ++page)
            current.insert(pageFileName(page, pages));
        for (const QString &name : std::as_const(m_survey.toDelete)) {
            if (isPageFileName(name) && !current.contains(name)
                && folder.entry(name).type == fileops::EntryType::File) {
                if (Status error = folder.remove(name))
                    report.failures.append(*error);
            }
        }
    }
    report.failures.append(writeStyleSheet(m_project.settings, folder));

    if (!m_htmlOnly && !projectKey().isEmpty()) {
        // Only what is there as it was written: a file that failed is made again next time.
        BuildRecord record{projectKey(), plan.keptOutputs};
        const QHash<QString, QByteArray> written = folder.writtenFiles();
        for (auto it = plan.madeOutputs.cbegin(); it != plan.madeOutputs.cend(); ++it) {
            const auto hash = written.constFind(it.key());
            const std::optional<fileops::Stamp> stamp = folder.stamp(it.key());
            if (hash == written.cend() || !stamp)
                continue;
            RecordedOutput output = it.value();
            output.hash = hash.value();
            output.stamp = stampText(*stamp);
            record.outputs.insert(it.key(), output);
        }
        if (Status error = folder.write(QLatin1String(kBuildRecordName), serialiseBuildRecord(record)))
            report.warnings.append(*error);
    }
    return report;
}

QString buildSummary(const BuildReport &report, int images, bool htmlOnly, qint64 milliseconds)
{
    const QString seconds = QString::number(double(milliseconds) / 1000.0, 'f', 1);
    if (htmlOnly)
        return QStringLiteral("%1 images: pages only, %2 s").arg(images).arg(seconds);
    QString text = QStringLiteral("%1 images: %2 made, %3 unchanged, %4 removed")
                       .arg(images)
                       .arg(report.imagesProduced)
                       .arg(report.imagesKept)
                       .arg(report.imagesRemoved);
    if (report.imagesFailed > 0)
        text += QStringLiteral(", %1 failed").arg(report.imagesFailed);
    return text + QStringLiteral(", %1 s").arg(seconds);
}

BuildReport buildGallery(const Project &project, const BuildOptions &options, Progress &progress)
{
    GalleryBuild build(project, options, progress);
    const bool consent =
        build.needsConsent() && options.confirmEmptying && options.confirmEmptying(build.folder(), build.survey());
    return build.finish(consent, progress);
}

}  // namespace lumarc
