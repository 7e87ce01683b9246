// Runs the built lumarc executable in a temporary folder and checks exit codes, messages
// and the files it writes.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <vips/vips8>

#include <gtest/gtest.h>

#include "cli/clifixture.h"

using namespace lumarc::test;

namespace {

// A project file written from the documented layout: signature, settings record, count,
// items.
QByteArray handMadeProject()
{
    Bytes b;
    b.raw(kZeb104);
    b.i32(3).i32(2);  // columns, rows
    const QList<QByteArray> texts = {
        "link", "Arial", "#112233", "150", "110", "2", "#aaaaaa #666666 #666666 #aaaaaa", "#445566",
        "140", "100", "", "", "#FFFFFF", "1", "Tahoma", "11", "bold", "left", "#EEEEEE", "800", "600",
        "25", "85", "Caf\xe9 tour", "Verdana", "24", "#000080", "4", "8", "C:\\out\\gallery", "Home",
        "http://example.com/",
    };
    for (const QByteArray &t : texts)
        b.str(t);
    b.i16(1);  // keep_aspect_ratio
    for (int i = 0; i < 20; ++i)
        b.str(i == 0 ? QByteArray("http://example.com/base/") : QByteArray());
    b.i16(1).i16(0);  // add_parent_link, add_image_links
    b.raw(QByteArray(16, '\0'));
    b.i32(2);
    b.str("C:\\Photos\\sea.jpg").str("Sea").str("The sea").str("http://example.com/sea").i16(-1).i16(-1)
        .str("more").str("sea");
    for (int i = 0; i < 5; ++i)
        b.str("");
    b.str("D:/pics/hill.png").str("Hill").str("Hill").str("").i16(0).i16(-1).str("3D").str("hill");
    for (int i = 0; i < 5; ++i)
        b.str("");
    return b.d;
}

} // namespace

