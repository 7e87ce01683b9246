#include "support/htmltext.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(HtmlText, QuotesOnlyDoubleQuotesInAttributeValues)
{
    struct Case { const char *in, *out; };
    const Case cases[] = {
        {"plain", "plain"},
        {"Say \"cheese\"", "Say &quot;cheese&quot;"},
        {"<b>bold</b> & 'single'", "<b>bold</b> & 'single'"},
        {"&quot;", "&quot;"},
        {"\"", "&quot;"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(htmltext::doubleQuotedValue(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(HtmlText, PercentEncodesWhatWouldCutAnAddress)
{
    struct Case { const char *in; char quote; const char *out; };
    const Case cases[] = {
        {"John's party", '\'', "John%27s party"},
        {"John's party", '"', "John's party"},
        {"a \"b\"", '"', "a %22b%22"},
        {"a \"b\"", '\'', "a \"b\""},
        {"#1 100%?", '\'', "%231 100%25%3F"},
        {"%25", '"', "%2525"},
        {"Łódź & co", '\'', "Łódź & co"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(htmltext::addressPart(QString::fromUtf8(c.in), QLatin1Char(c.quote)), QString::fromUtf8(c.out))
            << c.in << " in " << c.quote;
}
