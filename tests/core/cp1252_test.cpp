#include "support/cp1252.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(Cp1252, EveryByteMapsBothWays)
{
    // Bytes 80 to 9F as Windows-1252 defines them; the five undefined bytes keep their value.
    const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QByteArray all;
    QString expected;
    for (int b = 0; b < 256; ++b) {
        all.append(char(b));
        expected.append(b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(b));
    }
    EXPECT_EQ(cp1252::decode(all), expected);
    EXPECT_EQ(cp1252::encode(expected), all);
}

TEST(Cp1252, UnrepresentableCharactersBecomeEscapesAndOnlyTheyComeBack)
{
    const struct { QString text; const char *html, *css; } cases[] = {
        {QStringLiteral("\u0142"), "&#322;", "\\142 "},
        {QStringLiteral("a\U0001F600b"), "a&#128512;b", "a\\1f600 b"},  // a surrogate pair is one character
        {QString(QChar(0xD83D)), "&#55357;", "\\d83d "},                // lone high surrogate
        {QString(QChar(0x0080)), "&#128;", "\\80 "},                    // U+0080 has no byte of its own
        {QStringLiteral("\u20AC\u00E9"), "\x80\xE9", "\x80\xE9"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(cp1252::encode(c.text, cp1252::Escape::Html), QByteArray(c.html)) << c.html;
        EXPECT_EQ(cp1252::encode(c.text, cp1252::Escape::Css), QByteArray(c.css)) << c.css;
    }

    // Reading references back restores only characters that have no byte.
    const std::pair<const char *, QString> references[] = {
        {"x&#322;y&#128512;z", QStringLiteral("x\u0142y\U0001F600z")},
        {"&#65;", QStringLiteral("&#65;")},      // representable: kept as typed
        {"&#8364;", QStringLiteral("&#8364;")},  // so is the euro sign
        {"&#128;", QStringLiteral("\u0080")},
        {"&#65279;C:", QStringLiteral("\uFEFFC:")},  // a leading U+FEFF is a character here, not a mark
        {"&#55357;", QStringLiteral("&#55357;")},  // surrogates are not characters
        {"&#322", QStringLiteral("&#322")},
    };
    for (const auto &[in, out] : references)
        EXPECT_EQ(cp1252::decodeReferences(QString::fromLatin1(in)), out) << in;
}
