#include "model/gallerysettings.h"

#include "colour/colour.h"
#include "i18n/strings.h"
#include "support/paths.h"

#include <QLocale>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace lumarc {

void GallerySettings::setDefaults()
{
    columns = 4;
    rows = 100;
    defaultLinkText = QStringLiteral("3D");
    pageFontFamily = QStringLiteral("Arial, Helvetica, sans-serif");
    pageBackgroundColor = QStringLiteral("#7F7F7F");
    cellWidth = QStringLiteral("160");
    cellHeight = QStringLiteral("120");
    cellBorderWidth = QStringLiteral("1");
    cellBorderColors = QStringLiteral("#aaaaaa #666666 #666666 #aaaaaa");
    cellBackgroundColor = QStringLiteral("#7F7F7F");
    thumbWidth = QStringLiteral("160");
    thumbHeight = QStringLiteral("120");
    thumbBorderColor = QStringLiteral("#FFFFFF");
    thumbBorderWidth = QStringLiteral("1");
    titleFontName = QStringLiteral("Verdana");
    titleFontSize = QStringLiteral("10");
    titleFontWeight = QStringLiteral("normal");
    titleAlign = QStringLiteral("center");
    titleColor = QStringLiteral("#FFFFFF");
    photoWidth = QStringLiteral("750");
    photoHeight = QStringLiteral("500");
    spareNumber = QStringLiteral("25");
    jpegQuality = QStringLiteral("90");
    galleryTitle = i18n::getString(text::DefaultGalleryTitle);
    galleryTitleFontName = QStringLiteral("Verdana");
    galleryTitleFontSize = QStringLiteral("26");
    galleryTitleColor = QStringLiteral("#000080");
    cellSpacing = QStringLiteral("5");
    cellPadding = QStringLiteral("10");
    destinationFolder = defaultDestinationFolder();
    parentPageTitle.clear();
    parentPageUrl.clear();
    keepAspectRatio = 1;
    addParentLink = 0;
    addImageLinks = 0;
}

QString defaultDestinationFolder()
{
    // Where the platform reports no documents folder the documents part stays empty.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return paths::join(paths::join(documents, QStringLiteral("ZEB")), QStringLiteral("Image Gallery"));
}

namespace {

using K = SettingsField::Kind;
using S = GallerySettings;

SettingsField i32(const char *name, qint32 S::*m) { return {name, K::Int32, m, nullptr, nullptr}; }
SettingsField i16(const char *name, qint16 S::*m) { return {name, K::Int16, nullptr, m, nullptr}; }
SettingsField txt(const char *name, QString S::*m) { return {name, K::Text, nullptr, nullptr, m}; }
SettingsField reserved(std::size_t index, bool late) { return {"", K::Text, nullptr, nullptr, nullptr, index, late}; }

std::vector<SettingsField> makeFields()
{
    std::vector<SettingsField> f = {
        i32("columns", &S::columns),
        i32("rows", &S::rows),
        txt("default_link_text", &S::defaultLinkText),
        txt("page_font_family", &S::pageFontFamily),
        txt("page_background_color", &S::pageBackgroundColor),
        txt("cell_width", &S::cellWidth),
        txt("cell_height", &S::cellHeight),
        txt("cell_border_width", &S::cellBorderWidth),
        txt("cell_border_colors", &S::cellBorderColors),
        txt("cell_background_color", &S::cellBackgroundColor),
        txt("thumb_width", &S::thumbWidth),
        txt("thumb_height", &S::thumbHeight),
        reserved(0, false),
        reserved(1, false),
        txt("thumb_border_color", &S::thumbBorderColor),
        txt("thumb_border_width", &S::thumbBorderWidth),
        txt("title_font_name", &S::titleFontName),
        txt("title_font_size", &S::titleFontSize),
        txt("title_font_weight", &S::titleFontWeight),
        txt("title_align", &S::titleAlign),
        txt("title_color", &S::titleColor),
        txt("photo_width", &S::photoWidth),
        txt("photo_height", &S::photoHeight),
        txt("spare_number", &S::spareNumber),
        txt("jpeg_quality", &S::jpegQuality),
        txt("gallery_title", &S::galleryTitle),
        txt("gallery_title_font_name", &S::galleryTitleFontName),
        txt("gallery_title_font_size", &S::galleryTitleFontSize),
        txt("gallery_title_color", &S::galleryTitleColor),
        txt("cell_spacing", &S::cellSpacing),
        txt("cell_padding", &S::cellPadding),
        txt("destination_folder", &S::destinationFolder),
        txt("parent_page_title", &S::parentPageTitle),
        txt("parent_page_url", &S::parentPageUrl),
        i16("keep_aspect_ratio", &S::keepAspectRatio),
        txt("link_base", &S::linkBase),
        txt("page_background_image", &S::pageBackgroundImage),
        txt("cell_background_image", &S::cellBackgroundImage),
    };
    for (std::size_t i = 0; i < 17; ++i)
        f.push_back(reserved(i, true));
    f.push_back(i16("add_parent_link", &S::addParentLink));
    f.push_back(i16("add_image_links", &S::addImageLinks));
    f.push_back({"", K::Bytes16});
    return f;
}

}  // namespace

