#include "generator/pagewriter.h"

#include "support/filebytes.h"
#include "support/htmltext.h"
#include "support/paths.h"

#include <algorithm>

namespace lumarc {
namespace {

const QLatin1String kEol("\r\n");

qint64 imagesPerPage(const GallerySettings &settings) { return qint64(settings.rows) * qint64(settings.columns); }

void addLine(QString &out, const QString &line)
{
    out += line;
    out += kEol;
}

// The thumbnail rows of a page, from image `first` on. A row that ends with the last image
// is closed at once and not again; a row that starts when nothing is left is closed empty.
void addThumbnailRows(QString &out, const Project &project, int first)
{
    const GallerySettings &s = project.settings;
    const int count = project.images.count();
    int i = first;
    for (qint32 r = 1; r <= s.rows; ++r) {
        addLine(out, QStringLiteral("<tr>"));
        bool rowEnded = false;
        for (qint32 c = 1; c <= s.columns; ++c) {
            if (i >= count) {
                addLine(out, QStringLiteral("</tr>"));
                rowEnded = true;
                break;
            }
            out += thumbnailCell(s, project.images.at(i));
            ++i;
            if (i >= count) {
                addLine(out, QStringLiteral("</tr>"));
                rowEnded = true;
                break;
            }
        }
        if (!rowEnded)
            addLine(out, QStringLiteral("</tr>"));
        if (i >= count)
            break;
    }
}

// A JSON string in printable ASCII: the rest, and "<", as \\u escapes of UTF-16 units.
QByteArray jsonString(const QString &text)
{
    QByteArray out("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            out += '\\';
            out += char(u);
        } else if (u < 0x20 || u > 0x7e || u == '<') {
            out += QByteArray("\\u") + QByteArray::number(u, 16).rightJustified(4, '0');
        } else {
            out += char(u);
        }
    }
    return out + '"';
}

}  // namespace

Status checkLayout(const GallerySettings &settings)
{
    if (settings.rows > 0 && settings.columns > 0)
        return std::nullopt;
    return Error{ErrorCode::Invalid, QString(),
                 QStringLiteral("rows \u00D7 columns is %1 \u00D7 %2: no page can be formed")
                     .arg(settings.rows)
                     .arg(settings.columns)};
}

int pageCount(const GallerySettings &settings, int imageCount)
{
    if (checkLayout(settings) || imageCount <= 0)
        return 0;
    const qint64 perPage = imagesPerPage(settings);
    return int((qint64(imageCount) + perPage - 1) / perPage);
}

QString pageFileName(int page, int pageCount)
{
    if (pageCount == 1)
        return QStringLiteral("index.html");
    if (page <= 1)
        return QStringLiteral("zeb.html");
    return QStringLiteral("zeb%1.html").arg(page - 1);
}

QString firstPageName(const GallerySettings &settings, int imageCount)
{
    return pageFileName(1, pageCount(settings, imageCount));
}

QString imageLinkAddress(const GallerySettings &settings, const ImageItem &image)
{
    if (settings.addImageLinks != 1)
        return {};
    const QString &url = image.url;
    // A folder address followed by "/%" stands for the source's namesake in that folder.
    const qsizetype templateAt = url.indexOf(QLatin1String("/%"));
    if (templateAt >= 0)
        return url.left(templateAt + 1) + htmltext::addressPart(paths::fileName(image.path), QLatin1Char('\''));
    return url;
}

QList<Error> unpublishedLinks(const Project &project)
{
    const GallerySettings &s = project.settings;
    QList<Error> warnings;
    for (int i = 0; i < project.images.count(); ++i) {
        const ImageItem &image = project.images.at(i);
        if (htmltext::isScriptAddress(imageLinkAddress(s, image)))
            warnings.append(Error{ErrorCode::Invalid, image.path,
                                  QStringLiteral("image %1: its link is a script address and was left out of the "
                                                 "pages")
                                      .arg(i + 1)});
    }
    if (s.addParentLink == 1 && htmltext::isScriptAddress(s.parentPageUrl))
        warnings.append(Error{ErrorCode::Invalid, QStringLiteral("parent_page_url"),
                              QStringLiteral("is a script address; the parent-page link was left out of the pages")});
    return warnings;
}

QString captionLink(const GallerySettings &settings, const ImageItem &image)
{
    const QString url = imageLinkAddress(settings, image);
    if (url.isEmpty() || htmltext::isScriptAddress(url))
        return QString();
    QString linkText = settings.addImageLinks == 1 ? image.linkText : QString();
    if (linkText.isEmpty())
        linkText = QStringLiteral("&gt;&gt;");
    const QString target = image.openSameWindow ? QStringLiteral("_self") : QStringLiteral("_blank");
    return QLatin1String(" <a class='linkDevalVr' href='") + htmltext::addressValue(url) + QLatin1String("' target='")
           + target + QLatin1String("'>") + linkText + QLatin1String("</a>");
}

