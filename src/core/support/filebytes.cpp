#include "support/filebytes.h"

#include <QFile>
#include <QSaveFile>

namespace lumarc {

Result<QByteArray> readFileBytes(const QString &path, qsizetype maxBytes)
{
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
    if (!file.open(QIODevice::WriteOnly))
        return Error{ErrorCode::WriteFailed, path, file.errorString()};
    // flush() before commit(): a small file sits in Qt's write buffer until then, and a
    // commit() that meets a full disk while flushing would still replace the old file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Error{ErrorCode::WriteFailed, path, reason};
    }
    if (!file.commit())
        return Error{ErrorCode::WriteFailed, path, file.errorString()};
    return std::nullopt;
}

} // namespace lumarc