std::span<const SettingsField> settingsFields()
{
    static const std::vector<SettingsField> fields = makeFields();
    return fields;
}

const SettingsField *findSettingsField(const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    for (const SettingsField &f : settingsFields()) {
        if (name == QLatin1String(f.name))
            return &f;
    }
    return nullptr;
}

QString &textField(GallerySettings &settings, const SettingsField &field)
{
    Q_ASSERT(field.kind == K::Text);
    if (field.text)
        return settings.*field.text;
    return field.reservedLate ? settings.reserved39[field.reservedIndex] : settings.reserved13[field.reservedIndex];
}

const QString &textField(const GallerySettings &settings, const SettingsField &field)
{
    return textField(const_cast<GallerySettings &>(settings), field);
}

QString fieldText(const GallerySettings &settings, const SettingsField &field)
{
    switch (field.kind) {
    case K::Int32:
        return QString::number(settings.*field.int32);
    case K::Int16:
        return QString::number(settings.*field.int16);
    case K::Text:
        return textField(settings, field);
    case K::Bytes16:
        return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(settings.reservedBlock.data()),
                                              qsizetype(settings.reservedBlock.size()))
                                       .toHex());
    }
    return {};
}

namespace {

enum class ValueKind { Size, Align, Weight, Colour, Colours, Fonts };

// The fields that go into the pages' markup or the style sheet, and what they may hold.
struct KindRule {
    const char *field;
    ValueKind kind;
};
constexpr KindRule kKindRules[] = {
    {"page_font_family", ValueKind::Fonts},
    {"page_background_color", ValueKind::Colour},
    {"cell_width", ValueKind::Size},
    {"cell_height", ValueKind::Size},
    {"cell_border_width", ValueKind::Size},
    {"cell_border_colors", ValueKind::Colours},
    {"cell_background_color", ValueKind::Colour},
    {"thumb_border_color", ValueKind::Colour},
    {"thumb_border_width", ValueKind::Size},
    {"title_font_name", ValueKind::Fonts},
    {"title_font_size", ValueKind::Size},
    {"title_font_weight", ValueKind::Weight},
    {"title_align", ValueKind::Align},
    {"title_color", ValueKind::Colour},
    {"gallery_title_font_name", ValueKind::Fonts},
    {"gallery_title_font_size", ValueKind::Size},
    {"gallery_title_color", ValueKind::Colour},
    {"cell_spacing", ValueKind::Size},
    {"cell_padding", ValueKind::Size},
};
constexpr int kMaxSize = 10000;

std::optional<ValueKind> valueKind(const SettingsField &field)
{
    for (const KindRule &rule : kKindRules) {
        if (qstrcmp(rule.field, field.name) == 0)
            return rule.kind;
    }
    return std::nullopt;
}

bool isSize(const QString &value)
{
    if (value.isEmpty() || value.size() > 5)
        return false;
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return value.toInt() <= kMaxSize;
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// "#" and 3, 4, 6 or 8 hexadecimal digits, or a colour name such as "red" or "transparent".
bool isColour(const QString &value)
{
    if (value.startsWith(QLatin1Char('#'))) {
        const qsizetype digits = value.size() - 1;
        if (digits != 3 && digits != 4 && digits != 6 && digits != 8)
            return false;
        return std::all_of(value.begin() + 1, value.end(), [](QChar c) {
            const char16_t u = c.unicode();
            return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
        });
    }
    return !value.isEmpty() && value.size() <= 32 && std::all_of(value.begin(), value.end(), isAsciiLetter);
}

// One to four colours separated by blanks, as CSS takes them for the four borders.
bool isColourList(const QString &value)
{
    const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return !parts.isEmpty() && parts.size() <= 4 && std::all_of(parts.begin(), parts.end(), isColour);
}

// Quotes come in pairs, so that a quoted name such as 'Times New Roman' cannot run on.
bool isFontList(const QString &value)
{
    const bool allowed = std::all_of(value.begin(), value.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char(',')
               || c == QLatin1Char('\'') || c == QLatin1Char('"');
    });
    return allowed && !value.trimmed().isEmpty() && value.count(QLatin1Char('\'')) % 2 == 0
           && value.count(QLatin1Char('"')) % 2 == 0;
}

const GallerySettings &defaultSettings()
{
    static const GallerySettings defaults = [] {
        GallerySettings s;
        s.setDefaults();
        return s;
    }();
    return defaults;
}

}  // namespace

