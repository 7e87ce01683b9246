#include "model/gallerysettings.h"

#include "core/settledcases.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(GallerySettings, SetFieldTextChecksEachKindAndCentresEmptyAlignment)
{
    // stored: the field's text afterwards
    const struct { const char *field, *value; bool accepted; const char *stored; } cases[] = {
        {"title_align", "", true, "center"},   {"title_align", "left", true, "left"},
        {"columns", " 7 ", true, "7"},         {"columns", "-3", true, "-3"},
        {"columns", "abc", false, "4"},        {"columns", "4.5", false, "4"},
        {"rows", "2147483648", false, "100"},  {"keep_aspect_ratio", "32768", false, "1"},
        {"cell_width", "200", true, "200"},    {"cell_width", "10001", false, "160"},
        {"cell_padding", "1\" onmouseover=\"x", false, "10"}, {"title_font_size", "-1", false, "10"},
        {"title_align", "right", true, "right"}, {"title_align", "x onclick=alert(1)", false, "center"},
        {"title_font_weight", "bold", true, "bold"}, {"title_font_weight", "900;}*{x:y", false, "normal"},
        {"title_color", "#a3F", true, "#a3F"}, {"title_color", "red", true, "red"},
        {"title_color", "#12345", false, "#FFFFFF"}, {"title_color", "red;}body{x:url(y)", false, "#FFFFFF"},
        {"gallery_title_color", "#000\" onclick=\"x", false, "#000080"},
        {"cell_border_colors", "#111 #222", true, "#111 #222"},
        {"cell_border_colors", "#1 #2 #3 #4 #5", false, "#aaaaaa #666666 #666666 #aaaaaa"},
        {"page_font_family", "'Times New Roman', \u0141ato-Sans, serif", true,
         "'Times New Roman', \u0141ato-Sans, serif"},
        {"title_font_name", "x;}body{background:url(//e)}", false, "Verdana"},
        {"title_font_name", "'unpaired", false, "Verdana"},
        {"gallery_title", "<b>any</b> \"text\"", true, "<b>any</b> \"text\""},
    };
    for (const auto &c : cases) {
        GallerySettings s;
        s.setDefaults();
        const SettingsField *field = findSettingsField(QString::fromUtf8(c.field));
        ASSERT_NE(field, nullptr) << c.field;
        EXPECT_EQ(setFieldText(s, *field, QString::fromUtf8(c.value)), c.accepted) << c.field << "=" << c.value;
        EXPECT_EQ(fieldText(s, *field), QString::fromUtf8(c.stored)) << c.field << "=" << c.value;
    }
}

// The fields in which two records differ, as "name: value", for a readable failure.
static std::string differences(const GallerySettings &a, const GallerySettings &b)
{
    std::string out;
    for (const SettingsField &field : settingsFields()) {
        const QString left = fieldText(a, field), right = fieldText(b, field);
        if (left != right)
            out += QStringLiteral(" %1: '%2' not '%3'").arg(QLatin1String(field.name), left.left(40), right.left(40)).toStdString();
    }
    return out;
}

TEST(GallerySettings, SettledRecordIsTheOneTheSettingsDialogHandsBack)
{
    GallerySettings defaults;
    defaults.setDefaults();
    EXPECT_EQ(differences(settledSettings(defaults), defaults), "");
    for (const test::SettledCase &c : test::settledCases()) {
        GallerySettings record = defaults;
        test::putValue(record, c.field, c.value);
        GallerySettings expected = defaults;
        test::putValue(expected, c.field, c.settled);
        const GallerySettings settled = settledSettings(record);
        EXPECT_EQ(differences(settled, expected), "") << c.rule;
        EXPECT_EQ(differences(settledSettings(settled), settled), "") << c.rule;
    }
}
