#pragma once

// One image of a project: its source file and what the pages show for it.

#include <QString>

#include <array>

namespace lumarc {

struct ImageItem {
    QString path;                     // full path of the source image; unique within the project
    QString title;                    // caption, alt text and viewer caption
    QString tooltip;                  // hover text of the thumbnail
    QString url;                      // optional link target; a value with "/%" is a folder template
    bool openSameWindow = false;      // link target "_self" rather than "_blank"
    bool loaded = false;              // live record: image production skips records without it
    QString linkText;                 // text of the image's link
    QString outputName;               // base name of photos/<name>.jpg and thumbs/<name>.jpg; safe and
                                      // unique regardless of letter case (model/outputnames.h)
    std::array<QString, 5> reserved;  // stored in project files, never used

    bool operator==(const ImageItem &) const = default;
};

// Title of a new record: the path's file name without its extension, as HTML text
// ("&", "<" and ">" escaped), since titles go into the pages as markup.
QString defaultTitle(const QString &path);

}  // namespace lumarc
