#include "storage/textexchange.h"

#include "support/cp1252.h"
#include "support/filebytes.h"
#include "support/paths.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace lumarc {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

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
// almost never valid UTF-8, so a list whose every line is valid UTF-8 is taken as such.
enum class ListEncoding { Utf8AfterMark, Utf8, Windows1252 };

QString decodeLine(QByteArrayView line, ListEncoding encoding)
{
    return encoding == ListEncoding::Windows1252 ? cp1252::decode(line.toByteArray()) : decodeUtf8(line);
}

// Cuts bytes fed in pieces into lines: CR LF, LF and a lone CR each end one. A line that
// grows past the limit stops the split, so that a list without line ends is never held
// whole.
class LineSplitter {
public:
    explicit LineSplitter(qsizetype maxLineBytes) : m_maxLineBytes(maxLineBytes) {}

    // Calls onLine(bytes) for each line ended in `bytes`; false once a line is too long.
    template <typename OnLine>
    bool feed(QByteArrayView bytes, const OnLine &onLine)
    {
        qsizetype pos = 0;
        if (m_afterCr && !bytes.isEmpty() && bytes.front() == '\n')
            pos = 1;
        m_afterCr = false;
        while (pos < bytes.size()) {
            qsizetype end = pos;
            while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
                ++end;
            if (m_pending.size() + (end - pos) > m_maxLineBytes)
                return false;
            if (end == bytes.size()) {
                m_pending.append(bytes.sliced(pos));
                break;
            }
            ++m_lines;
            if (m_pending.isEmpty()) {
                onLine(bytes.sliced(pos, end - pos));
            } else {
                m_pending.append(bytes.sliced(pos, end - pos));
                onLine(QByteArrayView(m_pending));
                m_pending.clear();
            }
            pos = end + 1;
            if (bytes[end] == '\r') {
                if (pos == bytes.size())
                    m_afterCr = true;
                else if (bytes[pos] == '\n')
                    ++pos;
            }
        }
        return true;
    }

    // The last line, when the bytes did not end with a line end.
    template <typename OnLine>
    void finish(const OnLine &onLine)
    {
        if (!m_pending.isEmpty()) {
            ++m_lines;
            onLine(QByteArrayView(m_pending));
            m_pending.clear();
        }
    }

    // The number of the line being read (1 for the first).
    qint64 lineNumber() const { return m_lines + 1; }

private:
    qsizetype m_maxLineBytes;
    QByteArray m_pending;
    bool m_afterCr = false;
    qint64 m_lines = 0;
};

// True when an import would not read the bytes as Windows-1252, whatever they say.
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

// The block grammar, one line at a time.
class ListParser {
public:
    void line(QStringView raw)
    {
        const QString line = stripBlanks(raw);
        if (!m_inBlock) {
            if (line == QLatin1String("{")) {
                m_inBlock = true;
                m_current = ImageItem();
            }
            return;
        }
        if (line == QLatin1String("}")) {
            m_inBlock = false;
            if (!m_current.path.isEmpty())
                m_entries.append(m_current);
            return;
        }
        const auto value = [&line](QLatin1String key) { return decodeValue(QStringView(line).sliced(key.size())); };
        if (line.startsWith(QLatin1String("path=")))
            m_current.path = value(QLatin1String("path="));
        else if (line.startsWith(QLatin1String("title=")))
            m_current.title = value(QLatin1String("title="));
        else if (line.startsWith(QLatin1String("tooltip=")))
            m_current.tooltip = value(QLatin1String("tooltip="));
        else if (line.startsWith(QLatin1String("url=")))
            m_current.url = value(QLatin1String("url="));
        else if (line.startsWith(QLatin1String("url_text=")))
            m_current.linkText = value(QLatin1String("url_text="));
        else if (line.startsWith(QLatin1String("open=")))
            // The rest of the line as it stands: "open= self" does not count as "self".
            m_current.openSameWindow = line.mid(5) == QLatin1String("self");
    }

    QList<ImageItem> takeEntries() { return std::exchange(m_entries, {}); }

private:
    QList<ImageItem> m_entries;
    ImageItem m_current;
    bool m_inBlock = false;
};

}  // namespace

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
    QByteArrayView text(bytes);
    ListEncoding encoding = ListEncoding::Windows1252;
    if (text.startsWith(kUtf8Bom)) {
        text = text.sliced(kUtf8Bom.size());
        encoding = ListEncoding::Utf8AfterMark;
    } else {
        bool invalid = false;
        decodeUtf8(text, &invalid);
        if (!invalid)
            encoding = ListEncoding::Utf8;
    }
    ListParser parser;
    const auto onLine = [&](QByteArrayView line) { parser.line(decodeLine(line, encoding)); };
    LineSplitter lines(text.size());
    lines.feed(text, onLine);
    lines.finish(onLine);
    return parser.takeEntries();
}

Result<QList<ImageItem>> readTextList(const QString &path)
{
    if (Status error = checkRegularFile(path))
        return *error;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{file.exists() ? ErrorCode::ReadFailed : ErrorCode::NotFound, path, file.errorString()};

    // Two passes over the file, one line in memory at a time: the first settles the
    // encoding, which depends on every line, the second parses.
    const auto pass = [&](const auto &onLine) -> Status {
        if (!file.seek(0))
            return Error{ErrorCode::ReadFailed, path, file.errorString()};
        LineSplitter lines(kMaxListLineBytes);
        QByteArray chunk(64 * 1024, Qt::Uninitialized);
        for (bool first = true;; first = false) {
            const qint64 got = file.read(chunk.data(), chunk.size());
            if (got < 0)
                return Error{ErrorCode::ReadFailed, path, file.errorString()};
            if (got == 0)
                break;
            QByteArrayView piece(chunk.constData(), got);
            if (first && piece.startsWith(kUtf8Bom))
                piece = piece.sliced(kUtf8Bom.size());
            if (!lines.feed(piece, onLine))
                return Error{ErrorCode::BadFormat, path,
                             QStringLiteral("line %1 is longer than %2 bytes; nothing imported")
                                 .arg(lines.lineNumber())
                                 .arg(kMaxListLineBytes)};
        }
        lines.finish(onLine);
        return std::nullopt;
    };

    QByteArray head(qsizetype(kUtf8Bom.size()), Qt::Uninitialized);
    const bool marked = file.read(head.data(), head.size()) == head.size() && head == kUtf8Bom;
    ListEncoding encoding = marked ? ListEncoding::Utf8AfterMark : ListEncoding::Utf8;
    if (!marked) {
        bool anyInvalid = false;
        if (Status error = pass([&](QByteArrayView line) {
                bool invalid = false;
                if (!anyInvalid)
                    decodeUtf8(line, &invalid);
                anyInvalid = anyInvalid || invalid;
            }))
            return *error;
        if (anyInvalid)
            encoding = ListEncoding::Windows1252;
    }
    ListParser parser;
    if (Status error = pass([&](QByteArrayView line) { parser.line(decodeLine(line, encoding)); }))
        return *error;
    return parser.takeEntries();
}

Result<int> importTextList(Project &project, const QString &path)
{
    const Result<QList<ImageItem>> read = readTextList(path);
    if (!read)
        return read.error();
    const QList<ImageItem> &entries = read.value();
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

}  // namespace lumarc