QString thumbnailCell(const GallerySettings &settings, const ImageItem &image)
{
    const QString &title = image.title;
    const QString photo =
        QLatin1String("photos/") + htmltext::addressPart(image.outputName, QLatin1Char('\'')) + QLatin1String(".jpg");
    const QString thumb =
        QLatin1String("thumbs/") + htmltext::addressPart(image.outputName, QLatin1Char('"')) + QLatin1String(".jpg");
    // The alignment goes into an unquoted attribute: only its keywords may.
    const bool alignFits =
        valueProblem(*findSettingsField(QStringLiteral("title_align")), settings.titleAlign).isEmpty();
    const QString align = alignFits ? settings.titleAlign : QStringLiteral("center");

    const QString link = captionLink(settings, image);

    QString out;
    addLine(out, QLatin1String("<!--- Image:") + title + QLatin1String(" --->"));
    addLine(out, QStringLiteral("<td class='tdImg'>"));
    addLine(out, QLatin1String("<a href='") + photo + QLatin1String("' rel='lightbox[id0]' title=\"")
                     + htmltext::doubleQuotedValue(title + link) + QLatin1String("\">"));
    addLine(out, QLatin1String("<img class='eImage' alt=\"") + htmltext::doubleQuotedValue(title)
                     + QLatin1String("\" title=\"") + htmltext::doubleQuotedValue(image.tooltip)
                     + QLatin1String("\" src=\"") + thumb + QLatin1String("\"></a>"));
    addLine(out, QLatin1String("<p align=") + align + QLatin1String("><font class='tdTitle'>") + title + link
                     + QLatin1String("</font></p>"));
    addLine(out, QStringLiteral("</td>"));
    return out;
}

QString pagingCell(int page, int pageCount)
{
    QString out;
    addLine(out, QStringLiteral("<td id='pagingCell'>"));
    addLine(out, QStringLiteral("<span class=\"titlePages\">Pages:</span>"));
    if (page > 1)
        addLine(out, QLatin1String("<a id='linkPrev' href='") + pageFileName(page - 1, pageCount)
                         + QLatin1String("'>&laquo;&nbsp;Prev</a>"));
    for (int k = 1; k <= pageCount; ++k) {
        if (k == page)
            addLine(out, QStringLiteral("<span class=\"currentPage\">%1</span>").arg(k));
        else
            addLine(out,
                    QStringLiteral("<a href=\"%1\" class=\"otherPage\">%2</a>").arg(pageFileName(k, pageCount)).arg(k));
    }
    if (page < pageCount)
        addLine(out, QLatin1String("<a id='linkNext' href='") + pageFileName(page + 1, pageCount)
                         + QLatin1String("'>Next&nbsp;&raquo;</a>"));
    addLine(out, QStringLiteral("</td>"));
    addLine(out, QStringLiteral("</tr>"));
    return out;
}

