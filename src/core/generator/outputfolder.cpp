#include "generator/outputfolder.h"

#include "i18n/strings.h"
#include "support/filebytes.h"
#include "support/paths.h"
#include "support/resources.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace lumarc {
namespace {

fs::path toFs(const QString &path)
{
    return fs::path(path.toStdU16String());
}

// "Error number:<n>\r\nError description:<text>", the form folder errors take.
Error folderError(const QString &path, const std::error_code &ec)
{
    const QString detail = i18n::getString(198, QStringLiteral("Error number:")) + QString::number(ec.value())
        + QStringLiteral("\r\n") + i18n::getString(199, QStringLiteral("Error description:"))
        + QString::fromLocal8Bit(ec.message());
    return Error{ErrorCode::WriteFailed, path, detail};
}

// Creates the folder and any missing parents.
Status ensureFolder(const QString &folder)
{
    std::error_code ec;
    const fs::path p = toFs(folder);
    if (fs::is_directory(p, ec))
        return std::nullopt;
    fs::create_directories(p, ec);
    if (ec)
        return folderError(folder, ec);
    return std::nullopt;
}

// Deletes every file directly in the folder; subfolders and their contents stay.
Status deleteFiles(const QString &folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(toFs(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_directory(typeEc))
            continue;
        fs::remove(it->path(), ec);
        if (ec)
            return folderError(QString::fromStdU16String(it->path().u16string()), ec);
    }
    if (ec)
        return folderError(folder, ec);
    return std::nullopt;
}

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

bool holdsFiles(const QString &folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(toFs(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_directory(typeEc))
            return true;
    }
    return false;
}

Status prepareDestination(const QString &folder, bool clean, const ConfirmEmptying &confirm,
                          QList<Error> *warnings)
{
    std::error_code ec;
    if (!fs::exists(toFs(folder), ec)) {
        if (Status error = ensureFolder(folder))
            return error;
    } else if (!fs::is_directory(toFs(folder), ec)) {
        return folderError(folder, std::make_error_code(std::errc::not_a_directory));
    } else if (clean && holdsFiles(folder)) {
        if (!confirm || !confirm(folder))
            return Error{ErrorCode::Refused, folder, QStringLiteral("the destination folder is not empty")};
        if (Status error = deleteFiles(folder))
            return error;
    }

    const QString images = paths::join(folder, QStringLiteral("images"));
    if (!fs::is_directory(toFs(images), ec)) {
        if (Status error = ensureFolder(images))
            return error;
    } else if (clean) {
        if (Status error = deleteFiles(images))
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
    return ensureFolder(paths::join(folder, QStringLiteral("library")));
}

} // namespace lumarc
