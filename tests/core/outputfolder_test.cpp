#include "generator/outputfolder.h"

#include "i18n/messages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

#include <cerrno>

using namespace lumarc;
using namespace lumarc::test;

namespace {

class OutputFolder : public ::testing::Test {
protected:
    QString at(const QString &name) const { return folder + "/" + name; }
    QTemporaryDir tmp;
    QString folder = tmp.filePath("Documents/ZEB/Image Gallery");
};

} // namespace

TEST_F(OutputFolder, CreatesMissingFolderWithParentsAndViewerFilesOrGivesErrorNumberAndDescription)
{
    ASSERT_FALSE(prepareDestination(folder, surveyDestination(folder, true).value()));
    EXPECT_TRUE(QDir(at("library")).exists());
    for (const QList<ViewerFile> *files : {&viewerImages(), &viewerScripts()})
        for (const ViewerFile &file : *files) {  // without padding
            const QByteArray bytes = readAll(at(QLatin1String(file.target)));
            EXPECT_TRUE(bytes.size() > 10 && !bytes.endsWith('\0')) << file.target;
        }
    ASSERT_TRUE(writeAll(tmp.filePath("file"), "x"));
    const Status result = prepareDestination(tmp.filePath("file/sub"), DestinationSurvey{});
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->code == ErrorCode::WriteFailed && result->systemCode == ENOTDIR);
    EXPECT_EQ(messages::describe(*result),
              QStringLiteral("Error number:%1\r\nError description:%2").arg(ENOTDIR).arg(result->detail));
}

TEST_F(OutputFolder, RemovesOnlyWhatAGalleryBuildWritesAndNamesTheRestAsStaying)
{
    const QStringList gallery = {"images/close.gif", "index.html", "library/bg.png", "lightbox.js", "photos/.hidden",
                                 "photos/p.jpg", "thumbs/t.jpg", "zeb.html", "zeb12.html"};
    const QStringList foreign = {"notes.txt", "zebra.html", "Index.html", "trip.zeb", "photos/old/keep.jpg", "src/a.jpg"};
    for (const QString &name : gallery + foreign)
        ASSERT_TRUE(writeAll(at(name), "x"));
    const Result<DestinationSurvey> survey = surveyDestination(folder, true);
    ASSERT_TRUE(survey);
    QStringList doomed;
    for (const QString &path : survey.value().toDelete)
        doomed.append(QDir(folder).relativeFilePath(path));
    EXPECT_EQ(doomed, gallery);
    EXPECT_EQ(survey.value().staying,
              QStringList({"Index.html", "notes.txt", "photos/old/", "src/", "trip.zeb", "zebra.html"}));

    ASSERT_FALSE(prepareDestination(folder, survey.value()));
    for (const QString &name : foreign)
        EXPECT_EQ(readAll(at(name)), "x") << name.toStdString();
    for (const char *name : {"photos/p.jpg", "library/bg.png", "index.html"})
        EXPECT_FALSE(QFile::exists(at(name))) << name;
    EXPECT_TRUE(readAll(at("images/close.gif")).startsWith("GIF8"));
}

TEST_F(OutputFolder, HtmlOnlyRemovesNothingKeepsImagesAndRewritesScripts)
{
    const struct { const char *name, *before; bool kept; } files[] = {
        {"index.html", "page", true}, {"photos/p.jpg", "photo", true},
        {"images/close.gif", "custom", true}, {"lightbox.css", "stale", false}};
    for (const auto &f : files)
        ASSERT_TRUE(writeAll(at(f.name), f.before));
    const Result<DestinationSurvey> survey = surveyDestination(folder, false);
    ASSERT_TRUE(survey);
    EXPECT_TRUE(survey.value().toDelete.isEmpty());
    ASSERT_FALSE(prepareDestination(folder, survey.value()));
    for (const auto &f : files)
        EXPECT_EQ(readAll(at(f.name)) == f.before, f.kept) << f.name;
}

TEST_F(OutputFolder, LinksWhereTheBuildWouldWriteAreRefusedAndNothingOutsideChanges)
{
    const QString outside = tmp.filePath("outside");
    ASSERT_TRUE(writeAll(outside + "/victim.txt", "precious"));
    const struct { const char *link; QString target; } cases[] = {
        {"photos", outside},                        // a subfolder that leads out
        {"index.html", outside + "/victim.txt"},    // a page written through
        {"images/close.gif", outside + "/new.gif"}, // a dangling link, written only when missing
        {"thumbs/a.jpg", outside + "/victim.txt"},  // a file inside a subfolder
    };
    for (const auto &c : cases) {
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(at(c.link)).path()) && QFile::link(c.target, at(c.link)));
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
    ASSERT_TRUE(QDir().mkpath(folder) && QFile::link(outside, at("elsewhere")));
    const Result<DestinationSurvey> survey = surveyDestination(folder, true);
    ASSERT_TRUE(survey);
    EXPECT_EQ(survey.value().staying, QStringList{"elsewhere"});
}
