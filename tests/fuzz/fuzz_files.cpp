// Feeds arbitrary bytes to every reader of files that users pass around: project files,
// settings files and text lists. Besides the sanitizers' checks, whatever a reader
// accepts must survive being written and read again unchanged.

#include "storage/projectfile.h"
#include "storage/settingsfile.h"
#include "storage/textexchange.h"

#include <cstdint>
#include <cstdlib>

using namespace lumarc;

namespace {

// The fuzzer reports the input that aborts.
void check(bool condition)
{
    if (!condition)
        std::abort();
}

void projectRoundTrip(const QByteArray &bytes)
{
    if (const Result<Project> project = decodeProject(bytes)) {
        const Result<QByteArray> encoded = encodeProject(project.value());
        check(encoded.ok());
        const Result<Project> again = decodeProject(encoded.value());
        check(again.ok() && again.value().settings == project.value().settings && again.value().images == project.value().images
              && again.value().images.capacity() == project.value().images.capacity());
    }
}

void settingsRoundTrip(const QByteArray &bytes)
{
    if (const Result<GallerySettings> settings = decodeSettings(bytes)) {
        const Result<QByteArray> encoded = encodeSettings(settings.value());
        check(encoded.ok());
        const Result<GallerySettings> again = decodeSettings(encoded.value());
        check(again.ok() && again.value() == settings.value());
    }
}

void textListRoundTrip(const QByteArray &bytes)
{
    const QList<ImageItem> entries = parseTextList(bytes);
    ImageList images;
    for (const ImageItem &entry : entries)
        images.append(entry);
    // Only the texts that travel are compared; the parser sets nothing else.
    check(parseTextList(encodeTextList(images)) == entries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    projectRoundTrip(bytes);
    settingsRoundTrip(bytes);
    textListRoundTrip(bytes);
    return 0;
}