QString valueProblem(const SettingsField &field, const QString &value)
{
    if (field.kind == K::Int32 || field.kind == K::Int16) {
        bool ok = false;
        if (field.kind == K::Int32)
            value.trimmed().toInt(&ok);
        else
            value.trimmed().toShort(&ok);
        return ok ? QString() : QStringLiteral("a whole number");
    }
    const std::optional<ValueKind> kind = valueKind(field);
    if (!kind)
        return {};
    switch (*kind) {
    case ValueKind::Size:
        return isSize(value) ? QString() : QStringLiteral("a whole number from 0 to %1").arg(kMaxSize);
    case ValueKind::Align:
        return value.isEmpty() || value == QLatin1String("left") || value == QLatin1String("center")
                       || value == QLatin1String("right")
                   ? QString()
                   : QStringLiteral("left, center or right");
    case ValueKind::Weight:
        return value == QLatin1String("normal") || value == QLatin1String("bold") ? QString()
                                                                                  : QStringLiteral("normal or bold");
    case ValueKind::Colour:
        return isColour(value) ? QString() : QStringLiteral("a colour such as #FF0000, #F00 or red");
    case ValueKind::Colours:
        return isColourList(value) ? QString() : QStringLiteral("one to four colours separated by blanks");
    case ValueKind::Fonts:
        return isFontList(value) ? QString()
                                 : QStringLiteral("font names of letters, digits, blanks, hyphens, commas and "
                                                  "paired quotes");
    }
    return {};
}

QList<UnfitField> resetUnfitFields(GallerySettings &settings)
{
    QList<UnfitField> unfit;
    for (const KindRule &rule : kKindRules) {
        const SettingsField *field = findSettingsField(QLatin1String(rule.field));
        QString &value = textField(settings, *field);
        if (valueProblem(*field, value).isEmpty())
            continue;
        const QString &replacement = textField(defaultSettings(), *field);
        unfit.append({field, value, replacement});
        value = replacement;
    }
    return unfit;
}

bool setFieldText(GallerySettings &settings, const SettingsField &field, const QString &value)
{
    if (!valueProblem(field, value).isEmpty())
        return false;
    bool ok = false;
    switch (field.kind) {
    case K::Int32: {
        const qint32 v = value.trimmed().toInt(&ok);
        if (ok)
            settings.*field.int32 = v;
        return ok;
    }
    case K::Int16: {
        const qint16 v = value.trimmed().toShort(&ok);
        if (ok)
            settings.*field.int16 = v;
        return ok;
    }
    case K::Text:
        if (field.text == &GallerySettings::titleAlign && value.isEmpty())
            settings.titleAlign = QStringLiteral("center");
        else
            textField(settings, field) = value;
        return true;
    case K::Bytes16:
        return false;
    }
    return false;
}

