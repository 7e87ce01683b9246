#pragma once

// The sentences the user reads, built in one place from the string tables, so that the
// window and the command line say the same thing in the same words. The core's own errors
// carry codes and raw data; these turn them into text.

#include "support/error.h"

#include <QString>

namespace lumarc::messages {

// "Image path:'<file name without extension>' already exist!", CR LF, "Image ignored!"
QString duplicateImage(const QString &path);

// Put before the image library's text when an image could not be made, a preview in the
// window as much as a file of a build, so that both failures read alike.
inline const QString kNewImageFailed = QStringLiteral("proc:NewImage/err2: ");

// kNewImageFailed and the image library's text: a preview could not be made.
QString previewFailed(const QString &libraryText);

// "Added <n> new images." or, for none, "No images added to the project!"
QString imagesAdded(int count);

// What the core puts at the start of its detail when a file holds no image it can read.
inline constexpr QStringView kUnsupportedKind = u"not an image of a supported kind";

// The user's text for an error, in the current language: the file (when there is one) and
// a blank line, then what went wrong, then the reason. A damaged project or settings file
// leads with "Invalid ZEB file!" or "Invalid file!", every bad file with the same sentence;
// a failed system call gives "Error number:" and its number, CR LF, "Error description:"
// and the system's words; the image library and the network give their own words. The
// core's other details are English notes, so they follow in English only.
QString userText(const Error &error);
// The same on one line, the path followed by ": ", for a list of several errors.
QString userLine(const Error &error);

// The same text on one line, for a terminal: CR LF becomes one blank.
QString oneLine(QString text);

}  // namespace lumarc::messages
