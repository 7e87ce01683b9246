#include "colour/colour.h"

#include <gtest/gtest.h>

using namespace lumarc::colour;

TEST(Colour, WritesRedFirstInUpperCaseAndReadsLongShortAndMalformedNotation)
{
    // Red lives in the low byte of the number; bits above blue are ignored.
    const std::pair<qint32, const char *> cases[] = {
        {0, "#000000"}, {255, "#FF0000"}, {65280, "#00FF00"}, {16711680, "#0000FF"}, {0x0A0B0C, "#0C0B0A"},
        {0x00AB00CD, "#CD00AB"}, {0x01FF0000, "#0000FF"}, {-1, "#FFFFFF"},
    };
    for (const auto &[number, text] : cases)
        EXPECT_EQ(colorToHex(number), QString::fromLatin1(text)) << number;

    // "#a3f" is "#aa33ff"; every "#" goes, wherever it stands; anything else malformed is black.
    const std::pair<const char *, qint32> texts[] = {
        {"#FF0000", 255}, {"FF0000", 255}, {"#0000ff", 16711680}, {"#00Ff00", 65280}, {"#fff", 16777215},
        {"#a3f", 0xFF33AA}, {"123", 0x332211}, {"##FF0000", 255}, {"FF#00#00", 255}, {"#12345", 0},
        {"#1234567", 0}, {"", 0}, {"#", 0}, {"#FF00", 0}, {"#GG0000", 0}, {"#-10000", 0}, {"0x1234", 0}, {"#ab ", 0},
    };
    for (const auto &[text, number] : texts)
        EXPECT_EQ(hexToColor(QString::fromLatin1(text)), number) << text;

    // Telling black from a text that is no notation at all.
    EXPECT_EQ(parseHexColor(QStringLiteral("#000")), 0);
    EXPECT_EQ(parseHexColor(QStringLiteral("#a3f")), 0xFF33AA);
    for (const char *text : {"red", "#12345", "", "#GG0000"})
        EXPECT_EQ(parseHexColor(QString::fromLatin1(text)), std::nullopt) << text;
}
