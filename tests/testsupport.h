#pragma once

// Helpers shared by the test suites, with the Qt file classes they use: whole-file reads and
// writes, and file bytes built by hand from the documented layouts, independently of the
// storage code.

#include "generator/outputfolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

namespace lumarc::test {

inline const QByteArray kZeb104("ZEB104\0\0\0\0", 10);
inline const QByteArray kZeb100("ZEB100\0\0\0\0", 10);

// Little-endian integers; texts as a 16-bit byte count followed by the bytes.
struct Bytes {
    QByteArray d;
    Bytes &i16(int v) { d.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); return *this; }
    Bytes &i32(qint32 v) { i16(v & 0xFFFF); return i16((v >> 16) & 0xFFFF); }
    Bytes &str(const QByteArray &text) { i16(int(text.size())); d.append(text); return *this; }
    Bytes &raw(const QByteArray &bytes) { d.append(bytes); return *this; }
};

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Creates missing parent folders.
inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A gallery folder opened for writers that take one; it is created when missing.
inline std::unique_ptr<GalleryFolder> galleryFolder(const QString &path)
{
    Result<std::unique_ptr<GalleryFolder>> opened = GalleryFolder::open(path);
    return opened ? std::move(opened).value() : nullptr;
}

} // namespace lumarc::test

// Lets GoogleTest print QStrings as text in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
