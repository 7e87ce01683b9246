#include "storage/settingsfile.h"

#include "i18n/texts.h"
#include "storage/binaryreader.h"
#include "storage/binarywriter.h"
#include "storage/settingsrecord.h"
#include "support/filebytes.h"

namespace lumarc {

Result<QByteArray> encodeSettings(const GallerySettings &settings)
{
    BinaryWriter writer;
    writer.writeBytes(currentSignature());
    if (Status status = writeSettingsRecord(writer, settings))
        return *status;
    return writer.data();
}

Result<GallerySettings> decodeSettings(const QByteArray &bytes)
{
    const Error invalid{ErrorCode::BadFormat, {}, text::InvalidFile.english.toString()};
    if (bytes.left(kSignatureSize) != currentSignature())
        return invalid;
    BinaryReader reader(bytes);
    reader.readBytes(kSignatureSize);
    GallerySettings settings = readSettingsRecord(reader);
    if (reader.failed())
        return invalid;
    return settings;
}

Result<GallerySettings> readSettingsFile(const QString &path)
{
    // A project file holds its images after the record; they are not needed here.
    const Result<QByteArray> bytes = readFileBytes(path, kSignatureSize + kSettingsRecordMaxSize);
    if (!bytes)
        return bytes.error();
    Result<GallerySettings> settings = decodeSettings(bytes.value());
    if (!settings)
        return settings.error().at(path);
    return settings;
}

Status writeSettingsFile(const GallerySettings &settings, const QString &path)
{
    Result<QByteArray> bytes = encodeSettings(settings);
    if (!bytes)
        return bytes.error().at(path);
    return replaceFile(path, bytes.value());
}

}  // namespace lumarc
