#pragma once

// One case per rule of settledSettings(): a value put into a record of defaults, and the value
// the settled record holds. The core test checks the function against these; the settings
// dialog's test checks that the dialog settles the same records the same way.

#include "model/gallerysettings.h"

#include <QString>

#include <vector>

namespace lumarc::test {

struct SettledCase {
    const char *rule;
    const char *field;
    QString value;
    QString settled;
};

inline const std::vector<SettledCase> &settledCases()
{
    static const std::vector<SettledCase> cases = {
        {"number with blanks and zeros",   "cell_width",         " 0012 ",          "12"},
        {"fraction rounds away from zero", "thumb_height",       "2.5",             "3"},
        {"number in exponent notation",    "photo_width",        "1e3",             "1000"},
        {"text that is no number",         "photo_width",        "wide",            "0"},
        {"empty number",                   "jpeg_quality",       "",                "0"},
        {"number outside the box's range", "jpeg_quality",       "5",               "5"},
        {"negative size",                  "cell_height",        "-4",              "120"},
        {"size beyond the style sheet's",  "cell_width",         "20000",           "160"},
        {"empty alignment",                "title_align",        "",                "center"},
        {"unknown alignment",              "title_align",        "justify",         "center"},
        {"short colour in lower case",     "title_color",        "#a3f",            "#AA33FF"},
        {"colour by name",                 "page_background_color", "red",          "red"},
        {"colour that ends the rule",      "title_color",        "red;}x{",         "#FFFFFF"},
        {"one border colour",              "cell_border_colors", "#FFF",            "#ffffff #ffffff #ffffff #ffffff"},
        {"two border colours",             "cell_border_colors", "#aaa #666",       "#aaaaaa #666666 #aaaaaa #666666"},
        {"three border colours",           "cell_border_colors", "#111 #222 #333",  "#111111 #222222 #333333 #222222"},
        {"border colours by name",         "cell_border_colors", "red blue",        "red blue"},
        {"border colours that end the rule", "cell_border_colors", "#111;}",        "#aaaaaa #666666 #666666 #aaaaaa"},
        {"parent link placeholder",        "parent_page_url",    "http://",         ""},
        {"text longer than a line holds",  "gallery_title",      QString(40000, u'x'), QString(32767, u'x')},
        {"flag other than 1",              "add_parent_link",    "2",               "0"},
        {"font name that ends the rule",   "title_font_name",    "a\"b",            "Verdana"},
        {"unfit field without a control",  "title_font_weight",  "bold}",           "normal"},
        {"field without a control",        "spare_number",       "not a number",    "not a number"},
    };
    return cases;
}

// Puts a value into a record as it is, unchecked, as a file could hold it.
inline void putValue(GallerySettings &settings, const char *name, const QString &value)
{
    const SettingsField &field = *findSettingsField(QLatin1String(name));
    if (field.kind == SettingsField::Kind::Int16)
        settings.*field.int16 = value.toShort();
    else
        textField(settings, field) = value;
}

}  // namespace lumarc::test
