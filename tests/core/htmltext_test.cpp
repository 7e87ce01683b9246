#include "support/htmltext.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(HtmlText, QuotesOnlyDoubleQuotesInAttributeValues)
{
    const std::pair<const char *, const char *> cases[] = {
        {"plain", "plain"}, {"Say \"cheese\"", "Say &quot;cheese&quot;"},
        {"<b>bold</b> & 'single'", "<b>bold</b> & 'single'"}, {"&quot;", "&quot;"}, {"\"", "&quot;"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(htmltext::doubleQuotedValue(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(HtmlText, PercentEncodesWhatWouldCutAnAddress)
{
    const struct { const char *in; char quote; const char *out; } cases[] = {
        {"John's party", '\'', "John%27s party"}, {"John's party", '"', "John's party"},
        {"a \"b\"", '"', "a %22b%22"}, {"a \"b\"", '\'', "a \"b\""}, {"#1 100%?", '\'', "%231 100%25%3F"},
        {"%25", '"', "%2525"}, {"Łódź & co", '\'', "Łódź %26 co"}, {"rock&copy", '"', "rock%26copy"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(htmltext::addressPart(QString::fromUtf8(c.in), QLatin1Char(c.quote)), QString::fromUtf8(c.out))
            << c.in << " in " << c.quote;
}

TEST(HtmlText, EscapesTypedAddressesAndRecognisesScriptOnes)
{
    const struct { const char *in, *value; bool script; } cases[] = {
        {"http://example.com/a?b=1&c=2", "http://example.com/a?b=1&amp;c=2", false},
        {"http://x/'><img src=x onerror=alert(1)>", "http://x/&#39;&gt;&lt;img src=x onerror=alert(1)&gt;", false},
        {"say \"hi\"", "say &quot;hi&quot;", false}, {"mailto:me@example.com", "mailto:me@example.com", false},
        {"file:///C:/a.html", "file:///C:/a.html", false}, {"C:\\pages\\a.html", "C:\\pages\\a.html", false},
        {"pages/javascript:x", "pages/javascript:x", false}, {"javascript:alert(1)", "javascript:alert(1)", true},
        {"  JavaScript:alert(1)", "  JavaScript:alert(1)", true},
        {"\x01\x1f java\tscr\nipt:alert(1)", "\x01\x1f java\tscr\nipt:alert(1)", true},
        {"VBScript:msgbox", "VBScript:msgbox", true}, {"data:text/html,<script>", "data:text/html,&lt;script&gt;", true},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(htmltext::addressValue(QString::fromUtf8(c.in)), QString::fromUtf8(c.value)) << c.in;
        EXPECT_EQ(htmltext::isScriptAddress(QString::fromUtf8(c.in)), c.script) << c.in;
    }
}

TEST(HtmlText, EscapesFileNamesForCssStrings)
{
    const std::pair<const char *, const char *> cases[] = {
        {"bg (1).gif", "bg (1).gif"}, {"a');} body{background:url(http://x/", "a\\');} body{background:url(http://x/"},
        {"q\".gif", "q\\\".gif"}, {"back\\slash", "back\\\\slash"}, {"line\nbreak\x7f", "line\\a break\\7f "},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(htmltext::cssString(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}
