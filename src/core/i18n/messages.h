#pragma once

// The sentences the user reads, built in one place from the string tables, so that the
// window and the command line say the same thing in the same words. The core's own errors
// carry codes and raw data; these turn them into text.

#include <QString>

namespace lumarc::messages {

// "Image path:'<file name without extension>' already exist!", CR LF, "Image ignored!"
QString duplicateImage(const QString &path);

// "proc:NewImage/err2: " and the image library's text: a preview could not be made.
QString previewFailed(const QString &libraryText);

// "Added <n> new images." or, for none, "No images added to the project!"
QString imagesAdded(int count);

// The same text on one line, for a terminal: CR LF becomes one blank.
QString oneLine(QString text);

} // namespace lumarc::messages
