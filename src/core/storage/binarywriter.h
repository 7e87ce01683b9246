#pragma once

// Little-endian writer that builds a project or settings file in memory, so that a value
// the format cannot hold refuses the save before any file is touched.

#include <QByteArray>
#include <QString>

namespace lumarc {

class BinaryWriter {
public:
    // A stored text holds at most this many bytes: its count is 16 bits.
    static constexpr qsizetype kMaxTextBytes = 0xFFFF;

    void writeInt16(qint16 value);
    void writeInt32(qint32 value);
    void writeBytes(const QByteArray &bytes) { m_data.append(bytes); }
    // A 16-bit byte count and the text in Windows-1252, characters it lacks written as
    // &#NNN; references. False, with nothing written, when that is over kMaxTextBytes.
    [[nodiscard]] bool writeText(const QString &text);

    const QByteArray &data() const { return m_data; }

private:
    QByteArray m_data;
};

}  // namespace lumarc
