#include "storage/textexchange.h"

#include "support/cp1252.h"
#include "support/filebytes.h"
#include "support/paths.h"

#include <QStringDecoder>

#include <algorithm>

namespace lumarc {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Strips spaces and tabs only: other characters at the ends are part of the value.
QString stripBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin).toString();
}

// Invalid sequences become U+FFFD; error, when given, tells whether there were any.
QString decodeUtf8(QByteArrayView bytes, bool *error = nullptr)
{
    // A second mark after the one already skipped is text, not a mark.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (error)
        *error = decoder.hasError();
    return text;
}

// Lists are written in Windows-1252, but people edit them in editors that save UTF-8,
// with or without a byte-order mark. Windows-1252 text with letters beyond ASCII is
// almost never valid UTF-8, so valid UTF-8 is taken as such.
QString decodeList(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return decodeUtf8(QByteArrayView(bytes).sliced(kUtf8Bom.size()));
    bool invalid = false;
    QString text = decodeUtf8(bytes, &invalid);
    return invalid ? cp1252::decode(bytes) : text;
}

// True when decodeList() would not read the bytes as Windows-1252, whatever they say.
bool readsAsUtf8(const QByteArray &bytes)
{
    bool invalid = false;
    decodeUtf8(bytes, &invalid);
    return !invalid && std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
}

// A line break inside a value would end its line, and the rest would be read as a line of
// its own: a title could set the path. Breaks travel as the references HTML gives them.
QString escapeLineBreaks(QString value)
{
    return value.replace(QLatin1Char('\r'), QLatin1String("&#13;")).replace(QLatin1Char('\n'), QLatin1String("&#10;"));
}

QString decodeValue(QStringView raw)
{
    // decodeReferences() leaves references to Windows-1252 characters as typed, and
    // line breaks are such characters.
    return cp1252::decodeReferences(stripBlanks(raw))
        .replace(QLatin1String("&#13;"), QLatin1String("\r"))
        .replace(QLatin1String("&#10;"), QLatin1String("\n"));
}

} // namespace

QByteArray encodeTextList(const ImageList &images)
{
    QByteArray out;
    const auto line = [&out](const char *key, const QString &value) {
        out.append(key).append(cp1252::encode(escapeLineBreaks(value), cp1252::Escape::Html)).append("\r\n");
    };
    for (const ImageItem &item : images.items()) {
        out.append("{\r\n");
        line("path=", item.path);
        line("title=", item.title);
        line("tooltip=", item.tooltip);
        line("url=", item.url);
        line("url_text=", item.linkText);
        out.append(item.openSameWindow ? "open=self\r\n" : "open=blank\r\n");
        out.append("}\r\n\r\n");
    }
    // Some texts encode to bytes that are valid UTF-8 (U+00C3 U+00A9 to C3 A9, which is
    // U+00E9) and would not read back as written. A last line outside any block, ignored on
    // import, then holds a no-break space: A0 after a line end is never valid UTF-8.
    if (readsAsUtf8(out))
        out.append("\xA0\r\n");
    return out;
}

Status exportTextList(const ImageList &images, const QString &path)
{
    return replaceFile(path, encodeTextList(images));
}

QList<ImageItem> parseTextList(const QByteArray &bytes)
{
    const QString text = decodeList(bytes);
    QList<ImageItem> entries;
    ImageItem current;
    bool inBlock = false;
    for (qsizetype pos = 0; pos < text.size();) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        const QString line = stripBlanks(QStringView(text).sliced(pos, end - pos));
        // CR LF, LF and a lone CR each end one line.
        pos = end + 1;
        if (end + 1 < text.size() && text.at(end) == QLatin1Char('\r') && text.at(end + 1) == QLatin1Char('\n'))
            ++pos;

        if (!inBlock) {
            if (line == QLatin1String("{")) {
                inBlock = true;
                current = ImageItem();
            }
            continue;
        }
        if (line == QLatin1String("}")) {
            inBlock = false;
            if (!current.path.isEmpty())
                entries.append(current);
            continue;
        }
        const auto value = [&line](QLatin1String key) { return decodeValue(QStringView(line).sliced(key.size())); };
        if (line.startsWith(QLatin1String("path=")))
            current.path = value(QLatin1String("path="));
        else if (line.startsWith(QLatin1String("title=")))
            current.title = value(QLatin1String("title="));
        else if (line.startsWith(QLatin1String("tooltip=")))
            current.tooltip = value(QLatin1String("tooltip="));
        else if (line.startsWith(QLatin1String("url=")))
            current.url = value(QLatin1String("url="));
        else if (line.startsWith(QLatin1String("url_text=")))
            current.linkText = value(QLatin1String("url_text="));
        else if (line.startsWith(QLatin1String("open=")))
            // The rest of the line as it stands: "open= self" does not count as "self".
            current.openSameWindow = line.mid(5) == QLatin1String("self");
    }
    return entries;
}

Result<int> importTextList(Project &project, const QString &path)
{
    const Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    const QList<ImageItem> entries = parseTextList(bytes.value());
    if (entries.isEmpty())
        return 0;

    ImageList &images = project.images;
    images.clear();
    for (ImageItem item : entries) {
        item.loaded = true;
        // Compared with the entries already appended: later ones have no name yet.
        item.outputName = images.makeUniqueOutputName(paths::baseName(item.path));
        images.append(std::move(item));
    }
    return images.count();
}

} // namespace lumarc
