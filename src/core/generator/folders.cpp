#include "generator/folders.h"


#include <filesystem>

namespace fs = std::filesystem;

namespace lumarc {

fs::path toFs(const QString &path)
{
    return fs::path(path.toStdU16String());
}

QString fromFs(const fs::path &path)
{
    return QString::fromStdU16String(path.u16string());
}

Error folderError(const QString &path, const std::error_code &ec)
{
    return Error{ErrorCode::WriteFailed, path, QString::fromLocal8Bit(ec.message()), ec.value()};
}

Error linkRefused(const QString &path)
{
    return Error{ErrorCode::WriteFailed, path,
                 QStringLiteral("is a link; a build never follows or writes through links (remove it or choose "
                                "another folder)")};
}

Status ensureFolder(const QString &folder)
{
    std::error_code ec;
    const fs::path p = toFs(folder);
    const fs::file_status status = fs::symlink_status(p, ec);
    if (fs::is_directory(status))
        return std::nullopt;
    if (fs::is_symlink(status))
        return linkRefused(folder);
    if (fs::exists(status))
        return folderError(folder, std::make_error_code(std::errc::not_a_directory));
    fs::create_directories(p, ec);
    if (ec)
        return folderError(folder, ec);
    return std::nullopt;
}

Status removeFile(const QString &path)
{
    std::error_code ec;
    const fs::path p = toFs(path);
    if (fs::is_directory(fs::symlink_status(p, ec)))
        return folderError(path, std::make_error_code(std::errc::is_a_directory));
    fs::remove(p, ec);
    if (ec)
        return folderError(path, ec);
    return std::nullopt;
}

} // namespace lumarc
