#include "storage/projectfile.h"

#include "i18n/texts.h"
#include "model/outputnames.h"
#include "storage/binaryreader.h"
#include "storage/binarywriter.h"
#include "storage/settingsrecord.h"
#include "support/filebytes.h"
#include "support/paths.h"

namespace lumarc {
namespace {

// Four texts and one i16: the smallest legacy image record.
constexpr qsizetype kLegacyItemFixedSize = 10;
// Eleven texts and two i16: the smallest current image record.
constexpr qsizetype kItemFixedSize = 26;

qint16 flag(bool value) { return value ? qint16(-1) : qint16(0); }

Error badFormat() { return Error{ErrorCode::BadFormat, {}, text::InvalidProjectFile.english.toString()}; }

Status writeItem(BinaryWriter &writer, const ImageItem &item, int number)
{
    const auto text = [&](const QString &value, const char *field) -> Status {
        if (writer.writeText(value))
            return std::nullopt;
        return Error{ErrorCode::Invalid,
                     {},
                     QStringLiteral("%1 of image %2 is longer than 65535 bytes").arg(QLatin1String(field)).arg(number)};
    };
    Status status;
    if ((status = text(item.path, "path")) || (status = text(item.title, "title"))
        || (status = text(item.tooltip, "tooltip")) || (status = text(item.url, "url")))
        return status;
    writer.writeInt16(flag(item.openSameWindow));
    writer.writeInt16(flag(item.loaded));
    if ((status = text(item.linkText, "link_text")) || (status = text(item.outputName, "output_name")))
        return status;
    static const char *const kReserved[] = {"reserved text 1", "reserved text 2", "reserved text 3", "reserved text 4",
                                            "reserved text 5"};
    for (std::size_t i = 0; i < item.reserved.size(); ++i) {
        if ((status = text(item.reserved[i], kReserved[i])))
            return status;
    }
    return std::nullopt;
}

ImageItem readItem(BinaryReader &reader)
{
    ImageItem item;
    item.path = reader.readText();
    item.title = reader.readText();
    item.tooltip = reader.readText();
    item.url = reader.readText();
    item.openSameWindow = reader.readInt16() != 0;
    item.loaded = reader.readInt16() != 0;
    item.linkText = reader.readText();
    item.outputName = reader.readText();
    for (QString &reserved : item.reserved)
        reserved = reader.readText();
    return item;
}

// Older files carry neither link text nor output name: the first comes from the
// settings, the second from the file name, as files of that layout were always read.
// Two paths with one file name give one name here; decodeProject() numbers the second.
ImageItem readLegacyItem(BinaryReader &reader, const GallerySettings &settings)
{
    ImageItem item;
    item.path = reader.readText();
    item.title = reader.readText();
    item.tooltip = reader.readText();
    item.url = reader.readText();
    item.openSameWindow = reader.readInt16() != 0;
    item.loaded = true;
    item.linkText = settings.defaultLinkText;
    item.outputName = paths::baseName(item.path);
    return item;
}

}  // namespace

Result<QByteArray> encodeProject(const Project &project)
{
    BinaryWriter writer;
    writer.writeBytes(currentSignature());
    if (Status status = writeSettingsRecord(writer, project.settings))
        return *status;
    const ImageList &images = project.images;
    writer.writeInt32(images.count());
    for (int i = 0; i < images.count(); ++i) {
        if (Status status = writeItem(writer, images.at(i), i + 1))
            return *status;
    }
    return writer.data();
}

Result<Project> decodeProject(const QByteArray &bytes, int *renamedOutputNames)
{
    const QByteArray signature = bytes.left(kSignatureSize);
    const bool legacy = signature == legacySignature();
    if (!legacy && signature != currentSignature())
        return badFormat();

    BinaryReader reader(bytes);
    reader.readBytes(kSignatureSize);
    Project project;
    project.settings = readSettingsRecord(reader);
    const qint32 count = reader.readInt32();
    // Check the count against the bytes left before trusting it with any allocation.
    const qsizetype minimum = legacy ? kLegacyItemFixedSize : kItemFixedSize;
    if (reader.failed() || count < 0 || count > reader.remaining() / minimum)
        return badFormat();

    for (qint32 i = 0; i < count && !reader.failed(); ++i)
        project.images.append(legacy ? readLegacyItem(reader, project.settings) : readItem(reader));
    if (reader.failed())
        return badFormat();
    project.images.setCapacity(count + ImageList::kGrowth);
    const int renamed = repairOutputNames(project.images);
    if (renamedOutputNames)
        *renamedOutputNames = renamed;
    return project;
}

Result<Project> loadProject(const QString &path, int *renamedOutputNames)
{
    const Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    Result<Project> project = decodeProject(bytes.value(), renamedOutputNames);
    if (!project)
        return project.error().at(path);
    return project;
}

Status saveProject(const Project &project, const QString &path)
{
    Result<QByteArray> bytes = encodeProject(project);
    if (!bytes)
        return bytes.error().at(path);
    return replaceFile(path, bytes.value());
}

}  // namespace lumarc
