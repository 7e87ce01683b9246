#include "generator/gallerybuilder.h"

#include "generator/imageproducer.h"
#include "generator/pagewriter.h"
#include "generator/stylesheetwriter.h"
#include "i18n/strings.h"
#include "support/paths.h"

namespace lumarc {

BuildReport buildGallery(const Project &project, const BuildOptions &options, Progress &progress)
{
    BuildReport report;
    const GallerySettings &settings = project.settings;
    const QString folder = settings.destinationFolder;

    if (project.images.isEmpty()) {
        report.fatal = Error{ErrorCode::Invalid, QString(), i18n::getString(181, QStringLiteral("No images!"))};
        return report;
    }
    if (folder.trimmed().isEmpty()) {
        report.fatal = Error{ErrorCode::Invalid, QStringLiteral("destination_folder"),
                             QStringLiteral("no destination folder is set")};
        return report;
    }
    // A layout that cannot form pages is refused before anything is written.
    if (Status error = checkLayout(settings)) {
        report.fatal = error;
        return report;
    }

    progress.phase(i18n::getString(200, QStringLiteral("Creating web folder...")));
    if (Status error = prepareDestination(folder, !options.htmlOnly, options.confirmEmptying, &report.failures)) {
        report.fatal = error;
        return report;
    }

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

    if (Status error = writePages(project, folder, progress)) {
        report.fatal = error;
        return report;
    }
    report.firstPage = paths::join(folder, firstPageName(settings, project.images.count()));
    if (Status error = writeStyleSheet(settings, folder))
        report.failures.append(*error);
    return report;
}

} // namespace lumarc