TEST_F(Cli, VersionHelpAndUnknownCommand)
{
    EXPECT_EQ(lumarc({"--version"}).code, 0);
    const Outcome help = lumarc({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("build")) << help.out.toStdString();
    for (const char *command : {"build", "add", "info", "set", "export", "import"}) {
        const Outcome r = lumarc({command, "--help"});
        EXPECT_EQ(r.code, 0) << command;
        EXPECT_TRUE(r.out.startsWith("Usage: lumarc " + QString::fromLatin1(command))) << command;
    }
    const Outcome unknown = lumarc({"frobnicate", "now"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.err.contains("frobnicate"));
}

TEST_F(Cli, InfoJsonReadsProjectMadeFromTheDocumentedLayout)
{
    ASSERT_TRUE(writeAll(path("trip.zeb"), handMadeProject()));
    const Outcome r = lumarc({"info", path("trip.zeb"), "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonObject s = root["settings"].toObject();
    EXPECT_EQ(s["columns"].toInt(), 3);
    EXPECT_EQ(s["rows"].toInt(), 2);
    EXPECT_TRUE(s["columns"].isDouble());
    EXPECT_EQ(s["gallery_title"].toString(), QString::fromUtf8("Café tour"));
    EXPECT_EQ(s["cell_width"].toString(), "150");
    EXPECT_EQ(s["destination_folder"].toString(), "C:\\out\\gallery");
    EXPECT_EQ(s["link_base"].toString(), "http://example.com/base/");
    EXPECT_EQ(s["add_parent_link"].toInt(), 1);
    EXPECT_EQ(s.size(), 38);  // every named field, no reserved ones
    const QJsonArray images = root["images"].toArray();
    ASSERT_EQ(images.size(), 2);
    const QJsonObject sea = images[0].toObject();
    EXPECT_EQ(sea["path"].toString(), "C:\\Photos\\sea.jpg");
    EXPECT_EQ(sea["tooltip"].toString(), "The sea");
    EXPECT_EQ(sea["open_same_window"].toInt(), -1);
    EXPECT_EQ(sea["link_text"].toString(), "more");
    EXPECT_EQ(images[1].toObject()["output_name"].toString(), "hill");
    EXPECT_EQ(images[1].toObject()["open_same_window"].toInt(), 0);
}

TEST_F(Cli, InfoNamesTheFileAndTheProblem)
{
    const Outcome missing = lumarc({"info", path("nope.zeb")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(missing.err.contains(path("nope.zeb"))) << missing.err.toStdString();

    QByteArray bytes = handMadeProject();
    bytes[5] = '5';  // ZEB105
    ASSERT_TRUE(writeAll(path("bad.zeb"), bytes));
    const Outcome bad = lumarc({"info", path("bad.zeb")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.contains(path("bad.zeb")) && bad.err.contains("Invalid ZEB file!")) << bad.err.toStdString();

    ASSERT_TRUE(writeAll(path("short.zeb"), handMadeProject().left(200)));
    const Outcome truncated = lumarc({"info", path("short.zeb")});
    EXPECT_EQ(truncated.code, 2);
    EXPECT_TRUE(truncated.err.contains("Invalid ZEB file!")) << truncated.err.toStdString();
}

TEST_F(Cli, SetChangesFieldsOrLeavesTheFileUntouched)
{
    ASSERT_TRUE(writeAll(path("trip.zeb"), handMadeProject()));
    const QByteArray before = readAll(path("trip.zeb"));

    const Outcome unknown = lumarc({"set", path("trip.zeb"), "columns=5", "colour=red"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.err.contains("colour"));
    EXPECT_EQ(readAll(path("trip.zeb")), before);

    const Outcome notNumber = lumarc({"set", path("trip.zeb"), "rows=many"});
    EXPECT_EQ(notNumber.code, 2);
    EXPECT_EQ(readAll(path("trip.zeb")), before);

    ASSERT_EQ(lumarc({"set", path("trip.zeb"), "columns=5", "gallery_title=Summer = fun", "title_align="}).code, 0);
    const QJsonObject s =
        QJsonDocument::fromJson(lumarc({"info", path("trip.zeb"), "--json"}).out.toUtf8()).object()["settings"].toObject();
    EXPECT_EQ(s["columns"].toInt(), 5);
    EXPECT_EQ(s["gallery_title"].toString(), "Summer = fun");
    EXPECT_EQ(s["title_align"].toString(), "center");
    // The images were kept.
    EXPECT_EQ(lumarc({"info", path("trip.zeb"), "--json"}).out.count("\"output_name\""), 2);
}

TEST_F(Cli, ExportImportRoundTripAndImportIntoNewProject)
{
    ASSERT_TRUE(writeAll(path("trip.zeb"), handMadeProject()));
    ASSERT_EQ(lumarc({"export", path("trip.zeb"), path("list.txt")}).code, 0);
    const QByteArray text = readAll(path("list.txt"));
    EXPECT_TRUE(text.startsWith("{\r\npath=C:\\Photos\\sea.jpg\r\ntitle=Sea\r\ntooltip=The sea\r\n"
                                "url=http://example.com/sea\r\nurl_text=more\r\nopen=self\r\n}\r\n\r\n"))
        << text.toStdString();

    const Outcome created = lumarc({"import", path("list.txt"), path("new.zeb")});
    ASSERT_EQ(created.code, 0) << created.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(lumarc({"info", path("new.zeb"), "--json"}).out.toUtf8()).object();
    EXPECT_EQ(root["settings"].toObject()["columns"].toInt(), 4);  // the defaults
    const QJsonArray images = root["images"].toArray();
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images[0].toObject()["title"].toString(), "Sea");
    EXPECT_EQ(images[0].toObject()["open_same_window"].toInt(), -1);
    EXPECT_EQ(images[1].toObject()["path"].toString(), "D:/pics/hill.png");

    const Outcome missing = lumarc({"import", path("absent.txt"), path("trip.zeb")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(missing.err.contains(path("absent.txt"))) << missing.err.toStdString();
}

TEST_F(Cli, AddCreatesProjectAndRefusesDuplicates)
{
    QDir().mkpath(path("in"));
    writeImage("in/b.jpg", 80, 60);
    writeImage("in/a.png", 40, 30);
    ASSERT_TRUE(writeAll(path("in/notes.txt"), "not an image"));
    const Outcome first = lumarc({"add", path("p.zeb"), path("in")});
    ASSERT_EQ(first.code, 0) << first.err.toStdString() << first.out.toStdString();
    const Outcome again = lumarc({"add", path("p.zeb"), path("in/b.jpg")});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.out.contains("already exist")) << again.out.toStdString();
    const QJsonArray images =
        QJsonDocument::fromJson(lumarc({"info", path("p.zeb"), "--json"}).out.toUtf8()).object()["images"].toArray();
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images[0].toObject()["title"].toString(), "a");  // sorted by name
    EXPECT_EQ(images[1].toObject()["title"].toString(), "b");
}

TEST_F(Cli, BuildMakesGalleryAndRefusesNonEmptyFolderWithoutYes)
{
    writeImage("one.jpg", 400, 300);
    writeImage("two.jpg", 300, 400);
    const Outcome built = lumarc({"build", path("one.jpg"), path("two.jpg"), "-o", path("out"), "-q"});
    ASSERT_EQ(built.code, 0) << built.err.toStdString();
    EXPECT_TRUE(QFile::exists(path("out/index.html")));
    EXPECT_TRUE(QFile::exists(path("out/photos/one.jpg")));
    EXPECT_TRUE(QFile::exists(path("out/thumbs/two.jpg")));
    EXPECT_TRUE(QFile::exists(path("out/library/zebstyle.css")));
    EXPECT_TRUE(QFile::exists(path("out/lightbox.js")));

    const QByteArray page = readAll(path("out/index.html"));
    const Outcome refused = lumarc({"build", path("one.jpg"), "-o", path("out")});
    EXPECT_EQ(refused.code, 3);
    EXPECT_TRUE(refused.err.contains("--yes")) << refused.err.toStdString();
    EXPECT_EQ(readAll(path("out/index.html")), page);
    EXPECT_TRUE(QFile::exists(path("out/photos/two.jpg")));

    const Outcome declined = lumarc({"build", path("one.jpg"), "-o", path("out")}, "n\n");
    EXPECT_EQ(declined.code, 3);
    EXPECT_EQ(readAll(path("out/index.html")), page);

    EXPECT_EQ(lumarc({"build", path("one.jpg"), "-o", path("out"), "--yes", "-q"}).code, 0);
    EXPECT_FALSE(QFile::exists(path("out/photos/two.jpg")));
}

TEST_F(Cli, BuildGoesOnPastABrokenImageAndExitsWithOne)
{
    writeImage("good.jpg", 200, 100);
    ASSERT_TRUE(writeAll(path("broken.jpg"), "this is not a jpeg"));
    const Outcome r = lumarc({"build", path("good.jpg"), path("broken.jpg"), "-o", path("out"), "-q"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("proc:NewImage/err2: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("broken.jpg"));
    EXPECT_TRUE(QFile::exists(path("out/photos/good.jpg")));
    EXPECT_TRUE(readAll(path("out/index.html")).contains("thumbs/broken.jpg"));
}

TEST_F(Cli, BuildRefusesBadInputBeforeWritingAnything)
{
    writeImage("a.jpg", 50, 50);
    ASSERT_TRUE(writeAll(path("trip.zeb"), handMadeProject()));
    ASSERT_EQ(lumarc({"set", path("trip.zeb"), "columns=0"}).code, 0);
    const Outcome zero = lumarc({"build", path("trip.zeb"), "-o", path("out0")});
    EXPECT_EQ(zero.code, 2);
    EXPECT_FALSE(QDir(path("out0")).exists());

    const Outcome badJobs = lumarc({"build", path("a.jpg"), "-j", "zero", "-o", path("out1")});
    EXPECT_EQ(badJobs.code, 2);
    EXPECT_FALSE(QDir(path("out1")).exists());

    const Outcome missing = lumarc({"build", path("nothing-here"), "-o", path("out2")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(missing.err.contains("nothing-here"));
    EXPECT_FALSE(QDir(path("out2")).exists());
}
