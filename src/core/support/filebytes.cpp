#include "support/filebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace lumarc {
namespace {

// Qt reports some failed writes of a QSaveFile (a full disk among them) as "Unknown error";
// the system's own words are still in errno then.
QString systemReason(const QFileDevice &file)
{
    const int code = errno;
    const QString text = file.errorString();
    if (code != 0 && (text.isEmpty() || text == QLatin1String("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(code));
    return text;
}

}  // namespace

Status checkRegularFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Error{ErrorCode::NotFound, path, QStringLiteral("no such file")};
    // A FIFO or a device would block the read or never end; only plain files are read.
    if (info.isDir())
        return Error{ErrorCode::ReadFailed, path, QStringLiteral("is a folder, not a file")};
    if (!info.isFile())
        return Error{ErrorCode::ReadFailed, path, QStringLiteral("is not a regular file (a pipe, socket or device)")};
    return std::nullopt;
}

Result<QByteArray> readFileBytes(const QString &path, qsizetype maxBytes)
{
    if (Status error = checkRegularFile(path))
        return *error;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const ErrorCode code = file.exists() ? ErrorCode::ReadFailed : ErrorCode::NotFound;
        return Error{code, path, file.errorString()};
    }
    const QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        return Error{ErrorCode::ReadFailed, path, file.errorString()};
    return bytes;
}

Status replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return Error{ErrorCode::WriteFailed, path, systemReason(file)};
    // flush() before commit(): a small file sits in Qt's write buffer until then, and a
    // commit() that meets a full disk while flushing would still replace the old file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = systemReason(file);
        file.cancelWriting();
        return Error{ErrorCode::WriteFailed, path, reason};
    }
    if (!file.commit())
        return Error{ErrorCode::WriteFailed, path, systemReason(file)};
    return std::nullopt;
}

}  // namespace lumarc
