#pragma once

// The gallery's own style sheet, library/zebstyle.css, made from the settings record,
// with copies of the optional page and cell background images next to it. The build
// driver calls writeStyleSheet() after the pages; the library folder exists by then.

#include "generator/outputfolder.h"
#include "model/gallerysettings.h"
#include "support/error.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lumarc {

// Name of the style sheet inside the library folder; every page links it.
inline constexpr char kStyleSheetName[] = "zebstyle.css";

// The 18 lines of the style sheet, each ended by CR LF, in Windows-1252; characters it
// cannot represent become CSS escapes. An empty image name selects the line without a
// background image; image names are escaped as CSS strings, and a size, keyword, colour or
// font field whose value is not of its kind is written with its default.
QByteArray renderStyleSheet(const GallerySettings &settings, const QString &pageImageName,
                            const QString &cellImageName);

// A background image of the settings and the name of its copy in the library folder.
struct BackgroundCopy {
    QString source;
    QString name;
};

// The page and the cell background, in that order, for those that are set. Each copy takes
// its source's file name; two different sources with one file name get distinct names.
QList<BackgroundCopy> backgroundCopies(const GallerySettings &settings);

// Copies each background that the image engine reads as an image into the folder's library
// (replacing a copy there; the copy gets a new file's mode) and writes library/zebstyle.css. A background that is missing or not an
// image gets the line without an image and a failure naming it; a failed copy does not stop
// the rest. Every failure names its file.
QList<Error> writeStyleSheet(const GallerySettings &settings, const GalleryFolder &folder);

}  // namespace lumarc
