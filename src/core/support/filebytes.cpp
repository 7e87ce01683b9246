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
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Error{ErrorCode::WriteFailed, path, reason};
    }
    if (!file.commit())
        return Error{ErrorCode::WriteFailed, path, file.errorString()};
    return std::nullopt;
}

} // namespace lumarc
