#pragma once

// The gallery's own style sheet, library/zebstyle.css, made from the settings record,
// with copies of the optional page and cell background images next to it. The build
// driver calls writeStyleSheet() after the pages; the library folder exists by then.

#include "model/gallerysettings.h"
#include "support/error.h"

#include <QByteArray>
#include <QString>

namespace lumarc {

// Name of the style sheet inside the library folder; every page links it.
inline constexpr char kStyleSheetName[] = "zebstyle.css";
inline constexpr char kLibraryFolderName[] = "library";

// The 18 lines of the style sheet, each ended by CR LF, in Windows-1252; characters it
// cannot represent become CSS escapes. An empty image name selects the line without a
// background image.
QByteArray renderStyleSheet(const GallerySettings &settings, const QString &pageImageName,
                            const QString &cellImageName);

// Copies each background image that exists into destinationFolder/library (replacing a
// copy there) and writes destinationFolder/library/zebstyle.css. A failed copy does not
// stop the rest; the first failure is returned, naming its file.
Status writeStyleSheet(const GallerySettings &settings, const QString &destinationFolder);

} // namespace lumarc
