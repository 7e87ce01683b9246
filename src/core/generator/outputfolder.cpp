#include "generator/outputfolder.h"

#include "generator/folders.h"
#include "i18n/strings.h"
#include "support/filebytes.h"
#include "support/paths.h"
#include "support/resources.h"

#include <QFile>

namespace lumarc {
namespace {

Status writeBytes(const QString &target, const QByteArray &bytes)
{
    Status written = replaceFile(target, bytes);
    if (written)
        written->detail = i18n::getString(197, QStringLiteral("Error writing file:")) + target + QStringLiteral(": ")
            + written->detail;
    return written;
}

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
    if (QFile::exists(target))
        return std::nullopt;
    const QByteArray bytes = resourceBytes(file.resource);
    if (bytes.isEmpty())
        return Error{ErrorCode::NotFound, target, QStringLiteral("embedded viewer file is missing")};
    return writeBytes(target, bytes);
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
        return Error{ErrorCode::WriteFailed, target,
                     i18n::getString(197, QStringLiteral("Error writing file:")) + target};
    bytes.truncate(end);
    return writeBytes(target, bytes);
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

Status prepareDestination(const QString &folder, bool clean, const ConfirmEmptying &confirm,
                          QList<Error> *warnings)
{
    // ensureFolder() accepts an existing folder and refuses a file in its place.
    if (Status error = ensureFolder(folder))
        return error;
    if (clean && holdsFiles(folder)) {
        if (!confirm || !confirm(folder))
            return Error{ErrorCode::Refused, folder, QStringLiteral("the destination folder is not empty")};
        if (Status error = deleteFiles(folder))
            return error;
    }
    // The images folder is emptied without asking; the viewer's images are written anew.
    const QString images = paths::join(folder, QStringLiteral("images"));
    if (Status error = clean ? emptyOrCreateFolder(images) : ensureFolder(images))
        return error;

    const auto warn = [warnings](Status error) {
        if (error && warnings)
            warnings->append(*error);
    };
    for (const ViewerFile &file : viewerImages())
        warn(writeViewerImage(folder, file));
    for (const ViewerFile &file : viewerScripts())
        warn(writeViewerScript(folder, file));
    return ensureFolder(paths::join(folder, QStringLiteral("library")));
}

} // namespace lumarc
