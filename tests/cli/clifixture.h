#pragma once

// Runs the built lumarc in a temporary folder with its own data folder and home; writes test
// images and hand-made projects; lists folders to prove a command changed nothing there.

#include <QDirIterator>
#include <QMap>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>

#include "syntheticimage.h"
#include "testsupport.h"

namespace lumarc::test {

struct Outcome {
    int code = -1;
    QString out, err;
};

// How a run differs from the plain one: input, environment (an empty value removes the
// variable) and what the child does before it starts lumarc.
struct Launch {
    QByteArray stdinText = {};
    QMap<QString, QString> env = {};
    std::function<void()> inChild = {};
};

// One image record of a hand-made project file.
struct ItemSpec {
    QByteArray path = {}, outputName = {};
    bool loaded = true;
    QByteArray title = "Title", tooltip = "Title", url = {};
    bool sameWindow = false;
    QByteArray linkText = "3D";
};

// The settings a hand-made project varies; the rest are the documented defaults.
struct ProjectSpec {
    QByteArray destination = {}, pageBackground = {}, cellBackground = {};
    QList<ItemSpec> items = {};
    int columns = 4;
    QByteArray galleryTitle = "My Image Gallery";
    QByteArray linkBase = {};
    bool addParentLink = false;
};

// A ZEB104 project file built from the documented layout: signature, the settings record
// field by field, the image count and the image records.
inline QByteArray projectBytes(const ProjectSpec &spec)
{
    Bytes b;
    b.raw(kZeb104);
    settingsRecord(b, {.columns = spec.columns, .galleryTitle = spec.galleryTitle, .destination = spec.destination,
                       .linkBase = spec.linkBase, .pageBackground = spec.pageBackground,
                       .cellBackground = spec.cellBackground, .addParentLink = spec.addParentLink});
    b.i32(int(spec.items.size()));
    for (const ItemSpec &item : spec.items) {
        b.str(item.path).str(item.title).str(item.tooltip).str(item.url).i16(item.sameWindow ? -1 : 0)
            .i16(item.loaded ? -1 : 0).str(item.linkText).str(item.outputName);
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
        entries[QDir(root).relativeFilePath(info.filePath())] =
            info.isSymLink() ? "link " + info.symLinkTarget()
            : info.isDir()   ? QStringLiteral("dir")
                             : QStringLiteral("file %1 %2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
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

    void start(QProcess &p, const QStringList &args, const Launch &run = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LUMARC_DATA_FOLDER", dataFolder());
        env.insert("HOME", m_tmp.path());
        for (auto it = run.env.begin(); it != run.env.end(); ++it)
            it.value().isEmpty() ? env.remove(it.key()) : env.insert(it.key(), it.value());
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_tmp.path());
        if (run.inChild)
            p.setChildProcessModifier(run.inChild);
        p.start(QString::fromUtf8(LUMARC_EXE), args);
        p.waitForStarted();
        p.write(run.stdinText);
        p.closeWriteChannel();
    }

    static Outcome finish(QProcess &p)
    {
        p.waitForFinished(120000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    Outcome lumarc(const QStringList &args, const Launch &run = {}) const
    {
        QProcess p;
        start(p, args, run);
        return finish(p);
    }

    // Runs a command that must fail with `code` and `message` and leave `folder` as it was.
    Outcome expectRefused(const QStringList &args, int code, const QString &message, const QString &folder) const
    {
        const auto before = listing(path(folder));
        const Outcome r = lumarc(args);
        EXPECT_EQ(r.code, code) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
        EXPECT_EQ(listing(path(folder)), before) << args.join(' ').toStdString();
        return r;
    }

    // A project file; a relative destination is taken from the temporary folder.
    QString writeProject(const QString &name, ProjectSpec spec) const
    {
        if (!spec.destination.isEmpty() && !spec.destination.startsWith('/'))
            spec.destination = abs(QString::fromUtf8(spec.destination));
        EXPECT_TRUE(writeAll(path(name), projectBytes(spec)));
        return path(name);
    }
    QByteArray abs(const QString &name) const { return path(name).toUtf8(); }

    // The format follows the extension; missing folders are created. Noise spreads a JPEG's
    // compressed data over the whole file.
    void writeImage(const QString &name, int width, int height, double noise = 0) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        EXPECT_FALSE(writeSyntheticImage(path(name), {.width = width, .height = height, .noise = noise}));
    }

    QTemporaryDir m_tmp;
};

} // namespace lumarc::test
