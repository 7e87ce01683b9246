#pragma once

// The few rules that keep user texts from breaking the generated pages. Titles, tooltips
// and link texts go into the pages as their authors wrote them (a title may hold its own
// HTML), so nothing is escaped wholesale: only a double quote that would end a
// double-quoted attribute, the characters of a file name that would cut or change an
// address, and characters Windows-1252 cannot hold are rewritten. Every page text passes
// through here, so these rules live in one place.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace lumarc::htmltext {

// The text as the value of a double-quoted attribute: each " becomes &quot;.
QString doubleQuotedValue(const QString &text);

// A file name as part of a relative address inside an attribute delimited by `quote`:
// "%", "#", "?" and the delimiting quote are percent-encoded; everything else (blanks,
// non-ASCII letters, the other quote) stays, as browsers accept it in that position.
QString addressPart(const QString &name, QChar quote);

// The bytes of a page: Windows-1252, with &#<decimal>; for what it cannot represent.
QByteArray pageBytes(const QString &text);

} // namespace lumarc::htmltext
