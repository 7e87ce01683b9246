#include "generator/outputfolder.h"

#include "i18n/messages.h"

#include <QDir>

#include <cerrno>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

class OutputFolder : public ::testing::Test {
protected:
    // Surveys and prepares as a build does once the user agreed.
    Status prepare(bool clean)
    {
        Result<DestinationSurvey> survey = surveyDestination(folder, clean);
        if (!survey)
            return survey.error();
        return prepareDestination(folder, survey.value());
    }
    QString at(const QString &name) const { return folder + "/" + name; }

    QTemporaryDir tmp;
    QString folder = tmp.filePath("Documents/ZEB/Image Gallery");
};

} // namespace

TEST_F(OutputFolder, CreatesMissingFolderWithParentsAndViewerFilesWithoutPadding)
{
    ASSERT_FALSE(prepare(true));
    EXPECT_TRUE(QDir(at("library")).exists());
    for (const QList<ViewerFile> *files : {&viewerImages(), &viewerScripts()}) {
        for (const ViewerFile &file : *files) {
            const QByteArray bytes = readAll(at(QLatin1String(file.target)));
            EXPECT_TRUE(bytes.size() > 10 && !bytes.endsWith('\0')) << file.target;
        }
    }
}

TEST_F(OutputFolder, RemovesOnlyWhatAGalleryBuildWritesAndNamesTheRestAsStaying)
{
    const QStringList gallery = {"index.html", "zeb.html", "zeb12.html", "lightbox.js", "images/close.gif",
                                 "library/bg.png", "thumbs/t.jpg", "photos/p.jpg", "photos/.hidden"};
    const QStringList foreign = {"notes.txt", "zebra.html", "Index.html", "trip.zeb", "photos/old/keep.jpg",
                                 "src/a.jpg"};
    for (const QString &name : gallery + foreign)
        ASSERT_TRUE(writeAll(at(name), "x"));

    const Result<DestinationSurvey> survey = surveyDestination(folder, true);
    ASSERT_TRUE(survey);
    QStringList doomed;
    for (const QString &path : survey.value().toDelete)
        doomed.append(QDir(folder).relativeFilePath(path));
    QStringList expected = gallery;
    expected.sort();
    EXPECT_EQ(doomed, expected);
    EXPECT_EQ(survey.value().staying,
              QStringList({"Index.html", "notes.txt", "photos/old/", "src/", "trip.zeb", "zebra.html"}));

    ASSERT_FALSE(prepareDestination(folder, survey.value()));
    for (const QString &name : foreign)
        EXPECT_EQ(readAll(at(name)), "x") << name.toStdString();
    EXPECT_FALSE(QFile::exists(at("photos/p.jpg")));
    EXPECT_FALSE(QFile::exists(at("library/bg.png")));
    EXPECT_FALSE(QFile::exists(at("index.html")));
    EXPECT_TRUE(readAll(at("images/close.gif")).startsWith("GIF8"));
}

TEST_F(OutputFolder, HtmlOnlyRemovesNothingKeepsImagesAndRewritesScripts)
{
    ASSERT_TRUE(writeAll(at("index.html"), "page"));
    ASSERT_TRUE(writeAll(at("photos/p.jpg"), "photo"));
    ASSERT_TRUE(writeAll(at("lightbox.css"), "stale"));
    ASSERT_TRUE(writeAll(at("images/close.gif"), "custom"));
    const Result<DestinationSurvey> survey = surveyDestination(folder, false);
    ASSERT_TRUE(survey);
    EXPECT_TRUE(survey.value().toDelete.isEmpty());
    ASSERT_FALSE(prepare(false));
    EXPECT_EQ(readAll(at("index.html")), "page");
    EXPECT_EQ(readAll(at("photos/p.jpg")), "photo");
    EXPECT_EQ(readAll(at("images/close.gif")), "custom");
    EXPECT_NE(readAll(at("lightbox.css")), "stale");
}

TEST_F(OutputFolder, LinksWhereTheBuildWouldWriteAreRefusedAndNothingOutsideChanges)
{
    const QString outside = tmp.filePath("outside");
    ASSERT_TRUE(writeAll(outside + "/victim.txt", "precious"));
    struct Case { const char *link; QString target; };
    const Case cases[] = {
        {"photos", outside},                        // a subfolder that leads out
        {"index.html", outside + "/victim.txt"},    // a page written through
        {"images/close.gif", outside + "/new.gif"}, // a dangling link, written only when missing
        {"thumbs/a.jpg", outside + "/victim.txt"},  // a file inside a subfolder
    };
    for (const Case &c : cases) {
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(at(c.link)).path()));
        ASSERT_TRUE(QFile::link(c.target, at(c.link)));
        for (bool clean : {true, false}) {
            const Result<DestinationSurvey> survey = surveyDestination(folder, clean);
            ASSERT_FALSE(survey) << c.link;
            EXPECT_EQ(survey.error().code, ErrorCode::WriteFailed);
            EXPECT_EQ(survey.error().path, QDir::cleanPath(at(c.link))) << c.link;
        }
        EXPECT_EQ(readAll(outside + "/victim.txt"), "precious");
        EXPECT_EQ(QDir(outside).entryList(QDir::Files), QStringList{"victim.txt"});
    }
    // A link the build never touches is left alone.
    QDir(folder).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(outside, at("elsewhere")));
    const Result<DestinationSurvey> survey = surveyDestination(folder, true);
    ASSERT_TRUE(survey);
    EXPECT_EQ(survey.value().staying, QStringList{"elsewhere"});
}

TEST_F(OutputFolder, FolderThatCannotBeCreatedGivesErrorNumberAndDescription)
{
    ASSERT_TRUE(writeAll(tmp.filePath("file"), "x"));
    const Status result = prepareDestination(tmp.filePath("file/sub"), DestinationSurvey{});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, ErrorCode::WriteFailed);
    EXPECT_EQ(result->systemCode, ENOTDIR);
    EXPECT_EQ(messages::describe(*result),
              QStringLiteral("Error number:%1\r\nError description:%2").arg(ENOTDIR).arg(result->detail));
}
