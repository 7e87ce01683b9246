#include "storage/binaryreader.h"

#include "support/cp1252.h"

#include <QtEndian>

namespace lumarc {

const char *BinaryReader::take(qsizetype n)
{
    if (m_failed || n < 0 || n > m_data.size() - m_pos) {
        m_failed = true;
        return nullptr;
    }
    const char *p = m_data.constData() + m_pos;
    m_pos += n;
    return p;
}

qint16 BinaryReader::readInt16()
{
    const char *p = take(2);
    return p ? qFromLittleEndian<qint16>(p) : 0;
}

qint32 BinaryReader::readInt32()
{
    const char *p = take(4);
    return p ? qFromLittleEndian<qint32>(p) : 0;
}

QByteArray BinaryReader::readBytes(qsizetype n)
{
    const char *p = take(n);
    return p ? QByteArray(p, n) : QByteArray();
}

QString BinaryReader::readText()
{
    const char *p = take(2);
    if (!p)
        return {};
    const qsizetype length = qFromLittleEndian<quint16>(p);
    const char *text = take(length);
    if (!text)
        return {};
    return cp1252::decodeReferences(cp1252::decode(QByteArray::fromRawData(text, length)));
}

}  // namespace lumarc
