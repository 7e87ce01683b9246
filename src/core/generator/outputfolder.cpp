#include "generator/outputfolder.h"

#include "generator/folders.h"
#include "i18n/strings.h"
#include "support/filebytes.h"
#include "support/paths.h"
#include "support/resources.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <filesystem>

namespace fs = std::filesystem;

namespace lumarc {
namespace {

const QStringList kSubfolders = {QLatin1String(kImagesFolderName), QLatin1String(kLibraryFolderName),
                                 QLatin1String(kThumbsFolderName), QLatin1String(kPhotosFolderName)};

QByteArray resourceBytes(const char *resource)
{
    ensureResources();
    QFile file(QString::fromLatin1(resource));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Images are written only when missing: a gallery's own copies are left as they are.
Status writeViewerImage(const QString &folder, const ViewerFile &file)
{
    const QString target = paths::join(folder, QString::fromLatin1(file.target));
    if (const QFileInfo info(target); info.exists() || info.isSymLink())
        return std::nullopt;
    const QByteArray bytes = resourceBytes(file.resource);
    if (bytes.isEmpty())
        return Error{ErrorCode::NotFound, target, QStringLiteral("embedded viewer file is missing")};
    return replaceFile(target, bytes);
}

// Scripts are always rewritten, without trailing zero bytes of padding.
Status writeViewerScript(const QString &folder, const ViewerFile &file)
{
    const QString target = paths::join(folder, QString::fromLatin1(file.target));
    QByteArray bytes = resourceBytes(file.resource);
    qsizetype end = bytes.size();
    while (end > 0 && bytes.at(end - 1) == '\0')
        --end;
    if (end <= 1)
        return Error{ErrorCode::WriteFailed, target, QStringLiteral("the embedded viewer file is empty")};
    bytes.truncate(end);
    return replaceFile(target, bytes);
}

} // namespace

const QList<ViewerFile> &viewerImages()
{
    static const QList<ViewerFile> files = {
        {"images/close.gif", ":/viewer/close.gif"},
        {"images/closelabel.gif", ":/viewer/closelabel.gif"},
        {"images/nextlabel.gif", ":/viewer/nextlabel.gif"},
        {"images/prevlabel.gif", ":/viewer/prevlabel.gif"},
        {"images/loading.gif", ":/viewer/loading.gif"},
    };
    return files;
}

const QList<ViewerFile> &viewerScripts()
{
    static const QList<ViewerFile> files = {
        {"effects.js", ":/viewer/effects.js"},
        {"builder.js", ":/viewer/builder.js"},
        {"lightbox.js", ":/viewer/lightbox.js"},
        {"prototype.js", ":/viewer/prototype.js"},
        {"scriptaculous.js", ":/viewer/scriptaculous.js"},
        {"lightbox.css", ":/viewer/lightbox.css"},
    };
    return files;
}

bool isGalleryFileName(const QString &name)
{
    static const QRegularExpression pages(QStringLiteral("^(index|zeb[0-9]*)\\.html$"));
    if (pages.match(name).hasMatch())
        return true;
    for (const ViewerFile &file : viewerScripts()) {
        if (name == QLatin1String(file.target))
            return true;
    }
    return false;
}

Result<DestinationSurvey> surveyDestination(const QString &folder, bool clean)
{
    DestinationSurvey survey;
    std::error_code ec;
    if (!fs::exists(toFs(folder), ec))
        return survey;
    const auto listed = [&](const fs::path &dir, const auto &visit) -> Status {
        std::error_code listError;
        for (fs::directory_iterator it(dir, listError), end; !listError && it != end; it.increment(listError)) {
            if (Status error = visit(*it))
                return error;
        }
        if (listError)
            return folderError(fromFs(dir), listError);
        return std::nullopt;
    };
    const Status status = listed(toFs(folder), [&](const fs::directory_entry &entry) -> Status {
        const QString name = fromFs(entry.path().filename());
        std::error_code typeError;
        const fs::file_status type = entry.symlink_status(typeError);
        const bool subfolder = kSubfolders.contains(name);
        if (fs::is_symlink(type) && (subfolder || isGalleryFileName(name)))
            return linkRefused(fromFs(entry.path()));
        if (subfolder && fs::is_directory(type)) {
            return listed(entry.path(), [&](const fs::directory_entry &inner) -> Status {
                std::error_code innerError;
                const fs::file_status innerType = inner.symlink_status(innerError);
                if (fs::is_symlink(innerType))
                    return linkRefused(fromFs(inner.path()));
                if (fs::is_directory(innerType))
                    survey.staying.append(name + QLatin1Char('/') + fromFs(inner.path().filename()) + QLatin1Char('/'));
                else if (clean)
                    survey.toDelete.append(fromFs(inner.path()));
                return std::nullopt;
            });
        }
        if (isGalleryFileName(name) && !fs::is_directory(type)) {
            if (clean)
                survey.toDelete.append(fromFs(entry.path()));
            return std::nullopt;
        }
        survey.staying.append(fs::is_directory(type) ? name + QLatin1Char('/') : name);
        return std::nullopt;
    });
    if (status)
        return *status;
    survey.toDelete.sort();
    survey.staying.sort();
    return survey;
}

Status prepareDestination(const QString &folder, const DestinationSurvey &survey, QList<Error> *warnings)
{
    // ensureFolder() accepts an existing folder and refuses a file in its place.
    if (Status error = ensureFolder(folder))
        return error;
    for (const QString &file : survey.toDelete) {
        if (Status error = removeFile(file))
            return error;
    }
    for (const char *name : {kImagesFolderName, kLibraryFolderName}) {
        if (Status error = ensureFolder(paths::join(folder, QLatin1String(name))))
            return error;
    }
    const auto warn = [warnings](Status error) {
        if (error && warnings)
            warnings->append(*error);
    };
    for (const ViewerFile &file : viewerImages())
        warn(writeViewerImage(folder, file));
    for (const ViewerFile &file : viewerScripts())
        warn(writeViewerScript(folder, file));
    return std::nullopt;
}

} // namespace lumarc
