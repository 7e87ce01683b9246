#include "colour/colour.h"

namespace lumarc::colour {
namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

}  // namespace

QString colorToHex(qint32 colour)
{
    const quint32 c = quint32(colour);
    const quint32 red = c & 0xFF;
    const quint32 green = (c >> 8) & 0xFF;
    const quint32 blue = (c >> 16) & 0xFF;
    const quint32 web = (red << 16) | (green << 8) | blue;
    return QLatin1Char('#') + QString::number(web, 16).rightJustified(6, QLatin1Char('0')).toUpper();
}

qint32 hexToColor(const QString &text) { return parseHexColor(text).value_or(0); }

std::optional<qint32> parseHexColor(const QString &text)
{
    QString digits = text;
    digits.remove(QLatin1Char('#'));

    int component[3] = {0, 0, 0};
    if (digits.size() == 6) {
        for (int i = 0; i < 3; ++i) {
            const int high = hexDigit(digits.at(2 * i));
            const int low = hexDigit(digits.at(2 * i + 1));
            if (high < 0 || low < 0)
                return std::nullopt;
            component[i] = high * 16 + low;
        }
    } else if (digits.size() == 3) {
        for (int i = 0; i < 3; ++i) {
            const int digit = hexDigit(digits.at(i));
            if (digit < 0)
                return std::nullopt;
            component[i] = digit * 17;
        }
    } else {
        return std::nullopt;
    }
    return component[0] + 256 * component[1] + 65536 * component[2];
}

}  // namespace lumarc::colour
