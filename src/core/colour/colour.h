#pragma once

// Conversions between the two forms a colour takes: the colour number that controls work
// with (red in bits 0-7, green 8-15, blue 16-23) and the web notation "#RRGGBB" kept in
// settings records, settings files and style sheets. Used by the settings and colour dialogs
// and by everything that reads or writes the record's colour fields.

#include <QString>

#include <optional>

namespace lumarc::colour {

// "#" and six upper-case hexadecimal digits, red first: 255 gives "#FF0000".
// Bits above 23 are ignored, so a number outside 0..16777215 still gives a valid colour.
QString colorToHex(qint32 colour);

// Every "#" is removed first; six digits are RRGGBB, three digits the short form RGB (each
// digit doubled). Digits in either case. Any other length, or a character that is not a
// hexadecimal digit, gives black (0): a damaged colour field must not stop a build.
qint32 hexToColor(const QString &text);

// The same reading, but nullopt for a text that is no such notation (a CSS colour name,
// for example), so that callers can leave such a text alone.
std::optional<qint32> parseHexColor(const QString &text);

}  // namespace lumarc::colour
