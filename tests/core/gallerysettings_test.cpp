#include "model/gallerysettings.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(GallerySettings, SetFieldTextChecksNumbersAndCentresEmptyAlignment)
{
    struct Case {
        const char *field, *value;
        bool accepted;
        const char *stored;  // the field's text afterwards
    };
    const Case cases[] = {
        {"title_align", "", true, "center"},   {"title_align", "left", true, "left"},
        {"columns", " 7 ", true, "7"},         {"columns", "-3", true, "-3"},
        {"columns", "abc", false, "4"},        {"columns", "4.5", false, "4"},
        {"rows", "2147483648", false, "100"},  {"keep_aspect_ratio", "32768", false, "1"},
        {"cell_width", "not checked", true, "not checked"},
    };
    for (const Case &c : cases) {
        GallerySettings s;
        s.setDefaults();
        const SettingsField *field = findSettingsField(QString::fromUtf8(c.field));
        ASSERT_NE(field, nullptr) << c.field;
        EXPECT_EQ(setFieldText(s, *field, QString::fromUtf8(c.value)), c.accepted) << c.field << "=" << c.value;
        EXPECT_EQ(fieldText(s, *field), QString::fromUtf8(c.stored)) << c.field << "=" << c.value;
    }
}
