#include "support/cp1252.h"

#include <array>

namespace lumarc::cp1252 {
namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteFor(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < int(kHigh.size()); ++i) {
        if (kHigh[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

}  // namespace

bool canEncode(char32_t codePoint) { return byteFor(codePoint) >= 0; }

QByteArray encode(const QString &text, Escape escape)
{
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t cp = text.at(i).unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const int b = byteFor(cp);
        if (b >= 0) {
            out.append(char(b));
        } else if (escape == Escape::Html) {
            out.append("&#").append(QByteArray::number(uint(cp))).append(';');
        } else {
            out.append('\\').append(QByteArray::number(uint(cp), 16)).append(' ');
        }
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(kHigh[b - 0x80]) : QChar(b));
    }
    return out;
}

QString decodeReferences(const QString &text)
{
    if (!text.contains(QLatin1String("&#")))
        return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (text.at(i) == QLatin1Char('&') && i + 2 < n && text.at(i + 1) == QLatin1Char('#')) {
            qsizetype j = i + 2;
            char32_t cp = 0;
            while (j < n && j - i < 10 && text.at(j).isDigit() && text.at(j).unicode() < 0x80) {
                cp = cp * 10 + char32_t(text.at(j).unicode() - '0');
                ++j;
            }
            const bool valid = j > i + 2 && j < n && text.at(j) == QLatin1Char(';') && cp <= 0x10FFFF
                               && !(cp >= 0xD800 && cp <= 0xDFFF) && cp != 0 && !canEncode(cp);
            if (valid) {
                // Not QString::fromUcs4(): its decoder drops a leading U+FEFF as a byte-order mark.
                if (QChar::requiresSurrogates(cp)) {
                    out.append(QChar(QChar::highSurrogate(cp)));
                    out.append(QChar(QChar::lowSurrogate(cp)));
                } else {
                    out.append(QChar(char16_t(cp)));
                }
                i = j + 1;
                continue;
            }
        }
        out.append(text.at(i));
        ++i;
    }
    return out;
}

}  // namespace lumarc::cp1252