namespace {

// The fields the settings dialog edits, by the control that edits them.
constexpr const char *kNumberFields[] = {
    "columns",     "rows",         "thumb_width",       "thumb_height", "thumb_border_width", "title_font_size",
    "cell_width",  "cell_height",  "cell_border_width", "cell_spacing", "cell_padding",       "gallery_title_font_size",
    "photo_width", "photo_height", "jpeg_quality",
};
constexpr const char *kColourFields[] = {
    "page_background_color", "gallery_title_color", "cell_background_color", "title_color", "thumb_border_color",
};
constexpr const char *kLineFields[] = {
    "default_link_text", "gallery_title",   "page_background_image", "cell_background_image",
    "parent_page_title", "parent_page_url", "destination_folder",
};
constexpr qint16 GallerySettings::*kFlagFields[] = {&GallerySettings::keepAspectRatio, &GallerySettings::addParentLink,
                                                    &GallerySettings::addImageLinks};

// The longest text a line of the dialog holds.
constexpr qsizetype kMaxLineLength = 32767;
const QString kParentUrlPlaceholder = QStringLiteral("http://");

const SettingsField &fieldNamed(const char *name) { return *findSettingsField(QLatin1String(name)); }

// A number box's whole number for a text: 0 when the text is no number.
qint32 wholeNumberOf(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return qint32(std::lround(std::clamp(std::round(value), -2147483648.0, 2147483647.0)));
}

// The four border colours, top, right, bottom, left, of a CSS border-color value of one to four
// "#RGB" or "#RRGGBB" colours; nullopt when the value holds anything else.
std::optional<std::array<qint32, 4>> borderColours(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 4)
        return std::nullopt;
    std::array<qint32, 4> colours{};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<qint32> colour = colour::parseHexColor(parts.at(i));
        if (!colour)
            return std::nullopt;
        colours[std::size_t(i)] = *colour;
    }
    // One value: every side; two: top and bottom, right and left; three: left as right.
    constexpr std::size_t kFrom[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    const auto &from = kFrom[parts.size() - 1];
    return std::array<qint32, 4>{colours[from[0]], colours[from[1]], colours[from[2]], colours[from[3]]};
}

}  // namespace

GallerySettings settledSettings(const GallerySettings &settings)
{
    GallerySettings settled = settings;
    for (const char *name : kNumberFields) {
        const SettingsField &field = fieldNamed(name);
        setFieldText(settled, field, QString::number(wholeNumberOf(fieldText(settings, field))));
    }
    if (settled.titleAlign != QLatin1String("left") && settled.titleAlign != QLatin1String("right"))
        settled.titleAlign = QStringLiteral("center");

    // Colours are read after unfit ones got their defaults: a default in the web notation is
    // written as the dialog writes it.
    GallerySettings fitting = settings;
    resetUnfitFields(fitting);
    for (const char *name : kColourFields) {
        const SettingsField &field = fieldNamed(name);
        if (const std::optional<qint32> colour = colour::parseHexColor(textField(fitting, field)))
            textField(settled, field) = colour::colorToHex(*colour);
    }
    if (const std::optional<std::array<qint32, 4>> borders = borderColours(fitting.cellBorderColors)) {
        QStringList sides;
        for (const qint32 colour : *borders)
            sides.append(colour::colorToHex(colour).toLower());
        settled.cellBorderColors = sides.join(QLatin1Char(' '));
    }

    for (const char *name : kLineFields) {
        QString &text = textField(settled, fieldNamed(name));
        text.truncate(kMaxLineLength);
    }
    if (settings.parentPageUrl == kParentUrlPlaceholder)
        settled.parentPageUrl.clear();
    for (const auto flag : kFlagFields)
        settled.*flag = settings.*flag == 1 ? 1 : 0;

    resetUnfitFields(settled);
    return settled;
}

}  // namespace lumarc
