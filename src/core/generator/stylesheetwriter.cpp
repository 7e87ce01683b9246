#include "generator/stylesheetwriter.h"

#include "support/cp1252.h"
#include "support/filebytes.h"
#include "support/paths.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace lumarc {
namespace {

QString libraryPath(const QString &destinationFolder, const QString &name)
{
    return paths::join(paths::join(destinationFolder, QLatin1String(kLibraryFolderName)), name);
}

// Copies an existing background image into the library folder and returns its file name
// there; an empty or missing source gives an empty name, and the sheet then has no image.
QString copyBackground(const QString &source, const QString &destinationFolder, Status &status)
{
    if (!paths::exists(source) || QFileInfo(source).isDir())
        return {};
    const QString name = paths::fileName(source);
    const QString target = libraryPath(destinationFolder, name);

    // Read whole and replace through QSaveFile: a failed copy leaves the old copy intact,
    // and a source that already is the library copy is not deleted before it is read.
    const Result<QByteArray> data = readFileBytes(source);
    Status copied = data ? replaceFile(target, data.value()) : Status(data.error());
    if (copied && !status)
        status = copied;
    return name;
}

} // namespace

QByteArray renderStyleSheet(const GallerySettings &s, const QString &pageImageName, const QString &cellImageName)
{
    const QString titleFonts = s.titleFontName + QLatin1Char(',') + s.pageFontFamily;
    QStringList lines;
    if (pageImageName.isEmpty())
        lines << QLatin1String("body{background-color:") + s.pageBackgroundColor + QLatin1String(";}");
    else
        lines << QLatin1String("body{ background-image:url('") + pageImageName
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
        cell += QLatin1String("background-image:url('") + cellImageName + QLatin1String("'); ");
    cell += QLatin1String("background-color:") + s.cellBackgroundColor + QLatin1Char('}');
    lines << cell;
    lines << QLatin1String("img.eImage {border:") + s.thumbBorderWidth + QLatin1String("px solid; border-color:")
                 + s.thumbBorderColor + QLatin1String(";}");
    lines << QLatin1String("font.tdTitle { text-align:") + s.titleAlign
                 + QLatin1String("; vertical-align:bottom; font:") + s.titleFontSize + QLatin1String("px ")
                 + titleFonts + QLatin1String("; font-weight:") + s.titleFontWeight + QLatin1String("; color:")
                 + s.titleColor + QLatin1String(";}");

    QString text;
    for (const QString &line : std::as_const(lines))
        text += line + QLatin1String("\r\n");
    return cp1252::encode(text, cp1252::Escape::Css);
}

Status writeStyleSheet(const GallerySettings &settings, const QString &destinationFolder)
{
    Status status;
    const QString pageImage = copyBackground(settings.pageBackgroundImage, destinationFolder, status);
    const QString cellImage = copyBackground(settings.cellBackgroundImage, destinationFolder, status);

    const QString path = libraryPath(destinationFolder, QLatin1String(kStyleSheetName));
    const QByteArray bytes = renderStyleSheet(settings, pageImage, cellImage);
    Status written = replaceFile(path, bytes);
    return status ? status : written;
}

} // namespace lumarc
