#include "storage/settingsrecord.h"

#include <cstring>

namespace lumarc {

using Kind = SettingsField::Kind;

QByteArray currentSignature() { return QByteArray("ZEB104\0\0\0\0", kSignatureSize); }

QByteArray legacySignature() { return QByteArray("ZEB100\0\0\0\0", kSignatureSize); }

namespace {

QString fieldLabel(const SettingsField &field, int number)
{
    if (!field.isReserved())
        return QLatin1String(field.name);
    return QStringLiteral("reserved settings field %1").arg(number);
}

}  // namespace

Status writeSettingsRecord(BinaryWriter &writer, const GallerySettings &settings)
{
    int number = 0;
    for (const SettingsField &field : settingsFields()) {
        ++number;
        switch (field.kind) {
        case Kind::Int32:
            writer.writeInt32(settings.*field.int32);
            break;
        case Kind::Int16:
            writer.writeInt16(settings.*field.int16);
            break;
        case Kind::Text:
            if (!writer.writeText(textField(settings, field))) {
                return Error{
                    ErrorCode::Invalid, {}, fieldLabel(field, number) + QStringLiteral(" is longer than 65535 bytes")};
            }
            break;
        case Kind::Bytes16:
            writer.writeBytes(QByteArray(reinterpret_cast<const char *>(settings.reservedBlock.data()),
                                         qsizetype(settings.reservedBlock.size())));
            break;
        }
    }
    return std::nullopt;
}

GallerySettings readSettingsRecord(BinaryReader &reader)
{
    GallerySettings settings;
    for (const SettingsField &field : settingsFields()) {
        switch (field.kind) {
        case Kind::Int32:
            settings.*field.int32 = reader.readInt32();
            break;
        case Kind::Int16:
            settings.*field.int16 = reader.readInt16();
            break;
        case Kind::Text:
            textField(settings, field) = reader.readText();
            break;
        case Kind::Bytes16: {
            const QByteArray bytes = reader.readBytes(qsizetype(settings.reservedBlock.size()));
            if (bytes.size() == qsizetype(settings.reservedBlock.size()))
                std::memcpy(settings.reservedBlock.data(), bytes.constData(), settings.reservedBlock.size());
            break;
        }
        }
    }
    return settings;
}

}  // namespace lumarc
