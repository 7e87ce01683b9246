#include "colour/colour.h"

#include <gtest/gtest.h>

using namespace lumarc::colour;

TEST(Colour, WritesRedFirstInUpperCase)
{
    struct Case { qint32 number; const char *text; };
    const Case cases[] = {
        {0, "#000000"},
        {255, "#FF0000"},            // red lives in the low byte of the number
        {65280, "#00FF00"},
        {16711680, "#0000FF"},
        {16777215, "#FFFFFF"},
        {0x0A0B0C, "#0C0B0A"},       // leading zero of each component kept
        {0x00AB00CD, "#CD00AB"},
        {0x01FF0000, "#0000FF"},     // bits above blue ignored
        {-1, "#FFFFFF"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(colorToHex(c.number), QString::fromLatin1(c.text)) << c.number;
}

TEST(Colour, ReadsLongShortAndMalformedNotation)
{
    struct Case { const char *text; qint32 number; };
    const Case cases[] = {
        {"#FF0000", 255},
        {"FF0000", 255},
        {"#0000ff", 16711680},
        {"#00Ff00", 65280},
        {"#fff", 16777215},
        {"#a3f", 0xFF33AA},          // same as #aa33ff
        {"123", 0x332211},
        {"##FF0000", 255},           // every "#" goes, wherever it stands
        {"FF#00#00", 255},
        {"#12345", 0},               // five digits
        {"#1234567", 0},
        {"", 0},
        {"#", 0},
        {"#FF00", 0},
        {"#GG0000", 0},              // not hexadecimal: black
        {"#-10000", 0},
        {"0x1234", 0},
        {"#ab ", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(hexToColor(QString::fromLatin1(c.text)), c.number) << c.text;
}
