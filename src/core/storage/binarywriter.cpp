#include "storage/binarywriter.h"

#include "support/cp1252.h"

#include <QtEndian>

namespace lumarc {

void BinaryWriter::writeInt16(qint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    m_data.append(bytes, 2);
}

void BinaryWriter::writeInt32(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_data.append(bytes, 4);
}

bool BinaryWriter::writeText(const QString &text)
{
    const QByteArray bytes = cp1252::encode(text, cp1252::Escape::Html);
    if (bytes.size() > kMaxTextBytes)
        return false;
    char count[2];
    qToLittleEndian(quint16(bytes.size()), count);
    m_data.append(count, 2);
    m_data.append(bytes);
    return true;
}

}  // namespace lumarc
