#pragma once

// The plain-text exchange format of the image list: one block of "key=value" lines per
// image, for editing titles, tooltips and links outside the program. Lines end in CR LF
// and are Windows-1252, characters it lacks written as &#NNN; references, and so are line
// breaks inside a value (&#13; and &#10;), which would otherwise start lines of their own.

#include "model/imagelist.h"
#include "model/project.h"
#include "support/error.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lumarc {

// Eight lines per entry ("{", path=, title=, tooltip=, url=, url_text=, open=, "}")
// and one empty line after each. In the rare list whose bytes would pass for UTF-8, one
// more line, outside any block, makes sure they are read back as Windows-1252.
QByteArray encodeTextList(const ImageList &images);

// Writes encodeTextList() through QSaveFile. Error: WriteFailed with the path.
Status exportTextList(const ImageList &images, const QString &path);

// The entries of the accepted blocks, in file order. Lines may end in CR LF, LF or a
// lone CR. Bytes that are valid UTF-8, or follow a UTF-8 byte-order mark, are read as
// UTF-8 (people edit these lists in editors that save it), the others as Windows-1252.
// Only the six texts and open_same_window are set; a block without a path, and one
// still open at the end, is dropped. Repeated paths are kept.
QList<ImageItem> parseTextList(const QByteArray &bytes);

// Lines longer than this are refused while the list is read: a list is a few short lines
// per image, and a file without line ends must not be held whole.
constexpr qsizetype kMaxListLineBytes = qsizetype(1) << 20;

// The entries of the list file as parseTextList() reads them, read one line at a time.
// Errors: NotFound or ReadFailed with the system's text, BadFormat naming the first line
// longer than kMaxListLineBytes.
Result<QList<ImageItem>> readTextList(const QString &path);

// Replaces the project's image list by the file's entries (loaded, with safe output names
// made unique in order from the paths' base names) unless the file holds none; returns
// how many were imported.
// The settings are not touched. Errors: those of readTextList(); the project is then
// unchanged.
Result<int> importTextList(Project &project, const QString &path);

}  // namespace lumarc
