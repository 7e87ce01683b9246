#include "generator/outputfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList kViewerFiles = {
    "prototype.js", "scriptaculous.js", "effects.js", "builder.js", "lightbox.js", "lightbox.css",
    "images/close.gif", "images/closelabel.gif", "images/nextlabel.gif", "images/prevlabel.gif",
    "images/loading.gif",
};

struct Asked {
    int count = 0;
    bool answer = true;
    ConfirmEmptying fn()
    {
        return [this](const QString &) {
            ++count;
            return answer;
        };
    }
};

} // namespace

TEST(OutputFolder, CreatesMissingFolderWithParentsAndViewerFilesWithoutAsking)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath("Documents/ZEB/Image Gallery");
    Asked asked;
    ASSERT_FALSE(prepareDestination(folder, true, asked.fn()));
    EXPECT_EQ(asked.count, 0);
    EXPECT_TRUE(QDir(folder + "/library").exists());
    for (const QString &name : kViewerFiles) {
        const QByteArray bytes = readFile(folder + "/" + name);
        EXPECT_GT(bytes.size(), 10) << name.toStdString();
        EXPECT_FALSE(bytes.endsWith('\0')) << name.toStdString();
    }
    EXPECT_TRUE(readFile(folder + "/images/loading.gif").startsWith("GIF8"));
    EXPECT_TRUE(readFile(folder + "/prototype.js").contains("Prototype"));
}

TEST(OutputFolder, FolderWithOnlySubfoldersIsNotQuestionedAndKeepsThem)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath("g");
    QDir().mkpath(folder + "/photos");
    writeFile(folder + "/photos/a.jpg", "x");
    Asked asked;
    ASSERT_FALSE(prepareDestination(folder, true, asked.fn()));
    EXPECT_EQ(asked.count, 0);
    EXPECT_EQ(readFile(folder + "/photos/a.jpg"), "x");
}

TEST(OutputFolder, NonEmptyFolderAsksAndDeletesOnlyTopLevelFilesAfterYes)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath("g");
    QDir().mkpath(folder + "/thumbs");
    QDir().mkpath(folder + "/images");
    writeFile(folder + "/old.html", "old");
    writeFile(folder + "/lightbox.js", "stale");
    writeFile(folder + "/thumbs/t.jpg", "t");
    writeFile(folder + "/images/close.gif", "custom");
    Asked asked;
    ASSERT_FALSE(prepareDestination(folder, true, asked.fn()));
    EXPECT_EQ(asked.count, 1);
    EXPECT_FALSE(QFile::exists(folder + "/old.html"));
    EXPECT_NE(readFile(folder + "/lightbox.js"), "stale");
    EXPECT_EQ(readFile(folder + "/thumbs/t.jpg"), "t");
    // A clean build empties the images folder too, so the viewer's own image comes back.
    EXPECT_TRUE(readFile(folder + "/images/close.gif").startsWith("GIF8"));
}

TEST(OutputFolder, DeclinedQuestionWritesNothing)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath("g");
    QDir().mkpath(folder);
    writeFile(folder + "/index.html", "keep");
    Asked asked;
    asked.answer = false;
    const Status result = prepareDestination(folder, true, asked.fn());
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, ErrorCode::Refused);
    EXPECT_EQ(readFile(folder + "/index.html"), "keep");
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"index.html"});
}

TEST(OutputFolder, HtmlOnlyNeverAsksKeepsImagesAndRewritesScripts)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath("g");
    QDir().mkpath(folder + "/images");
    writeFile(folder + "/index.html", "page");
    writeFile(folder + "/lightbox.css", "stale");
    writeFile(folder + "/images/close.gif", "custom");
    Asked asked;
    ASSERT_FALSE(prepareDestination(folder, false, asked.fn()));
    EXPECT_EQ(asked.count, 0);
    EXPECT_EQ(readFile(folder + "/index.html"), "page");
    EXPECT_EQ(readFile(folder + "/images/close.gif"), "custom");
    EXPECT_NE(readFile(folder + "/lightbox.css"), "stale");
}

TEST(OutputFolder, FolderThatCannotBeCreatedGivesErrorNumberAndDescription)
{
    QTemporaryDir tmp;
    writeFile(tmp.filePath("file"), "x");
    const Status result = prepareDestination(tmp.filePath("file/sub"), true, {});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, ErrorCode::WriteFailed);
    EXPECT_TRUE(result->detail.startsWith("Error number:")) << result->detail.toStdString();
    EXPECT_TRUE(result->detail.contains("\r\nError description:")) << result->detail.toStdString();
}
