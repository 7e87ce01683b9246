#include "generator/outputfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

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
        const QByteArray bytes = readAll(at(name));
        EXPECT_GT(bytes.size(), 10) << name;
        EXPECT_FALSE(bytes.endsWith('\0')) << name;
    }
    EXPECT_TRUE(readAll(at("images/loading.gif")).startsWith("GIF8"));
    EXPECT_TRUE(readAll(at("prototype.js")).contains("Prototype"));
}

TEST_F(OutputFolder, FolderWithOnlySubfoldersIsNotQuestioned)
{
    ASSERT_TRUE(writeAll(at("photos/a.jpg"), "x"));
    ASSERT_FALSE(prepare(true));
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(readAll(at("photos/a.jpg")), "x");
}

TEST_F(OutputFolder, YesDeletesTopLevelAndImagesFilesButKeepsSubfolders)
{
    ASSERT_TRUE(writeAll(at("old.html"), "old"));
    ASSERT_TRUE(writeAll(at("lightbox.js"), "stale"));
    ASSERT_TRUE(writeAll(at("thumbs/t.jpg"), "t"));
    ASSERT_TRUE(writeAll(at("images/close.gif"), "custom"));
    ASSERT_FALSE(prepare(true));
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(QFile::exists(at("old.html")));
    EXPECT_NE(readAll(at("lightbox.js")), "stale");
    EXPECT_EQ(readAll(at("thumbs/t.jpg")), "t");
    EXPECT_TRUE(readAll(at("images/close.gif")).startsWith("GIF8"));
}

TEST_F(OutputFolder, NoWritesNothing)
{
    ASSERT_TRUE(writeAll(at("index.html"), "keep"));
    const Status result = prepare(true, false);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, ErrorCode::Refused);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"index.html"});
    EXPECT_EQ(readAll(at("index.html")), "keep");
}

TEST_F(OutputFolder, HtmlOnlyNeverAsksKeepsImagesAndRewritesScripts)
{
    ASSERT_TRUE(writeAll(at("index.html"), "page"));
    ASSERT_TRUE(writeAll(at("lightbox.css"), "stale"));
    ASSERT_TRUE(writeAll(at("images/close.gif"), "custom"));
    ASSERT_FALSE(prepare(false));
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(readAll(at("index.html")), "page");
    EXPECT_EQ(readAll(at("images/close.gif")), "custom");
    EXPECT_NE(readAll(at("lightbox.css")), "stale");
}

TEST_F(OutputFolder, FolderThatCannotBeCreatedGivesErrorNumberAndDescription)
{
    ASSERT_TRUE(writeAll(tmp.filePath("file"), "x"));
    const Status result = prepareDestination(tmp.filePath("file/sub"), true, {});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, ErrorCode::WriteFailed);
    EXPECT_TRUE(result->detail.startsWith("Error number:")) << result->detail.toStdString();
    EXPECT_TRUE(result->detail.contains("\r\nError description:")) << result->detail.toStdString();
}
