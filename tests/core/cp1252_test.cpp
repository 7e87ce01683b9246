#include "support/cp1252.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(Cp1252, HighRangeMapsBothWays)
{
    // Bytes 80 to 9F as Windows-1252 defines them; the five undefined bytes keep their value.
    const char16_t expected[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (int b = 0x80; b < 0xA0; ++b) {
        const QString decoded = cp1252::decode(QByteArray(1, char(b)));
        ASSERT_EQ(decoded.size(), 1);
        EXPECT_EQ(decoded.at(0).unicode(), expected[b - 0x80]) << std::hex << b;
        EXPECT_EQ(cp1252::encode(QString(QChar(expected[b - 0x80]))), QByteArray(1, char(b))) << std::hex << b;
        EXPECT_TRUE(cp1252::canEncode(expected[b - 0x80]));
    }
    // U+0080 to U+009F other than the undefined five have no byte of their own.
    EXPECT_FALSE(cp1252::canEncode(0x0080));
    EXPECT_EQ(cp1252::encode(QString(QChar(0x0080))), QByteArray("&#128;"));
}

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(cp1252::encode(cp1252::decode(all)), all);
    EXPECT_EQ(cp1252::decode(QByteArray("\xE9\xFF\xA0", 3)), QStringLiteral("\u00E9\u00FF\u00A0"));
}

TEST(Cp1252, UnrepresentableCharactersBecomeEscapes)
{
    struct Case {
        QString text;
        const char *html, *css;
    };
    const Case cases[] = {
        {QStringLiteral("\u0142"), "&#322;", "\\142 "},
        {QStringLiteral("a\U0001F600b"), "a&#128512;b", "a\\1f600 b"},
        {QString(QChar(0xD83D)), "&#55357;", "\\d83d "},                   // lone high surrogate
        {QString(QChar(0xDE00)) + QLatin1Char('x'), "&#56832;x", "\\de00 x"},  // lone low surrogate
        {QStringLiteral("\u20AC\u00E9"), "\x80\xE9", "\x80\xE9"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(cp1252::encode(c.text, cp1252::Escape::Html), QByteArray(c.html)) << c.html;
        EXPECT_EQ(cp1252::encode(c.text, cp1252::Escape::Css), QByteArray(c.css)) << c.css;
    }
}

TEST(Cp1252, DecodeReferencesOnlyRestoresUnrepresentableCharacters)
{
    struct Case {
        const char *in;
        QString out;
    };
    const Case cases[] = {
        {"&#322;", QStringLiteral("\u0142")},
        {"x&#322;y&#128512;z", QStringLiteral("x\u0142y\U0001F600z")},
        {"&#65;", QStringLiteral("&#65;")},         // A is representable: kept as typed
        {"&#8364;", QStringLiteral("&#8364;")},     // so is the euro sign
        {"&#233;", QStringLiteral("&#233;")},
        {"&#128;", QStringLiteral("\u0080")},       // U+0080 has no byte
        {"&#0;", QStringLiteral("&#0;")},
        {"&#55357;", QStringLiteral("&#55357;")},   // surrogates are not characters
        {"&#1114112;", QStringLiteral("&#1114112;")},
        {"&#322", QStringLiteral("&#322")},
        {"&#x142;", QStringLiteral("&#x142;")},
        {"&#;", QStringLiteral("&#;")},
        {"&#", QStringLiteral("&#")},
        {"&&#322;", QStringLiteral("&\u0142")},
        {"&#000000322;", QStringLiteral("&#000000322;")},  // too many digits
    };
    for (const Case &c : cases)
        EXPECT_EQ(cp1252::decodeReferences(QString::fromLatin1(c.in)), c.out) << c.in;
}

TEST(Cp1252, EncodedReferencesRoundTrip)
{
    const QString text = QStringLiteral("\u0142\u00F3d\u017A \U0001F600 \u20AC &#65; &amp;");
    EXPECT_EQ(cp1252::decodeReferences(cp1252::decode(cp1252::encode(text))), text);
}
