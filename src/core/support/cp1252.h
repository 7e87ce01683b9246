#pragma once

// Windows-1252 is the single-byte code page of every stored text and generated file, so
// that projects and galleries interchange with those made on Windows. Characters that it
// cannot represent are written as escapes instead of being lost: an HTML numeric character
// reference (&#322;) in project files and pages, a CSS escape (\142 ) in style sheets.

#include <QByteArray>
#include <QString>

namespace lumarc::cp1252 {

enum class Escape {
    Html,  // &#<decimal>;
    Css,   // \<hex> followed by one blank
};

// True when the code point has a Windows-1252 byte.
bool canEncode(char32_t codePoint);

QByteArray encode(const QString &text, Escape escape = Escape::Html);

// Every byte decodes; the five bytes Windows-1252 leaves undefined map to U+0081 and so on.
QString decode(const QByteArray &bytes);

// Replaces each &#<decimal>; whose code point has no Windows-1252 byte by that character.
// References to representable characters stay as typed, so a reference the user wrote
// on purpose survives a save and load unchanged.
QString decodeReferences(const QString &text);

}  // namespace lumarc::cp1252
