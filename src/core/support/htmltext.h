#pragma once

// The few rules that keep user texts from breaking the generated pages. Titles, tooltips
// and link texts go into the pages as their authors wrote them (a title may hold its own
// HTML), so nothing is escaped wholesale: only a double quote that would end a
// double-quoted attribute, the characters of a file name that would cut or change an
// address, the markup characters of a typed address, a file name inside a style sheet's
// url(), and characters Windows-1252 cannot hold are rewritten. Every page text passes
// through here, so these rules live in one place.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace lumarc::htmltext {

// Plain text as HTML: &, < and > become &amp;, &lt; and &gt;. For texts the program makes
// itself (a title from a file name), never for what an author wrote.
QString plainText(const QString &text);

// The text as the value of a double-quoted attribute: each " becomes &quot;.
QString doubleQuotedValue(const QString &text);

// A file name as part of a relative address inside an attribute delimited by `quote`:
// "%", "#", "?", "&" and the delimiting quote are percent-encoded; everything else (blanks,
// non-ASCII letters, the other quote) stays, as browsers accept it in that position. An
// "&" left as it is would start a character reference: "rock&copy.jpg" would load "rock©.jpg".
QString addressPart(const QString &name, QChar quote);

// A typed address as an attribute value in either quote: &, <, >, " and ' become &amp;,
// &lt;, &gt;, &quot; and &#39;, so that the browser reads back exactly the typed text.
QString addressValue(const QString &address);

// True for an address a browser would run as script or take as inline content:
// "javascript:", "vbscript:" or "data:" in any letter case, after the blanks and control
// characters a browser skips at the start and the tabs and line breaks it drops anywhere.
bool isScriptAddress(const QString &address);

// A file name as the content of a single-quoted CSS string, url('...'): quotes and the
// backslash get a backslash, control characters become hexadecimal escapes ("\a " for a
// line feed), so the name cannot end the string or the rule.
QString cssString(const QString &name);

// The bytes of a page: Windows-1252, with &#<decimal>; for what it cannot represent.
QByteArray pageBytes(const QString &text);

}  // namespace lumarc::htmltext
