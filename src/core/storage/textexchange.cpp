#include "storage/textexchange.h"

#include "support/cp1252.h"
#include "support/filebytes.h"
#include "support/paths.h"

namespace lumarc {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Strips spaces and tabs only: other characters at the ends are part of the value.
QString stripBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString decodeLine(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return cp1252::decodeReferences(cp1252::decode(line.toByteArray()));
}

} // namespace

QByteArray encodeTextList(const ImageList &images)
{
    QByteArray out;
    const auto line = [&out](const char *key, const QString &value) {
        out.append(key).append(cp1252::encode(value, cp1252::Escape::Html)).append("\r\n");
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
    return out;
}

Status exportTextList(const ImageList &images, const QString &path)
{
    return replaceFile(path, encodeTextList(images));
}

QList<ImageItem> parseTextList(const QByteArray &bytes)
{
    QList<ImageItem> entries;
    ImageItem current;
    bool inBlock = false;
    for (QByteArrayView rest(bytes); !rest.isEmpty();) {
        const qsizetype eol = rest.indexOf('\n');
        const QByteArrayView raw = eol < 0 ? rest : rest.first(eol);
        rest = eol < 0 ? QByteArrayView() : rest.sliced(eol + 1);
        const QString line = stripBlanks(decodeLine(raw));

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
        const auto value = [&line](QLatin1String key) { return stripBlanks(line.mid(key.size())); };
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
