#pragma once

// The one record that sets the look and layout of a gallery. Plain value type: the
// project and settings files store it whole (reserved fields included), the generator
// reads it and the command line and settings dialog edit it by field name.

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace lumarc {

struct GallerySettings {
    // Declared (and stored) order. Numeric values are mostly kept as text, exactly as they
    // go into the HTML and CSS; only image sizes and quality are converted, at use.
    qint32 columns = 0;
    qint32 rows = 0;
    QString defaultLinkText;
    QString pageFontFamily;
    QString pageBackgroundColor;
    QString cellWidth;
    QString cellHeight;
    QString cellBorderWidth;
    QString cellBorderColors;
    QString cellBackgroundColor;
    QString thumbWidth;
    QString thumbHeight;
    std::array<QString, 2> reserved13;
    QString thumbBorderColor;
    QString thumbBorderWidth;
    QString titleFontName;
    QString titleFontSize;
    QString titleFontWeight;
    QString titleAlign;
    QString titleColor;
    QString photoWidth;
    QString photoHeight;
    QString spareNumber;
    QString jpegQuality;
    QString galleryTitle;
    QString galleryTitleFontName;
    QString galleryTitleFontSize;
    QString galleryTitleColor;
    QString cellSpacing;
    QString cellPadding;
    QString destinationFolder;
    QString parentPageTitle;
    QString parentPageUrl;
    qint16 keepAspectRatio = 0;
    QString linkBase;
    QString pageBackgroundImage;
    QString cellBackgroundImage;
    std::array<QString, 17> reserved39;
    qint16 addParentLink = 0;
    qint16 addImageLinks = 0;
    std::array<quint8, 16> reservedBlock{};

    // Assigns every field its default; link_base, the background images and the reserved
    // fields are left as they are.
    void setDefaults();

    bool operator==(const GallerySettings &) const = default;
};

// The gallery folder a fresh record points at: documents folder, "ZEB", "Image Gallery".
QString defaultDestinationFolder();

// Field access by name, for the command line, the settings dialog and the file formats.
// The table lists all 58 fields in declared order; reserved ones have an empty name.
struct SettingsField {
    enum class Kind { Int32, Int16, Text, Bytes16 };
    const char *name;  // the field's name in files, on the command line and in JSON
    Kind kind;
    qint32 GallerySettings::*int32 = nullptr;
    qint16 GallerySettings::*int16 = nullptr;
    QString GallerySettings::*text = nullptr;
    // Reserved texts live in arrays; for those, the array and the index.
    std::size_t reservedIndex = 0;
    bool reservedLate = false;  // reserved39 rather than reserved13

    bool isReserved() const { return name[0] == '\0'; }
};

std::span<const SettingsField> settingsFields();
const SettingsField *findSettingsField(const QString &name);

// Text of a field of either kind (numbers in decimal); reserved texts by index too.
QString fieldText(const GallerySettings &settings, const SettingsField &field);
QString &textField(GallerySettings &settings, const SettingsField &field);
const QString &textField(const GallerySettings &settings, const SettingsField &field);

// Sets a field from text. Numeric fields take decimal integers in their type's range;
// an empty title_align is stored as "center"; the fields that go into the pages' markup and
// style sheet take only values of their kind (valueProblem). False when the text does not
// fit the field; the field is then left as it was.
bool setFieldText(GallerySettings &settings, const SettingsField &field, const QString &value);

// What a value of the field must be, when `value` is not such a value; an empty text when it
// fits. Sizes, keywords, colours and font names reach the pages and the style sheet
// unescaped, so each is held to its kind: digits only, one of its keywords, a colour
// notation, or a font list without the characters that end a rule or an attribute.
// Fields of no such kind accept any text.
QString valueProblem(const SettingsField &field, const QString &value);

// A field of `settings` whose value does not fit its kind, and the default it gets instead.
struct UnfitField {
    const SettingsField *field;
    QString value;
    QString replacement;
};

// Gives every field whose value does not fit its kind (a hand-edited or shared file) its
// default, and lists those fields.
QList<UnfitField> resetUnfitFields(GallerySettings &settings);

// The record in the form the settings dialog shows it and hands it back, so that a record that
// was only shown does not count as changed. Each field the dialog edits settles by its control:
//   numbers: the text read as a number (blanks around it allowed, 0 when it is none), rounded
//     half away from zero, written in decimal; the boxes' ranges are not applied;
//   alignment: anything but "left", "center" or "right" is "center";
//   colours: "#RGB" or "#RRGGBB" is written "#RRGGBB" in upper case; the border colours as four
//     lower-case "#rrggbb", top, right, bottom, left, the missing sides as CSS takes them; a
//     colour of any other notation (a name such as "red") stays as written;
//   texts: at most 32767 characters; the parent link's placeholder "http://" is no link;
//   flags: 1 or 0, 1 only for 1.
// Then every value that does not fit its kind has its default (resetUnfitFields). Fields the
// dialog does not edit are kept. Settling a settled record changes nothing.
GallerySettings settledSettings(const GallerySettings &settings);

}  // namespace lumarc
