#include "generator/stylesheetwriter.h"

#include "generator/outputfolder.h"

#include "imaging/imageengine.h"
#include "support/cp1252.h"
#include "support/htmltext.h"
#include "support/paths.h"

#include <QStringList>

namespace lumarc {
namespace {

// Copies a background into the library folder when the image engine reads it as an image:
// any other file (a key, a password file) must never be published with the gallery. The
// file is opened once, and what is checked is what is copied, in pieces: a file swapped
// after the check, or one of any size, changes nothing.
bool copyBackground(const BackgroundCopy &copy, const GalleryFolder &folder, QList<Error> &failures)
{
    if (copy.name.isEmpty() || copy.name == QLatin1String(".") || copy.name == QLatin1String("..")) {
        failures.append(
            Error{ErrorCode::Invalid, copy.source,
                  QStringLiteral("has no file name to copy it under; the style sheet has no background image")});
        return false;
    }
    Result<fileops::ReadFile> file = fileops::ReadFile::open(copy.source);
    if (!file) {
        Error error = file.error();
        error.detail = error.code == ErrorCode::NotFound
                           ? QStringLiteral("background image not found; the style sheet has no background image")
                           : error.detail + QStringLiteral("; the style sheet has no background image");
        failures.append(error);
        return false;
    }
    if (const Result<QSize> size = imaging::readSize(file.value()); !size) {
        failures.append(Error{ErrorCode::Decode, copy.source,
                              QStringLiteral("not an image the image engine can read (%1); the style sheet has no "
                                             "background image")
                                  .arg(size.error().detail)});
        return false;
    }
    // A background kept in the library already is its own copy.
    if (folder.entry(libraryName(copy.name)).id == file.value().id())
        return true;
    if (Status copied = folder.copy(libraryName(copy.name), file.value())) {
        failures.append(*copied);
        return false;
    }
    return true;
}

}  // namespace

QByteArray renderStyleSheet(const GallerySettings &settings, const QString &pageImageName, const QString &cellImageName)
{
    // Every value below goes into a rule unescaped: one not of its kind gets its default.
    GallerySettings s = settings;
    resetUnfitFields(s);
    const QString titleFonts = s.titleFontName + QLatin1Char(',') + s.pageFontFamily;
    QStringList lines;
    if (pageImageName.isEmpty())
        lines << QLatin1String("body{background-color:") + s.pageBackgroundColor + QLatin1String(";}");
    else
        lines << QLatin1String("body{ background-image:url('") + htmltext::cssString(pageImageName)
                     + QLatin1String("'); background-color:") + s.pageBackgroundColor + QLatin1String(";}");
    lines << QLatin1String("#divZEB {text-align:center; font: 11px ") + titleFonts + QLatin1String(";}");
    lines << QStringLiteral("#divZEB a:link, #divZEB a:visited {text-decoration:none;}");
    lines << QStringLiteral("#divZEB a:hover {color:red;text-decoration:underline;}");
    lines << QStringLiteral("#tblThumbsLayout {text-align:left; margin: 0 auto;}");
    lines << QStringLiteral("#tblGalleryName{margin-top:4px;}");
    lines << QStringLiteral("#currentGalleryLocation {font-weight:bold; font-size:12px;}");
    lines << QLatin1String("td#galleryNameCell {font-size: ") + s.galleryTitleFontSize
                 + QLatin1String("px; font-weight:bold; color:") + s.galleryTitleColor
                 + QLatin1String("; margin: 6px 6px 0 0;}");
    lines << QStringLiteral("td#pagingCell {text-align:right; white-space:nowrap;}");
    lines << QStringLiteral(".currentPage {font-weight: bold;}");
    lines << QLatin1String(".titlePages {font-size: 12px;font-weight: bold; color:") + s.galleryTitleColor
                 + QLatin1String(";}");
    lines << QStringLiteral("td#pagingCell a, .currentPage {font-size: 10px; padding: 3px 5px; "
                            "border:1px solid #ccc;vertical-align:middle; }");
    lines << QStringLiteral("td#pagingCell a:hover, .currentPage {border: #666 1px solid; "
                            "background-color:#fff; text-decoration:none;}");
    lines << QStringLiteral("#pnCell {text-align:right;}");
    lines << QStringLiteral("a.pn, a.pn:LINK,a.pn:VISITED {color: #606060; font: 9px arial, helvetica, "
                            "sans-serif; text-decoration: none; padding: 1px 4px;}");
    // " px" with a blank and the missing ";" before "}" are part of the format pages
    // made elsewhere already depend on; they stay as they are.
    QString cell = QLatin1String("td.tdImg {width:") + s.cellWidth + QLatin1String("px; height:") + s.cellHeight
                   + QLatin1String(" px; border: ") + s.cellBorderWidth + QLatin1String("px solid; border-color:")
                   + s.cellBorderColors + QLatin1String("; vertical-align: top; text-align:center;");
    if (!cellImageName.isEmpty())
        cell += QLatin1String("background-image:url('") + htmltext::cssString(cellImageName) + QLatin1String("'); ");
    cell += QLatin1String("background-color:") + s.cellBackgroundColor + QLatin1Char('}');
    lines << cell;
    lines << QLatin1String("img.eImage {border:") + s.thumbBorderWidth + QLatin1String("px solid; border-color:")
                 + s.thumbBorderColor + QLatin1String(";}");
    lines << QLatin1String("font.tdTitle { text-align:") + s.titleAlign
                 + QLatin1String("; vertical-align:bottom; font:") + s.titleFontSize + QLatin1String("px ") + titleFonts
                 + QLatin1String("; font-weight:") + s.titleFontWeight + QLatin1String("; color:") + s.titleColor
                 + QLatin1String(";}");

    QString text;
    for (const QString &line : std::as_const(lines))
        text += line + QLatin1String("\r\n");
    return cp1252::encode(text, cp1252::Escape::Css);
}

QList<BackgroundCopy> backgroundCopies(const GallerySettings &settings)
{
    QList<BackgroundCopy> copies;
    for (const QString &source : {settings.pageBackgroundImage, settings.cellBackgroundImage}) {
        if (source.trimmed().isEmpty())
            continue;
        if (!copies.isEmpty() && copies.first().source == source)
            continue;  // one copy serves both
        BackgroundCopy copy{source, paths::fileName(source)};
        if (!copies.isEmpty() && copies.first().name.compare(copy.name, Qt::CaseInsensitive) == 0) {
            const QString extension = paths::extension(copy.name);
            copy.name = paths::baseName(copy.name) + QStringLiteral("_1")
                        + (copy.name.contains(QLatin1Char('.')) ? QLatin1Char('.') + extension : QString());
        }
        copies.append(copy);
    }
    return copies;
}

QList<Error> writeStyleSheet(const GallerySettings &settings, const GalleryFolder &folder)
{
    QList<Error> failures;
    QString pageImage;
    QString cellImage;
    for (const BackgroundCopy &copy : backgroundCopies(settings)) {
        if (!copyBackground(copy, folder, failures))
            continue;
        if (copy.source == settings.pageBackgroundImage)
            pageImage = copy.name;
        if (copy.source == settings.cellBackgroundImage)
            cellImage = copy.name;
    }
    if (Status written =
            folder.write(libraryName(QLatin1String(kStyleSheetName)), renderStyleSheet(settings, pageImage, cellImage)))
        failures.append(*written);
    return failures;
}

}  // namespace lumarc
