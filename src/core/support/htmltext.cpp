#include "support/htmltext.h"

#include "support/cp1252.h"

namespace lumarc::htmltext {

QString plainText(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    out.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    out.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return out;
}

QString doubleQuotedValue(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return out;
}

QString addressPart(const QString &name, QChar quote)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('%'))
            out += QLatin1String("%25");
        else if (c == QLatin1Char('#'))
            out += QLatin1String("%23");
        else if (c == QLatin1Char('?'))
            out += QLatin1String("%3F");
        else if (c == QLatin1Char('&'))
            out += QLatin1String("%26");
        else if (c == quote && c == QLatin1Char('\''))
            out += QLatin1String("%27");
        else if (c == quote && c == QLatin1Char('"'))
            out += QLatin1String("%22");
        else
            out += c;
    }
    return out;
}

QString addressValue(const QString &address)
{
    QString out;
    out.reserve(address.size());
    for (const QChar c : address) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool isScriptAddress(const QString &address)
{
    // As a browser's address parser does: C0 controls and blanks at the start go, tabs and
    // line breaks go everywhere, and the scheme is compared without letter case.
    QString cleaned;
    cleaned.reserve(address.size());
    for (const QChar c : address) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            continue;
        if (cleaned.isEmpty() && c.unicode() <= 0x20)
            continue;
        cleaned += c;
    }
    for (const char *scheme : {"javascript:", "vbscript:", "data:"}) {
        if (cleaned.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString cssString(const QString &name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QLatin1Char('\\') + QString::number(c.unicode(), 16) + QLatin1Char(' ');
        else
            out += c;
    }
    return out;
}

QByteArray pageBytes(const QString &text) { return cp1252::encode(text, cp1252::Escape::Html); }

}  // namespace lumarc::htmltext
