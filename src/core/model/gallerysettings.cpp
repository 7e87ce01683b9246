#include "model/gallerysettings.h"

#include "i18n/strings.h"
#include "support/paths.h"

#include <QStandardPaths>

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
    galleryTitle = i18n::getString(102, QStringLiteral("My Image Gallery"));
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
SettingsField reserved(std::size_t index, bool late)
{
    return {"", K::Text, nullptr, nullptr, nullptr, index, late};
}

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

} // namespace

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

bool setFieldText(GallerySettings &settings, const SettingsField &field, const QString &value)
{
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

} // namespace lumarc