QByteArray renderPage(const Project &input, int page, int pageCount)
{
    // Sizes and colours go into attributes unescaped: a value not of its kind gets its default.
    Project project = input;
    resetUnfitFields(project.settings);
    const GallerySettings &s = project.settings;
    const QString columns = QString::number(s.columns);
    QString out;
    addLine(out, QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"));
    addLine(out, QStringLiteral("<html>"));
    addLine(out, QStringLiteral("<head>"));
    addLine(out, QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">"));
    addLine(out, QStringLiteral("<title>Image Gallery</title>"));
    addLine(out, QLatin1String(kGeneratorLine));
    addLine(out, QString());
    addLine(out, QStringLiteral("<!--Include this rows in your header: START-->"));
    addLine(out, QStringLiteral("<script type=\"text/javascript\" src=\"prototype.js\"></script>"));
    addLine(out,
            QStringLiteral("<script type=\"text/javascript\" src=\"scriptaculous.js?load=effects,builder\"></script>"));
    addLine(out, QStringLiteral("<script type=\"text/javascript\" src=\"lightbox.js\"></script>"));
    addLine(out, QStringLiteral("<link rel=\"stylesheet\" href=\"lightbox.css\" type=\"text/css\" media=\"screen\">"));
    addLine(out, QStringLiteral("<link rel=\"stylesheet\" href=\"library/zebstyle.css\" type=\"text/css\">"));
    addLine(out, QStringLiteral("<!--Include this rows in your header: END-->"));
    addLine(out, QStringLiteral("</head>"));
    addLine(out, QString());
    addLine(out, QStringLiteral("<body>"));
    addLine(out, QStringLiteral("<!--Lightbox START-->"));
    addLine(out, QStringLiteral("<div id='divZEB'>"));
    addLine(out, QLatin1String("<table id=\"tblThumbsLayout\" cellpadding=\"") + s.cellPadding
                     + QLatin1String("\" cellspacing=\"") + s.cellSpacing + QLatin1String("\">"));
    addLine(out, QStringLiteral("<tr>"));
    addLine(out, QLatin1String("<td id='topCell' colspan='") + columns + QLatin1String("'>"));
    if (s.addParentLink == 1 && !s.parentPageTitle.isEmpty() && !s.parentPageUrl.isEmpty()
        && !htmltext::isScriptAddress(s.parentPageUrl)) {
        // The blank at the start of the href value is part of the page format.
        addLine(out, QLatin1String("<div id='divParent'><font style=\"font-size:12px\" color=\"") + s.galleryTitleColor
                         + QLatin1String("\"><a id='linkParent' href=' ") + htmltext::addressValue(s.parentPageUrl)
                         + QLatin1String("'>") + s.parentPageTitle
                         + QLatin1String("</a> &gt; <span id='currentGalleryLocation'>") + s.galleryTitle
                         + QLatin1String("</font></span></div>"));
    }
    addLine(out, QStringLiteral("<table id='tblGalleryName' cellpadding=0 cellspacing=0 border=0 width= 100%>"));
    addLine(out, QStringLiteral("<tr>"));
    addLine(out, QLatin1String("<td id='galleryNameCell'>") + s.galleryTitle + QLatin1String("</td>"));
    if (pageCount > 1)
        out += pagingCell(page, pageCount);
    addLine(out, QStringLiteral("</table>"));
    addLine(out, QStringLiteral("</td>"));
    addLine(out, QStringLiteral("</tr>"));
    addLine(out, QStringLiteral("<tr>"));
    if (!checkLayout(s)) {
        const qint64 first = std::clamp<qint64>(qint64(page - 1) * imagesPerPage(s), 0, project.images.count());
        addThumbnailRows(out, project, int(first));
    }
    addLine(out, QLatin1String("<td id='pnCell' colspan='") + columns + QLatin1String("'>"));
    addLine(out, QLatin1String("<a class='pn' href='") + QLatin1String(kHomePageAddress)
                     + QLatin1String("'>Created using Lumarc</a>"));
    addLine(out, QStringLiteral("</td>"));
    addLine(out, QStringLiteral("</tr>"));
    addLine(out, QStringLiteral("</table>"));
    addLine(out, QStringLiteral("</div>"));
    addLine(out, QStringLiteral("<!-- Lightbox END -->"));
    addLine(out, QStringLiteral("</body>"));
    addLine(out, QStringLiteral("</html>"));
    return htmltext::pageBytes(out);
}

QByteArray renderPhotoList(const Project &project)
{
    // The captions as the pages write them, with the same settings.
    GallerySettings settings = project.settings;
    resetUnfitFields(settings);
    const int count = project.images.count();
    const int pages = pageCount(settings, count);
    const qint64 perPage = imagesPerPage(settings);
    QByteArray out("lumarcGallery({\"photos\":[\n");
    for (int i = 0; i < count; ++i) {
        const ImageItem &image = project.images.at(i);
        const int page = pages > 0 ? int(i / perPage) + 1 : 1;
        out += "{\"name\":" + jsonString(image.outputName);
        out += ",\"caption\":" + jsonString(image.title + captionLink(settings, image));
        out += ",\"page\":" + jsonString(pageFileName(page, pages)) + (i + 1 < count ? "},\n" : "}\n");
    }
    out += "]});\n";
    return out;
}

QList<Error> writePages(const Project &project, const GalleryFolder &folder, Progress &progress)
{
    if (Status refused = checkLayout(project.settings))
        return {*refused};
    const int count = project.images.count();
    const int pages = pageCount(project.settings, count);
    const qint64 perPage = imagesPerPage(project.settings);

    QList<Error> failures;
    for (int page = 1; page <= pages; ++page) {
        const qint64 first = qint64(page - 1) * perPage;
        const qint64 end = std::min<qint64>(first + perPage, count);
        for (qint64 i = first; i < end; ++i)
            progress.step(int(i + 1), count, project.images.at(int(i)).path);

        if (Status written = folder.write(pageFileName(page, pages), renderPage(project, page, pages)))
            failures.append(*written);
    }
    if (Status written = folder.write(libraryName(QLatin1String(kPhotoListName)), renderPhotoList(project)))
        failures.append(*written);
    return failures;
}

}  // namespace lumarc
