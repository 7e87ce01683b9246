#pragma once

// Whole-file reads and replacing writes shared by the storage formats, with the errors
// they all report the same way.

#include "support/error.h"

#include <QByteArray>
#include <QString>

namespace lumarc {

// nullopt for an existing regular file (or a link to one). Errors: NotFound, and ReadFailed
// for a folder, a FIFO, a socket or a device, which a read would block on or never finish.
Status checkRegularFile(const QString &path);

// The file's bytes, at most maxBytes of them when that is not negative.
// Only regular files are read (see checkRegularFile). Errors: NotFound, ReadFailed (with
// the system's text).
Result<QByteArray> readFileBytes(const QString &path, qsizetype maxBytes = -1);

// Writes through QSaveFile + commit(), so a failed write leaves the old file as it was.
// Error: WriteFailed with the system's text.
Status replaceFile(const QString &path, const QByteArray &bytes);

}  // namespace lumarc
