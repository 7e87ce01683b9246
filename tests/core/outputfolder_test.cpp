#include "generator/outputfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class OutputFolder : public ::testing::Test {
protected:
    Status prepare(bool clean, bool answer = true)
    {
        return prepareDestination(folder, clean, [this, answer](const QString &) {
            ++questions;
            return answer;
        });
    }
    QString at(const QString &name) const { return folder + "/" + name; }

    QTemporaryDir tmp;
    QString folder = tmp.filePath("Documents/ZEB/Image Gallery");
    int questions = 0;
};

} // namespace

TEST_F(OutputFolder, CreatesMissingFolderWithParentsAndViewerFilesWithoutAsking)
{
    ASSERT_FALSE(prepare(true));
    EXPECT_EQ(questions, 0);
    EXPECT_TRUE(QDir(at("library")).exists());
    for (const char *name : {"prototype.js", "scriptaculous.js", "effects.js", "builder.js", "lightbox.js",
                             "lightbox.css", "images/close.gif", "images/closelabel.gif", "images/nextlabel.gif",
                             "images/prevlabel.gif", "images/loading.gif"}) {
        const QByteArray bytes = readFile(at(name));
        EXPECT_GT(bytes.size(), 10) << name;
        EXPECT_FALSE(bytes.endsWith('\0')) << name;
    }
    EXPECT_TRUE(readFile(at("images/loading.gif")).startsWith("GIF8"));
    EXPECT_TRUE(readFile(at("prototype.js")).contains("Prototype"));
}

TEST_F(OutputFolder, FolderWithOnlySubfoldersIsNotQuestioned)
{
    writeFile(at("photos/a.jpg"), "x");
    ASSERT_FALSE(prepare(true));
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(readFile(at("photos/a.jpg")), "x");
}

TEST_F(OutputFolder, YesDeletesTopLevelAndImagesFilesButKeepsSubfolders)
{
    writeFile(at("old.html"), "old");
    writeFile(at("lightbox.js"), "stale");
    writeFile(at("thumbs/t.jpg"), "t");
    writeFile(at("images/close.gif"), "custom");
    ASSERT_FALSE(prepare(true));
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(QFile::exists(at("old.html")));
    EXPECT_NE(readFile(at("lightbox.js")), "stale");
    EXPECT_EQ(readFile(at("thumbs/t.jpg")), "t");
    EXPECT_TRUE(readFile(at("images/close.gif")).startsWith("GIF8"));
}

TEST_F(OutputFolder, NoWritesNothing)
{
    writeFile(at("index.html"), "keep");
    const Status result = prepare(true, false);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, ErrorCode::Refused);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"index.html"});
    EXPECT_EQ(readFile(at("index.html")), "keep");
}

TEST_F(OutputFolder, HtmlOnlyNeverAsksKeepsImagesAndRewritesScripts)
{
    writeFile(at("index.html"), "page");
    writeFile(at("lightbox.css"), "stale");
    writeFile(at("images/close.gif"), "custom");
    ASSERT_FALSE(prepare(false));
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(readFile(at("index.html")), "page");
    EXPECT_EQ(readFile(at("images/close.gif")), "custom");
    EXPECT_NE(readFile(at("lightbox.css")), "stale");
}

TEST_F(OutputFolder, FolderThatCannotBeCreatedGivesErrorNumberAndDescription)
{
    writeFile(tmp.filePath("file"), "x");
    const Status result = prepareDestination(tmp.filePath("file/sub"), true, {});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, ErrorCode::WriteFailed);
    EXPECT_TRUE(result->detail.startsWith("Error number:")) << result->detail.toStdString();
    EXPECT_TRUE(result->detail.contains("\r\nError description:")) << result->detail.toStdString();
}
