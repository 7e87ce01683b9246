#pragma once

// Little-endian reader over the bytes of a project or settings file. Files come from
// anywhere, so every read checks the bytes that remain: a read past the end returns a
// zero value, reads nothing and leaves failed() set for the caller to check once.

#include <QByteArray>
#include <QString>

namespace lumarc {

class BinaryReader {
public:
    explicit BinaryReader(const QByteArray &data) : m_data(data) {}

    qint16 readInt16();
    qint32 readInt32();
    // n raw bytes, or an empty array (and failed()) when fewer remain.
    QByteArray readBytes(qsizetype n);
    // A 16-bit byte count and that many Windows-1252 bytes; references to characters
    // that Windows-1252 lacks (&#322;) come back as those characters.
    QString readText();

    qsizetype position() const { return m_pos; }
    qsizetype remaining() const { return m_failed ? 0 : m_data.size() - m_pos; }
    bool failed() const { return m_failed; }
    // For checks the format itself cannot express, such as a negative count.
    void fail() { m_failed = true; }

private:
    // Pointer to the next n bytes and the position moved past them; nullptr when they
    // are not all there.
    const char *take(qsizetype n);

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

}  // namespace lumarc
