#include "support/htmltext.h"

#include "support/cp1252.h"

namespace lumarc::htmltext {

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
        else if (c == quote && c == QLatin1Char('\''))
            out += QLatin1String("%27");
        else if (c == quote && c == QLatin1Char('"'))
            out += QLatin1String("%22");
        else
            out += c;
    }
    return out;
}

QByteArray pageBytes(const QString &text)
{
    return cp1252::encode(text, cp1252::Escape::Html);
}

} // namespace lumarc::htmltext
