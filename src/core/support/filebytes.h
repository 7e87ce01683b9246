#pragma once

// Whole-file reads and replacing writes shared by the storage formats, with the errors
// they all report the same way.

#include "support/error.h"

#include <QByteArray>
#include <QString>

namespace lumarc {

// The file's bytes, at most maxBytes of them when that is not negative.
// Errors: NotFound, ReadFailed (with the system's text).
Result<QByteArray> readFileBytes(const QString &path, qsizetype maxBytes = -1);

// Writes through QSaveFile + commit(), so a failed write leaves the old file as it was.
// Error: WriteFailed with the system's text.
Status replaceFile(const QString &path, const QByteArray &bytes);

} // namespace lumarc
