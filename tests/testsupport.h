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

// The settings record of a project or settings file, written by hand from the documented
// layout with the default values; the fields the tests vary are given.
struct RecordSpec {
    int columns = 4;
    QByteArray linkText = "3D", galleryTitle = "My Image Gallery", destination = {};
    QByteArray linkBase = {}, pageBackground = {}, cellBackground = {};
    int addParentLink = 0;
};
inline Bytes &settingsRecord(Bytes &b, const RecordSpec &r)
{
    b.i32(r.columns).i32(100).str(r.linkText);  // columns, rows, link_text
    for (const QByteArray &text : QList<QByteArray>{"Arial, Helvetica, sans-serif", "#7F7F7F", "160", "120", "1",
            "#aaaaaa #666666 #666666 #aaaaaa", "#7F7F7F", "160", "120", "", "", "#FFFFFF", "1", "Verdana", "10", "normal",
            "center", "#FFFFFF", "750", "500", "25", "90", r.galleryTitle, "Verdana", "26", "#000080", "5", "10",
            r.destination, "", ""})
        b.str(text);
    b.i16(1).str(r.linkBase).str(r.pageBackground).str(r.cellBackground);  // keep_aspect_ratio, ...
    b.raw(QByteArray(2 * 17, '\0'));                                         // 17 empty texts
    return b.i16(r.addParentLink).i16(0).raw(QByteArray(16, '\0'));          // add_image_links, reserved
}

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
