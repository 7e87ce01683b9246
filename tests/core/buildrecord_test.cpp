// The gallery build as a whole: refusals before any write, Stop, the folder's lock while the
// question waits, and the build record that lets a rebuild redo only what changed.

#include "generator/buildrecord.h"
#include "generator/gallerybuilder.h"

#include "imaging/imageengine.h"
#include "syntheticimage.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>

using namespace lumarc;
using test::readAll;
using test::writeAll;

namespace {

// Asks to stop once `stopAfter` steps were reported.
class StoppingProgress final : public Progress {
public:
    void step(int, int, const QString &) override { stop = stopAfter > 0 && ++steps >= stopAfter; }
    bool stopRequested() const override { return stop; }
    int steps = 0, stopAfter = 0;
    bool stop = false;
};

struct FileState {
    QByteArray bytes;
    qint64 modified = 0;
};
using Snapshot = std::map<QString, FileState>;

class GalleryBuildTest : public ::testing::Test {
public:
    void SetUp() override
    {
        imaging::initialise();
        project = Project();
        ASSERT_TRUE(QDir().mkpath(base() + "/SourceFolderQz"));
        project.settings.setDefaults();
        project.settings.columns = 1;
        project.settings.rows = 1;  // one page per image: zeb.html, zeb1.html, zeb2.html
        project.settings.destinationFolder = out();
        for (int i = 0; i < 3; ++i) {
            const QString path = source(i);
            ASSERT_FALSE(test::writeSyntheticImage(path, {.width = 96 + 8 * i, .height = 64}));
            project.images.append(newImageRecord(project, path));
        }
        options.projectKey = [] { return QByteArray(64, 'a'); };
        options.workers = 1;
    }

