#pragma once

// Settings files (".zes" and "default.zem"): the signature and the settings record of a
// project file with nothing after them. Reading also takes the settings of a current
// ".zeb" project file, whose images are ignored.

#include "model/gallerysettings.h"
#include "support/error.h"

#include <QByteArray>
#include <QString>

namespace lumarc {

// Errors: NotFound, ReadFailed, and BadFormat ("Invalid file!") for any signature but
// "ZEB104" (the older project layout included) or a record that ends early.
Result<GallerySettings> readSettingsFile(const QString &path);

// Replaces the file through QSaveFile. Errors: Invalid (a text over 65535 bytes, the
// file untouched) and WriteFailed, each with the path.
Status writeSettingsFile(const GallerySettings &settings, const QString &path);

// The file's bytes; Invalid, naming the field, when a text is over 65535 bytes.
Result<QByteArray> encodeSettings(const GallerySettings &settings);

// The settings in a settings or project file's bytes; bytes after the record are
// ignored. BadFormat with detail "Invalid file!" and an empty path otherwise.
Result<GallerySettings> decodeSettings(const QByteArray &bytes);

}  // namespace lumarc
