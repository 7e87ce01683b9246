#pragma once

// The command-line suites' fixture: runs the built lumarc executable in a temporary folder
// with its own data folder and home, writes test images and hand-made project files, and
// takes listings of folders to prove that a command changed nothing it should not.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <vips/vips8>

#include <gtest/gtest.h>

#include "testsupport.h"

namespace lumarc::test {

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

// One image record of a hand-made project file.
struct ItemSpec {
    QByteArray path;
    QByteArray outputName;
    bool loaded = true;
    QByteArray title = "Title";
};

// The settings a hand-made project varies; the rest are the documented defaults.
struct ProjectSpec {
    QByteArray destination;
    QByteArray pageBackground;
    QByteArray cellBackground;
    QList<ItemSpec> items;
};

// A ZEB104 project file built from the documented layout: signature, the settings record
// field by field, the image count and the image records.
inline QByteArray projectBytes(const ProjectSpec &spec)
{
    Bytes b;
    b.raw(kZeb104);
    b.i32(4).i32(100);  // columns, rows
    const QList<QByteArray> texts = {
        "3D", "Arial, Helvetica, sans-serif", "#7F7F7F", "160", "120", "1", "#aaaaaa #666666 #666666 #aaaaaa",
        "#7F7F7F", "160", "120", "", "", "#FFFFFF", "1", "Verdana", "10", "normal", "center", "#FFFFFF", "750",
        "500", "25", "90", "My Image Gallery", "Verdana", "26", "#000080", "5", "10", spec.destination, "", "",
    };
    for (const QByteArray &t : texts)
        b.str(t);
    b.i16(1);  // keep_aspect_ratio
    b.str("").str(spec.pageBackground).str(spec.cellBackground);  // link_base and the two backgrounds
    for (int i = 0; i < 17; ++i)
        b.str("");
    b.i16(0).i16(0);  // add_parent_link, add_image_links
    b.raw(QByteArray(16, '\0'));
    b.i32(int(spec.items.size()));
    for (const ItemSpec &item : spec.items) {
        b.str(item.path).str(item.title).str(item.title).str("").i16(0).i16(item.loaded ? -1 : 0).str("3D")
            .str(item.outputName);
        for (int i = 0; i < 5; ++i)
            b.str("");
    }
    return b.d;
}

// Every entry under a folder, links not followed, with its kind, size and modification
// time (or a link's target): two equal listings mean nothing there was added, removed or
// rewritten.
inline QMap<QString, QString> listing(const QString &root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = QDir(root).relativeFilePath(info.filePath());
        if (info.isSymLink())
            entries[name] = QStringLiteral("link ") + info.symLinkTarget();
        else if (info.isDir())
            entries[name] = QStringLiteral("dir");
        else
            entries[name] = QStringLiteral("file %1 %2").arg(info.size()).arg(
                info.lastModified().toMSecsSinceEpoch());
    }
    return entries;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        QDir().mkpath(dataFolder());
    }

    QString path(const QString &name) const { return m_tmp.filePath(name); }
    QString dataFolder() const { return m_tmp.filePath("data"); }

    Outcome lumarc(const QStringList &args, const QByteArray &stdinText = {}) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LUMARC_DATA_FOLDER", dataFolder());
        env.insert("HOME", m_tmp.path());
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_tmp.path());
        p.start(QString::fromUtf8(LUMARC_EXE), args);
        p.waitForStarted();
        p.write(stdinText);
        p.closeWriteChannel();
        p.waitForFinished(120000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    // A grey image; the format follows the extension. Missing folders are created.
    void writeImage(const QString &name, int width, int height) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        vips::VImage image = vips::VImage::black(width, height, vips::VImage::option()->set("bands", 3)) + 90;
        image.cast(VIPS_FORMAT_UCHAR).write_to_file(path(name).toUtf8().constData());
    }

    QTemporaryDir m_tmp;
};

} // namespace lumarc::test