    QString base() const { return tmp.filePath(QStringLiteral("run%1").arg(run)); }
    QString out() const { return base() + "/gallery"; }
    QString source(int i) const { return base() + QStringLiteral("/SourceFolderQz/src%1.jpg").arg(i); }
    static QStringList entries(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    // Both stages, saying yes when asked; whether a question was due.
    BuildReport build(bool *asked = nullptr)
    {
        GalleryBuild run(project, options, progress);
        if (asked)
            *asked = run.needsConsent();
        return run.finish(true, progress);
    }

    Snapshot snapshot() const
    {
        Snapshot files;
        QDirIterator it(out(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files[QDir(out()).relativeFilePath(path)] = {readAll(path), fileops::stamp(path)->modified};
        }
        return files;
    }

    QTemporaryDir tmp;
    int run = 0;  // each row of a table builds in a folder of its own
    Project project;
    BuildOptions options;
    StoppingProgress progress;
};

// The files that are new, gone, or written again between two snapshots.
std::set<QString> touched(const Snapshot &before, const Snapshot &after)
{
    std::set<QString> names;
    for (const auto &[name, state] : before) {
        const auto found = after.find(name);
        if (found == after.end() || found->second.modified != state.modified || found->second.bytes != state.bytes)
            names.insert(name);
    }
    for (const auto &[name, state] : after) {
        if (!before.count(name))
            names.insert(name);
    }
    names.erase(kBuildRecordName);
    return names;
}

}  // namespace

// A rebuild asks nothing and writes only what its change calls for.
TEST_F(GalleryBuildTest, RebuildRedoesOnlyWhatChanged)
{
    const struct {
        const char *name;
        std::function<void(GalleryBuildTest &)> change;
        std::set<QString> expected;  // written, new or gone
        int made, kept, removed;
    } rows[] = {
        {"no change", [](GalleryBuildTest &) {}, {}, 0, 3, 0},
        {"a title",
         [](GalleryBuildTest &t) {
             ImageItem item = t.project.images.at(1);
             item.title = QStringLiteral("A new title");
             t.project.images.replace(1, item);
         },
         {"zeb1.html", "library/gallery.js"}, 0, 3, 0},
        {"a photo replaced, its time put back",
         [](GalleryBuildTest &t) {
             struct stat before {};
             ASSERT_EQ(::stat(QFile::encodeName(t.source(0)).constData(), &before), 0);
             ASSERT_FALSE(test::writeSyntheticImage(t.source(0), {.width = 96, .height = 64, .noise = 30}));
             const struct timespec times[2] = {before.st_atim, before.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(t.source(0)).constData(), times, 0), 0);
         },
         {"photos/src0.jpg", "thumbs/src0.jpg"}, 1, 2, 0},
        {"a photo touched, its bytes the same",
         [](GalleryBuildTest &t) { ASSERT_TRUE(writeAll(t.source(2), readAll(t.source(2)))); },
         // Made again, as the record holds no hash of it yet, but written over by nothing.
         {}, 1, 2, 0},
        {"the thumbnail size",
         [](GalleryBuildTest &t) { t.project.settings.thumbWidth = QStringLiteral("40"); },
         {"thumbs/src0.jpg", "thumbs/src1.jpg", "thumbs/src2.jpg"}, 3, 0, 0},
        {"an image left the project",
         [](GalleryBuildTest &t) {
             t.project.images.truncate(2);
             ASSERT_TRUE(writeAll(t.out() + "/photos/mine.jpg", "the user's own"));
         },
         {"photos/src2.jpg", "thumbs/src2.jpg", "zeb2.html", "photos/mine.jpg", "zeb.html", "zeb1.html",
          "library/gallery.js"},
         0, 2, 1},
        {"outputs damaged and deleted",
         [](GalleryBuildTest &t) {
             ASSERT_TRUE(writeAll(t.out() + "/photos/src0.jpg", "damaged"));
             ASSERT_TRUE(QFile::remove(t.out() + "/thumbs/src1.jpg"));
         },
         {"photos/src0.jpg", "thumbs/src1.jpg"}, 2, 1, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ++run;
        SetUp();
        bool asked = false;
        ASSERT_TRUE(build(&asked).succeeded());
        const Snapshot before = snapshot();
        row.change(*this);
        const Snapshot changed = snapshot();
        const BuildReport report = build(&asked);
        EXPECT_TRUE(report.succeeded());
        EXPECT_FALSE(asked);
        EXPECT_TRUE(report.updated);
        const Snapshot after = snapshot();
        EXPECT_EQ(touched(before, after), row.expected);
        EXPECT_EQ(report.imagesProduced, row.made);
        EXPECT_EQ(report.imagesKept, row.kept);
        EXPECT_EQ(report.imagesRemoved, row.removed);
        // Remade outputs are as a first build makes them; the user's file stays.
        if (changed.count("photos/mine.jpg")) {
            EXPECT_EQ(after.at("photos/mine.jpg").bytes, "the user's own");
        }
        if (changed.count("photos/src0.jpg") && changed.at("photos/src0.jpg").bytes == "damaged") {
            EXPECT_EQ(after.at("photos/src0.jpg").bytes, before.at("photos/src0.jpg").bytes);
        }
        // Nothing in the gallery names where the photos came from.
        for (const auto &[name, state] : after)
            EXPECT_FALSE(state.bytes.contains("SourceFolderQz")) << name.toStdString();
    }
}

TEST_F(GalleryBuildTest, ChangedOutputOfALeavingImageStaysAndIsReported)
{
    ASSERT_TRUE(build().succeeded());
    ASSERT_TRUE(writeAll(out() + "/photos/src2.jpg", "edited by hand"));
    project.images.truncate(2);
    const BuildReport report = build();
    EXPECT_EQ(snapshot().at("photos/src2.jpg").bytes, "edited by hand");
    EXPECT_FALSE(QFile::exists(out() + "/thumbs/src2.jpg"));
    ASSERT_EQ(report.warnings.size(), 1);
    EXPECT_TRUE(report.warnings.first().path.endsWith("src2.jpg"));
}

// A record that is not exactly a build's own means today's rule: the question, and a full
// build that removes nothing outside the gallery's names.
TEST_F(GalleryBuildTest, RecordThatLiesLeadsToAFullBuild)
{
    const QByteArray hash(64, 'b');
    const auto record = [&](const QString &name, const QByteArray &project = QByteArray(64, 'a')) {
        return QStringLiteral(R"({"lumarc-build":1,"project":"%1","outputs":{"%2":{"recipe":"%3","source":"1.2.3.4.5",)"
                              R"("sourceHash":"","hash":"%3","stamp":"1.2.3.4.5"}}})")
            .arg(QString::fromLatin1(project), name, QString::fromLatin1(hash))
            .toUtf8();
    };
    const struct {
        const char *name;
        QByteArray bytes;
        bool parses = false;  // well formed, but not this project's
    } rows[] = {
        {"garbage", "{not json"}, {"truncated", record("photos/x.jpg").left(60)},
        {"another project", record("photos/x.jpg", QByteArray(64, 'c')), true},
        {"a climb out", record("photos/../../outside.jpg")}, {"an absolute path", record("/tmp/outside.jpg")},
        {"a deeper name", record("photos/a/outside.jpg")}, {"a backslash", record("photos\\\\..\\\\outside.jpg")},
        {"a name the build never lists", record("index.html")},
        {"an unknown field", record("photos/x.jpg").replace("\"stamp\"", "\"stump\"")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(bool(parseBuildRecord(row.bytes)), row.parses);
    }

    // In a folder that holds no gallery, a file of that name is asked about like a page.
    ASSERT_TRUE(writeAll(out() + "/" + kBuildRecordName, "mine"));
    {
        GalleryBuild run(project, options, progress);
        EXPECT_TRUE(run.needsConsent());
        EXPECT_EQ(run.survey().toDelete, QStringList{kBuildRecordName});
    }
    // Through a build: the record is ignored, and the outside file and a link stay.
    ASSERT_TRUE(build().succeeded());
    ASSERT_TRUE(writeAll(tmp.filePath("outside.jpg"), "outside"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(writeAll(out() + "/" + kBuildRecordName, row.bytes));
        bool asked = false;
        const BuildReport report = build(&asked);
        EXPECT_TRUE(asked);
        EXPECT_TRUE(report.succeeded());
        EXPECT_FALSE(report.updated);
        EXPECT_EQ(report.imagesProduced, 3);
        EXPECT_TRUE(QFile::exists(tmp.filePath("outside.jpg")));
    }
    // A valid record listing a link: the build refuses the link before any change.
    ASSERT_TRUE(QFile::link(tmp.filePath("outside.jpg"), out() + "/photos/x.jpg"));
    ASSERT_TRUE(writeAll(out() + "/" + kBuildRecordName, record("photos/x.jpg")));
    const BuildReport linked = build();
    ASSERT_TRUE(linked.fatal);
    EXPECT_EQ(snapshot().count("photos/src0.jpg"), 1u);
    EXPECT_EQ(QFile(tmp.filePath("outside.jpg")).size(), 7);
}

TEST_F(GalleryBuildTest, StoppedOrCleanBuildLeavesNoRecordThatClaimsUnwrittenFiles)
{
    ASSERT_TRUE(build().succeeded());
    project.settings.photoWidth = QStringLiteral("50");
    progress.stopAfter = 1;
    const BuildReport stopped = build();
    ASSERT_TRUE(stopped.stopped);
    EXPECT_FALSE(QFile::exists(out() + "/" + kBuildRecordName));
    progress = StoppingProgress();
    bool asked = false;
    EXPECT_TRUE(build(&asked).succeeded());
    EXPECT_TRUE(asked);  // without a record, today's rule

    // A clean build asks, and makes everything.
    options.clean = true;
    const BuildReport clean = build(&asked);
    EXPECT_TRUE(asked);
    EXPECT_EQ(clean.imagesProduced, 3);
    EXPECT_EQ(clean.imagesKept, 0);
}

TEST_F(GalleryBuildTest, AnEmptyProjectWritesNothingAndStopEndsAfterTheCurrentImagesWithoutPages)
{
    Project none = project;
    none.images.clear();
    const BuildReport empty = buildGallery(none, {}, progress);
    EXPECT_TRUE(empty.fatal && empty.fatal->code == ErrorCode::Invalid);
    EXPECT_FALSE(QDir(out()).exists());

    progress.stopAfter = 1;
    const BuildReport report = buildGallery(project, options, progress);  // one worker
    EXPECT_TRUE(!report.fatal && report.stopped);
    EXPECT_LT(report.imagesProduced, 3);
    EXPECT_TRUE(report.firstPage.isEmpty());
    EXPECT_TRUE(entries(out()).filter(".html").isEmpty());
}

TEST_F(GalleryBuildTest, AnInputWhereTheGalleryGoesStopsTheBuildBeforeAnyWrite)
{
    // A background kept in the library of an earlier build, which a clean build empties.
    const QString background = out() + "/library/bg.png";
    ASSERT_TRUE(QDir().mkpath(out() + "/library"));
    ASSERT_FALSE(test::writeSyntheticImage(background, test::SyntheticImage{}));
    project.settings.pageBackgroundImage = background;
    BuildOptions agreed;
    agreed.confirmEmptying = [](const QString &, const DestinationSurvey &) { return true; };
    const BuildReport clean = buildGallery(project, agreed, progress);
    ASSERT_TRUE(clean.fatal);
    EXPECT_EQ(clean.fatal->path, background);
    EXPECT_EQ(entries(out() + "/library"), QStringList{"bg.png"});
    EXPECT_TRUE(entries(out()).isEmpty());

    // "HTML only" leaves the library's files alone, so the same background is fine there.
    agreed.htmlOnly = true;
    const BuildReport htmlOnly = buildGallery(project, agreed, progress);
    EXPECT_TRUE(!htmlOnly.fatal && htmlOnly.succeeded());
    EXPECT_FALSE(QDir(out() + "/photos").exists());

    // The project file itself, were it named like a page.
    agreed.htmlOnly = false;
    agreed.protectedFiles = {out() + "/zeb.html"};
    project.settings.pageBackgroundImage.clear();
    const BuildReport page = buildGallery(project, agreed, progress);
    ASSERT_TRUE(page.fatal);
    EXPECT_EQ(page.fatal->path, out() + "/zeb.html");
}

TEST_F(GalleryBuildTest, TheFolderStaysLockedAndUntouchedWhileTheAnswerIsAwaited)
{
    BuildOptions agreed;
    agreed.confirmEmptying = [](const QString &, const DestinationSurvey &) { return true; };
    ASSERT_TRUE(buildGallery(project, agreed, progress).succeeded());

    GalleryBuild waiting(project, {}, progress);
    ASSERT_TRUE(waiting.needsConsent());
    EXPECT_TRUE(waiting.survey().earlierGallery);
    EXPECT_EQ(waiting.folder(), QDir(out()).canonicalPath());
    const BuildReport second = buildGallery(project, agreed, progress);
    ASSERT_TRUE(second.fatal);
    EXPECT_EQ(second.fatal->code, ErrorCode::Refused);
    EXPECT_FALSE(second.asked);

    const BuildReport declined = waiting.finish(false, progress);
    ASSERT_TRUE(declined.fatal);
    EXPECT_EQ(declined.fatal->code, ErrorCode::Refused);
    EXPECT_TRUE(declined.asked);
    EXPECT_EQ(entries(out() + "/photos"), QStringList({"src0.jpg", "src1.jpg", "src2.jpg"}));
    const BuildReport again = buildGallery(project, agreed, progress);  // the folder is free again
    EXPECT_TRUE(again.succeeded() && again.deletedFiles > 0);
}
