#include "generator/outputfolder.h"

#include "generator/pagewriter.h"
#include "i18n/messages.h"

#include <gtest/gtest.h>

#include "testsupport.h"

#include <cerrno>

using namespace lumarc;
using namespace lumarc::test;

namespace {

class OutputFolder : public ::testing::Test {
protected:
    QString at(const QString &name) const { return folder + "/" + name; }
    // Opens, surveys and (when the survey passes) prepares the folder, as a build does.
    Result<DestinationSurvey> surveyAndPrepare(bool clean, const QStringList &writes = {})
    {
        auto opened = GalleryFolder::open(folder);
        Result<DestinationSurvey> survey = opened ? opened.value()->survey(clean, writes, {}) : opened.error();
        Status error = survey ? opened.value()->prepare(survey.value(), clean, nullptr, nullptr) : std::nullopt;
        return error ? *error : survey;
    }
    void writeGalleryPage(const QString &name) { ASSERT_TRUE(writeAll(at(name), QByteArray("<html>\r\n") + kGeneratorLine)); }

    QTemporaryDir tmp;
    QString folder = tmp.filePath("Documents/ZEB/Image Gallery");
};

} // namespace

TEST_F(OutputFolder, CreatesMissingFolderWithParentsAndViewerFilesOrGivesErrorNumberAndDescription)
{
    ASSERT_TRUE(surveyAndPrepare(true));
    EXPECT_TRUE(QDir(at("library")).exists());
    for (const QList<ViewerFile> *files : {&viewerImages(), &viewerScripts()})
        for (const ViewerFile &file : *files) {  // without padding
            const QByteArray bytes = readAll(at(QLatin1String(file.target)));
            EXPECT_TRUE(bytes.size() > 10 && !bytes.endsWith('\0')) << file.target;
        }
    ASSERT_TRUE(writeAll(tmp.filePath("file"), "x"));
    const auto result = GalleryFolder::open(tmp.filePath("file/sub"));
    ASSERT_FALSE(result);
    EXPECT_TRUE(result.error().code == ErrorCode::WriteFailed && result.error().systemCode == ENOTDIR);
    EXPECT_TRUE(messages::userText(result.error())
                    .endsWith(QStringLiteral("\nError number:%1\r\nError description:%2").arg(ENOTDIR).arg(result.error().detail)));
}

TEST_F(OutputFolder, AnEarlierGalleryIsKnownByItsGeneratorLineAndOnlyItsFilesGo)
{
    const QStringList gallery = {"images/close.gif", "library/bg.png", "lightbox.js", "photos/.hidden",
                                 "photos/p.jpg", "thumbs/t.jpg", "zeb.html", "zeb12.html"};
    const QStringList foreign = {"notes.txt", "zebra.html", "Index.html", "trip.zeb", "photos/old/keep.jpg", "src/a.jpg"};
    for (const QString &name : gallery + foreign)
        ASSERT_TRUE(writeAll(at(name), "x"));
    writeGalleryPage("index.html");
    const Result<DestinationSurvey> survey = surveyAndPrepare(true);
    ASSERT_TRUE(survey) << survey.error().message().toStdString();
    EXPECT_TRUE(survey.value().earlierGallery);
    QStringList doomed = gallery + QStringList{"index.html"};
    doomed.sort();
    EXPECT_EQ(survey.value().toDelete, doomed);
    EXPECT_EQ(survey.value().staying,
              QStringList({"Index.html", "notes.txt", "photos/old/", "src/", "trip.zeb", "zebra.html"}));
    for (const QString &name : foreign)
        EXPECT_EQ(readAll(at(name)), "x") << name.toStdString();
    for (const char *name : {"photos/p.jpg", "library/bg.png", "index.html"})
        EXPECT_FALSE(QFile::exists(at(name))) << name;
    EXPECT_TRUE(readAll(at("images/close.gif")).startsWith("GIF8"));
}

