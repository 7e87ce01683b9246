#include "generator/folders.h"

#include "i18n/strings.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace lumarc {
namespace {

fs::path toFs(const QString &path)
{
    return fs::path(path.toStdU16String());
}

Error folderError(const QString &path, const std::error_code &ec)
{
    const QString detail = i18n::getString(198, QStringLiteral("Error number:")) + QString::number(ec.value())
        + QStringLiteral("\r\n") + i18n::getString(199, QStringLiteral("Error description:"))
        + QString::fromLocal8Bit(ec.message());
    return Error{ErrorCode::WriteFailed, path, detail};
}

} // namespace

Status ensureFolder(const QString &folder)
{
    std::error_code ec;
    const fs::path p = toFs(folder);
    if (fs::is_directory(p, ec))
        return std::nullopt;
    if (fs::exists(p, ec))
        return folderError(folder, std::make_error_code(std::errc::not_a_directory));
    fs::create_directories(p, ec);
    if (ec)
        return folderError(folder, ec);
    return std::nullopt;
}

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

Status emptyOrCreateFolder(const QString &folder)
{
    std::error_code ec;
    return fs::is_directory(toFs(folder), ec) ? deleteFiles(folder) : ensureFolder(folder);
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

} // namespace lumarc
