#include "model/gallerysettings.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(GallerySettings, DefaultsAreTheDocumentedTexts)
{
    GallerySettings s;
    s.setDefaults();
    const std::pair<const char *, const char *> expected[] = {
        {"columns", "4"},
        {"rows", "100"},
        {"default_link_text", "3D"},
        {"page_font_family", "Arial, Helvetica, sans-serif"},
        {"page_background_color", "#7F7F7F"},
        {"cell_width", "160"},
        {"cell_height", "120"},
        {"cell_border_width", "1"},
        {"cell_border_colors", "#aaaaaa #666666 #666666 #aaaaaa"},
        {"cell_background_color", "#7F7F7F"},
        {"thumb_width", "160"},
        {"thumb_height", "120"},
        {"thumb_border_color", "#FFFFFF"},
        {"thumb_border_width", "1"},
        {"title_font_name", "Verdana"},
        {"title_font_size", "10"},
        {"title_font_weight", "normal"},
        {"title_align", "center"},
        {"title_color", "#FFFFFF"},
        {"photo_width", "750"},
        {"photo_height", "500"},
        {"spare_number", "25"},
        {"jpeg_quality", "90"},
        {"gallery_title_font_name", "Verdana"},
        {"gallery_title_font_size", "26"},
        {"gallery_title_color", "#000080"},
        {"cell_spacing", "5"},
        {"cell_padding", "10"},
        {"parent_page_title", ""},
        {"parent_page_url", ""},
        {"keep_aspect_ratio", "1"},
        {"add_parent_link", "0"},
        {"add_image_links", "0"},
    };
    for (const auto &[name, value] : expected) {
        const SettingsField *field = findSettingsField(QString::fromUtf8(name));
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(fieldText(s, *field), QString::fromUtf8(value)) << name;
    }
    EXPECT_EQ(s.galleryTitle, QStringLiteral("My Image Gallery"));
    EXPECT_TRUE(s.destinationFolder.endsWith(QStringLiteral("ZEB/Image Gallery"))
                || s.destinationFolder.endsWith(QStringLiteral("ZEB\\Image Gallery")))
        << s.destinationFolder.toStdString();
}

TEST(GallerySettings, DefaultsLeaveLinkBaseBackgroundsAndReservedFieldsAlone)
{
    GallerySettings s;
    s.linkBase = QStringLiteral("http://base/");
    s.pageBackgroundImage = QStringLiteral("page.jpg");
    s.cellBackgroundImage = QStringLiteral("cell.jpg");
    s.reserved13[0] = QStringLiteral("r");
    s.reserved39[5] = QStringLiteral("q");
    s.reservedBlock[3] = 9;
    const GallerySettings before = s;
    s.setDefaults();
    EXPECT_EQ(s.linkBase, before.linkBase);
    EXPECT_EQ(s.pageBackgroundImage, before.pageBackgroundImage);
    EXPECT_EQ(s.cellBackgroundImage, before.cellBackgroundImage);
    EXPECT_EQ(s.reserved13, before.reserved13);
    EXPECT_EQ(s.reserved39, before.reserved39);
    EXPECT_EQ(s.reservedBlock, before.reservedBlock);
}

TEST(GallerySettings, FieldTableHasTheStoredShape)
{
    int int32 = 0, int16 = 0, texts = 0, bytes = 0, named = 0;
    for (const SettingsField &f : settingsFields()) {
        switch (f.kind) {
        case SettingsField::Kind::Int32: ++int32; break;
        case SettingsField::Kind::Int16: ++int16; break;
        case SettingsField::Kind::Text: ++texts; break;
        case SettingsField::Kind::Bytes16: ++bytes; break;
        }
        named += f.isReserved() ? 0 : 1;
    }
    EXPECT_EQ(settingsFields().size(), 58u);
    EXPECT_EQ(int32, 2);
    EXPECT_EQ(int16, 3);
    EXPECT_EQ(texts, 52);
    EXPECT_EQ(bytes, 1);
    EXPECT_EQ(named, 58 - 2 - 17 - 1);
    EXPECT_EQ(findSettingsField(QString()), nullptr);
    EXPECT_EQ(findSettingsField(QStringLiteral("no_such_field")), nullptr);
}

TEST(GallerySettings, SetFieldTextChecksNumbersAndCentresEmptyAlignment)
{
    struct Case {
        const char *field, *value;
        bool accepted;
        const char *stored;  // fieldText afterwards
    };
    const Case cases[] = {
        {"title_align", "", true, "center"},
        {"title_align", "left", true, "left"},
        {"columns", "6", true, "6"},
        {"columns", " 7 ", true, "7"},
        {"columns", "-3", true, "-3"},
        {"columns", "abc", false, "4"},
        {"columns", "", false, "4"},
        {"columns", "4.5", false, "4"},
        {"rows", "2147483648", false, "100"},
        {"keep_aspect_ratio", "0", true, "0"},
        {"keep_aspect_ratio", "32768", false, "1"},
        {"add_image_links", "x1", false, "0"},
        {"cell_width", "not checked here", true, "not checked here"},
        {"gallery_title", "", true, ""},
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