// A file in the way fails the survey before anything goes; a hard link to an input, under
// any name, is the input.
TEST_F(OutputFolder, EverythingThatCanFailIsCheckedBeforeTheFirstDeletionAndInputsAreKnownByIdentity)
{
    writeGalleryPage("index.html");
    ASSERT_TRUE(writeAll(at("photos/p.jpg"), "old") && writeAll(at("library"), "a file, not a folder"));
    const Result<DestinationSurvey> blocked = surveyAndPrepare(true);
    ASSERT_FALSE(blocked);
    EXPECT_EQ(blocked.error().path, at("library"));
    EXPECT_TRUE(QFile::exists(at("index.html")) && QFile::exists(at("photos/p.jpg")));

    ASSERT_TRUE(QFile::remove(at("library")) && writeAll(tmp.filePath("source.jpg"), "the only copy"));
    ASSERT_EQ(::link(QFile::encodeName(tmp.filePath("source.jpg")).constData(),
                     QFile::encodeName(at("photos/other name.jpg")).constData()), 0);
    auto opened = GalleryFolder::open(folder);
    ASSERT_TRUE(opened);
    const Result<DestinationSurvey> survey = opened.value()->survey(true, {}, {*fileops::identity(tmp.filePath("source.jpg"))});
    ASSERT_FALSE(survey);
    EXPECT_TRUE(survey.error().path == at("photos/other name.jpg") && survey.error().detail.contains("is an input of this build"))
        << survey.error().message().toStdString();
}

TEST_F(OutputFolder, LinksWhereTheBuildWouldWriteAreRefusedAndNothingOutsideChanges)
{
    const QString outside = tmp.filePath("outside");
    ASSERT_TRUE(writeAll(outside + "/victim.txt", "precious"));
    // A subfolder that leads out and a page written through are the command line's safety rows.
    const struct { const char *link; QString target; } cases[] = {
        {"images/close.gif", outside + "/new.gif"}, // a dangling link, written only when missing
        {"thumbs/a.jpg", outside + "/victim.txt"},  // a file inside a subfolder
    };
    for (const auto &c : cases) {
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(at(c.link)).path()) && QFile::link(c.target, at(c.link)));
        for (bool clean : {true, false}) {
            const Result<DestinationSurvey> survey = surveyAndPrepare(clean, {"index.html"});
            ASSERT_FALSE(survey) << c.link;
            EXPECT_TRUE(survey.error().code == ErrorCode::WriteFailed && survey.error().path == QDir::cleanPath(at(c.link)))
                << survey.error().message().toStdString();
        }
        EXPECT_EQ(readAll(outside + "/victim.txt"), "precious");
        EXPECT_EQ(QDir(outside).entryList(QDir::Files), QStringList{"victim.txt"});
    }
    // A link the build never touches is left alone.
    QDir(folder).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(folder) && QFile::link(outside, at("elsewhere")));
    const Result<DestinationSurvey> survey = surveyAndPrepare(true);
    EXPECT_EQ(survey ? survey.value().staying : QStringList(), QStringList{"elsewhere"});
}

TEST_F(OutputFolder, LinksPlantedAfterTheSurveyAreNeitherFollowedNorWrittenThrough)
{
    const QString outside = tmp.filePath("outside");
    ASSERT_TRUE(writeAll(outside + "/a.jpg", "precious photo") && writeAll(outside + "/page.html", "precious page"));
    writeGalleryPage("index.html");
    ASSERT_TRUE(writeAll(at("photos/a.jpg"), "old"));
    auto opened = GalleryFolder::open(folder);
    ASSERT_TRUE(opened);
    GalleryFolder &gallery = *opened.value();
    const Result<DestinationSurvey> survey = gallery.survey(true, {}, {});
    ASSERT_TRUE(survey);

    // While the question waits, the folders are swapped for links that lead out.
    ASSERT_TRUE(QDir(folder).rename("photos", "photos.real") && QFile::link(outside, at("photos")));
    EXPECT_TRUE(gallery.prepare(survey.value(), true, nullptr, nullptr));
    EXPECT_EQ(readAll(outside + "/a.jpg"), "precious photo");

    // Held folders stay the real ones: a page swapped for a link is replaced, not written through.
    ASSERT_TRUE(QFile::remove(at("photos")) && QDir(folder).rename("photos.real", "photos"));
    auto again = GalleryFolder::open(tmp.filePath("second"));
    ASSERT_TRUE(again);
    ASSERT_TRUE(again.value()->openSubfolder("photos") == std::nullopt);
    ASSERT_TRUE(QDir(tmp.filePath("second")).rename("photos", "photos.real")
                && QFile::link(outside, tmp.filePath("second/photos")));
    ASSERT_TRUE(QFile::link(outside + "/page.html", tmp.filePath("second/index.html")));
    EXPECT_FALSE(again.value()->write("photos/a.jpg", "new"));
    EXPECT_FALSE(again.value()->write("index.html", "new page"));
    EXPECT_EQ(readAll(outside + "/a.jpg"), "precious photo");
    EXPECT_EQ(readAll(outside + "/page.html"), "precious page");
    EXPECT_EQ(readAll(tmp.filePath("second/photos.real/a.jpg")), "new");
    EXPECT_FALSE(QFileInfo(tmp.filePath("second/index.html")).isSymLink());
}
