#pragma once

// The gallery pages: index.html, or zeb.html, zeb1.html, ... when the thumbnails fill more
// than one page of rows × columns. Each page has the title block, a paging row when there
// are several pages, the thumbnail table whose cells open the large images in the viewer,
// and the footer link. The build driver calls writePages() after producing the images.

#include "generator/outputfolder.h"
#include "generator/progress.h"
#include "model/gallerysettings.h"
#include "model/imageitem.h"
#include "model/project.h"
#include "support/error.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lumarc {

// Where the footer of every page points.
inline constexpr char kHomePageAddress[] = "https://lumarc.example.org/";
// The line in every page's head that names the program; it tells an earlier gallery's
// folder from one that only happens to hold an index.html.
inline constexpr char kGeneratorLine[] = "<meta name=\"generator\" content=\"Brannoc: Lumarc\">";

// An Invalid error when rows or columns is not positive: no page can be formed then.
Status checkLayout(const GallerySettings &settings);

// Pages needed for imageCount thumbnails: imageCount / (rows × columns), rounded up.
// 0 for no images or a layout that checkLayout() refuses.
int pageCount(const GallerySettings &settings, int imageCount);

// File of 1-based page `page`: "index.html" for a single page, else "zeb.html" for
// page 1 and "zeb<page - 1>.html" after it.
QString pageFileName(int page, int pageCount);

// The page a browser should open after a build.
QString firstPageName(const GallerySettings &settings, int imageCount);

// The address an image's link goes to, a link template ("folder/%") filled in with the
// source's file name; empty when the project writes no image links or the image has none.
QString imageLinkAddress(const GallerySettings &settings, const ImageItem &image);

// Warnings for the links the pages leave out because they would run script (an image's
// link, the parent-page link), each naming the image or the settings field.
QList<Error> unpublishedLinks(const Project &project);

// The link a caption ends with: a blank and the image's link, or empty when it has none or
// its address would run script.
QString captionLink(const GallerySettings &settings, const ImageItem &image);

// The lines of one thumbnail cell and of the paging cell, each ended by CR LF. Typed
// addresses are escaped for the attribute, and a script address is left out with its link.
QString thumbnailCell(const GallerySettings &settings, const ImageItem &image);
QString pagingCell(int page, int pageCount);

// 1-based page `page` of `pageCount` in Windows-1252, lines ended by CR LF. Page p shows
// the images from (p - 1) × rows × columns on. The layout must pass checkLayout().
QByteArray renderPage(const Project &project, int page, int pageCount);

// The viewer's list of every photo of the gallery, in order, in the library folder: a call
// lumarcGallery({"photos":[{"name":…,"caption":…,"page":…}, …]}) with each photo's output
// name, the caption HTML of its cell and the page that shows it. Printable ASCII only, "<"
// included as \u003c, so it reads the same in any encoding and no caption ends a script.
inline constexpr char kPhotoListName[] = "gallery.js";
QByteArray renderPhotoList(const Project &project);

// Writes every page and the photo list into destinationFolder, replacing older files, and
// reports each image ("Image:" and its path) as it goes. A page that cannot be written does
// not stop the others; each failure names its file.
QList<Error> writePages(const Project &project, const GalleryFolder &folder, Progress &progress);

}  // namespace lumarc
