#pragma once

// The GallerySettings record as project files and settings files store it, and the
// signatures that open those files. Shared by projectfile and settingsfile.

#include "model/gallerysettings.h"
#include "storage/binaryreader.h"
#include "storage/binarywriter.h"
#include "support/error.h"

namespace lumarc {

constexpr qsizetype kSignatureSize = 10;
// Two i32, three i16, 16 reserved bytes and the 52 texts' counts; the texts come on top.
constexpr qsizetype kSettingsRecordFixedSize = 134;
// The largest record a file can hold: every text at its 65535-byte limit.
constexpr qsizetype kSettingsRecordMaxSize = kSettingsRecordFixedSize + 52 * BinaryWriter::kMaxTextBytes;

// "ZEB104" and four 00 bytes: current project files and all settings files.
QByteArray currentSignature();
// "ZEB100" and four 00 bytes: project files of the older layout, read only.
QByteArray legacySignature();

// Appends the record field by field in declared order. A text over the 65535-byte limit
// gives an Invalid error naming the field; the writer then holds a partial record.
Status writeSettingsRecord(BinaryWriter &writer, const GallerySettings &settings);

// Reads a whole record, reserved fields included. Check reader.failed() afterwards.
GallerySettings readSettingsRecord(BinaryReader &reader);

}  // namespace lumarc
