// Runs the built lumarc executable in a temporary folder and checks exit codes, messages
// and the files it writes; `lumarc verify` against a local HTTP server on its own thread
// (the test blocks while lumarc runs).

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/clifixture.h"
#include "support/httptestserver.h"

#include <sys/resource.h>

#include <algorithm>

using namespace lumarc::test;
using Rebuild = Cli;

namespace {

// Settings and items away from the defaults, a Windows-1252 title among them.
QByteArray handMadeProject()
{
    return projectBytes(
        {.destination = "C:\\out\\gallery",
         .items = {{"C:\\Photos\\sea.jpg", "sea", true, "Sea", "The sea", "http://example.com/sea", true, "more"},
                   {"D:/pics/hill.png", "hill", true, "Hill", "Hill"}},
         .columns = 3, .galleryTitle = "Caf\xe9 tour", .linkBase = "http://example.com/base/", .addParentLink = true});
}

QJsonObject infoJson(const Outcome &info)
{
    return QJsonDocument::fromJson(info.out.toUtf8()).object();
}

class Verify : public Cli {
protected:
    void SetUp() override
    {
        Cli::SetUp();
        ASSERT_TRUE(m_http.isListening());
        ASSERT_TRUE(writeAll(path("photos/a.jpg"), "jpeg") && writeAll(path("site/pages/a.html"), "<html>"));
    }

    QString web(const QString &page) { return m_http.server().url(page); }

    Outcome verify(const QStringList &args) { return lumarc(QStringList{"verify"} + args, {{}, {{"LUMARC_PROBE_URL", web("/probe")}}}); }
    static ItemSpec item(const QString &file, const QString &url = {}) { return {file.toUtf8(), {}, true, "Title", "Title", url.toUtf8()}; }

    ThreadedHttpTestServer m_http;
};

} // namespace

TEST_F(Cli, VersionHelpAndUnknownCommand)
{
    EXPECT_EQ(lumarc({"--version"}).code, 0);
    for (const char *command : {"build", "add", "info", "set", "export", "import", "verify"}) {
        const Outcome r = lumarc({command, "--help"});
        EXPECT_EQ(r.code, 0) << command;
        EXPECT_TRUE(r.out.startsWith("Usage: lumarc " + QString::fromLatin1(command))) << command;
    }
    const Outcome unknown = lumarc({"frobnicate", "now"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.err.contains("frobnicate"));

    // Every form of an option keeps working; a usage error says so with the command's usage.
    writeImage("one.jpg", 60, 40);
    for (const QStringList &form : {QStringList{"-j4", "-o", "a"}, {"-j", "4", "--output=b"}, {"--jobs=4", "--output", "c"}})
        EXPECT_EQ(lumarc(QStringList{"build", "one.jpg", "-q", "-y"} + form).code, 0) << form.join(' ').toStdString();
    const struct { QStringList args; const char *says; } wrong[] = {
        {{"build", "one.jpg", "-j0"}, "--jobs needs a number from 1 to 256"},
        {{"build", "one.jpg", "--jobs"}, "option '--jobs' needs a value"},
        {{"info", "--frob", "x.zeb"}, "unknown option '--frob'"},
    };
    for (const auto &w : wrong) {
        const Outcome r = lumarc(w.args);
        EXPECT_EQ(r.code, 2) << w.says;
        EXPECT_TRUE(r.err.contains(w.says) && r.err.contains("Try 'lumarc " + w.args.first() + " --help'"))
            << r.err.toStdString();
    }
}

// The layout itself is the project file's golden test; here the JSON names, a Windows-1252
// title and the -1/0 flags as read, and set refusing by name without touching the file.
TEST_F(Cli, InfoJsonShowsTheProjectAndSetChangesFieldsOrLeavesTheFileUntouched)
{
    ASSERT_TRUE(writeAll(path("trip.zeb"), handMadeProject()));
    const QByteArray before = readAll(path("trip.zeb"));
    QJsonObject root = infoJson(lumarc({"info", path("trip.zeb"), "--json"}));
    EXPECT_EQ(root["settings"].toObject()["gallery_title"].toString(), QString::fromUtf8("Café tour"));
    EXPECT_EQ(root["settings"].toObject().size(), 38);  // every named field, no reserved ones
    const QJsonArray images = root["images"].toArray();
    ASSERT_EQ(images.size(), 2);
    const QJsonObject sea = images[0].toObject();
    EXPECT_EQ(QStringList({sea["path"].toString(), sea["tooltip"].toString(), sea["link_text"].toString()}),
              QStringList({"C:\\Photos\\sea.jpg", "The sea", "more"}));
    EXPECT_EQ(sea["open_same_window"].toInt(), -1);
    EXPECT_EQ(images[1].toObject()["open_same_window"].toInt(), 0);

    // Each refusal names the field, and the value when the field exists.
    const std::pair<QStringList, QString> refused[] = {
        {{"columns=5", "colour=red"}, "'colour'"},
        {{"rows=many"}, "rows needs a whole number, not 'many'"},
        {{"title_color=red;}body{x:y"}, "title_color needs a colour such as #FF0000, #F00 or red, not 'red;}body{x:y'"},
        {{"title_align=x onclick=alert(1)"}, "title_align needs left, center or right, not 'x onclick=alert(1)'"},
        {{"cell_padding=1\" onclick=\"x"}, "cell_padding needs a whole number from 0 to 10000, not '1\" onclick=\"x'"},
    };
    for (const auto &[bad, message] : refused) {
        const Outcome r = lumarc(QStringList{"set", path("trip.zeb")} + bad);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
        EXPECT_EQ(readAll(path("trip.zeb")), before);
    }

    ASSERT_EQ(lumarc({"set", path("trip.zeb"), "columns=5", "gallery_title=Summer = fun", "title_align="}).code, 0);
    root = infoJson(lumarc({"info", path("trip.zeb"), "--json"}));
    const QJsonObject s = root["settings"].toObject();
    EXPECT_EQ(QList<QJsonValue>({s["columns"], s["gallery_title"], s["title_align"]}),
              QList<QJsonValue>({5, "Summer = fun", "center"}));
    EXPECT_EQ(root["images"], QJsonValue(images));
}

TEST_F(Cli, ExportNeverWritesOverItsProjectNorWithoutForceOverAnotherProjectOrSettingsFile)
{
    ASSERT_TRUE(writeAll(path("trip.zeb"), handMadeProject()) && writeAll(path("other.zeb"), handMadeProject()));
    ASSERT_TRUE(writeAll(path("copy.txt"), handMadeProject()) && writeAll(path("old.txt"), kZeb100 + "rest"));
    ASSERT_TRUE(writeAll(path("style.zes"), "anything") && QFile::link(path("trip.zeb"), path("link.txt")));
    ASSERT_TRUE(QDir().mkpath(path("sub")) && writeAll(path("notes.txt"), "notes"));
    const QString self = QStringLiteral("is the project being exported; nothing written");
    const QString other = QStringLiteral("is a project or settings file; nothing written (--force overwrites it)");
    const struct { QString target; bool force; QString says; } cases[] = {
        {path("trip.zeb"), true, self}, {path("sub/../trip.zeb"), true, self}, {path("link.txt"), true, self},
        {path("other.zeb"), false, other}, {path("copy.txt"), false, other},  // a project by its signature
        {path("old.txt"), false, other},                                      // the older layout's
        {path("style.zes"), false, other}, {path("new.zem"), false, other},
        {path("other.zeb"), true, {}}, {path("notes.txt"), false, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        QStringList args{"export", path("trip.zeb"), c.target};
        if (c.force)
            args.append("--force");
        const auto before = listing(m_tmp.path());
        const Outcome r = lumarc(args);
        if (c.says.isEmpty()) {
            EXPECT_EQ(r.code, 0) << r.err.toStdString();
            EXPECT_TRUE(readAll(c.target).startsWith("{\r\npath=C:\\Photos\\sea.jpg\r\n"));
            continue;
        }
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains(c.target + QStringLiteral(": ") + c.says)) << r.err.toStdString();
        EXPECT_EQ(listing(m_tmp.path()), before);
    }
    EXPECT_EQ(readAll(path("trip.zeb")), handMadeProject());

    // The exported list comes back as a new project with the default settings.
    ASSERT_EQ(lumarc({"import", path("notes.txt"), path("new.zeb")}).code, 0);
    const QJsonObject root = infoJson(lumarc({"info", path("new.zeb"), "--json"}));
    EXPECT_EQ(root["settings"].toObject()["columns"].toInt(), 4);
    EXPECT_EQ(root["images"], infoJson(lumarc({"info", path("trip.zeb"), "--json"}))["images"]);
}

TEST_F(Cli, AddCreatesProjectAndRefusesDuplicates)
{
    writeImage("in/b.jpg", 80, 60);
    writeImage("in/a.png", 40, 30);
    ASSERT_TRUE(writeAll(path("in/notes.txt"), "not an image"));
    const Outcome first = lumarc({"add", path("p.zeb"), path("in")});
    ASSERT_EQ(first.code, 0) << first.err.toStdString() << first.out.toStdString();
    const Outcome again = lumarc({"add", path("p.zeb"), path("in/b.jpg")});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.out.contains("already exist")) << again.out.toStdString();
    const QJsonArray images = infoJson(lumarc({"info", path("p.zeb"), "--json"}))["images"].toArray();
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(QStringList({images[0].toObject()["title"].toString(), images[1].toObject()["title"].toString()}),
              QStringList({"a", "b"}));  // sorted by name
}

TEST_F(Cli, BuildMakesGalleryAndRefusesNonEmptyFolderWithoutYes)
{
    writeImage("one.jpg", 400, 300);
    writeImage("two.jpg", 300, 400);
    const Outcome built = lumarc({"build", path("one.jpg"), path("two.jpg"), "-o", path("out"), "-q"});
    ASSERT_EQ(built.code, 0) << built.err.toStdString();
    for (const char *made : {"index.html", "photos/one.jpg", "thumbs/two.jpg", "library/zebstyle.css", "lightbox.js"})
        EXPECT_TRUE(QFile::exists(path("out/") + made)) << made;

    expectRefused({"build", path("one.jpg"), "-o", path("out")}, 3, "--yes", "out");
    const QByteArray page = readAll(path("out/index.html"));
    EXPECT_EQ(lumarc({"build", path("one.jpg"), "-o", path("out")}, {"n\n"}).code, 3);
    EXPECT_EQ(readAll(path("out/index.html")), page);

    EXPECT_EQ(lumarc({"build", path("one.jpg"), "-o", path("out"), "--yes", "-q"}).code, 0);
    EXPECT_FALSE(QFile::exists(path("out/photos/two.jpg")));

    // A project's relative destination lies beside the project, wherever lumarc was started;
    // -o stays relative to the working folder.
    ASSERT_TRUE(writeAll(path("trip/trip.zeb"), projectBytes({.destination = "web", .items = {{abs("one.jpg"), "one"}}})));
    EXPECT_EQ(lumarc({"build", "trip/trip.zeb", "-q"}).code, 0);
    EXPECT_TRUE(QFile::exists(path("trip/web/index.html")) && !QFile::exists(path("web")));
    EXPECT_EQ(lumarc({"build", "trip/trip.zeb", "-o", "here", "-q"}).code, 0);
    EXPECT_TRUE(QFile::exists(path("here/index.html")));
}

TEST_F(Cli, BuildNamesATruncatedJpegWithoutLibraryWarningsAndExitsWithOne)
{
    writeImage("photos/good.jpg", 800, 600, 40.0);  // cut in half, it ends mid-scan
    const QByteArray whole = readAll(path("photos/good.jpg"));
    ASSERT_GT(whole.size(), 10000);
    ASSERT_TRUE(writeAll(path("photos/cut.jpg"), whole.left(whole.size() / 2)));

    const Outcome r = lumarc({"build", path("photos"), "-o", path("out"), "-q"});
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("proc:NewImage/err2: ") && r.err.contains(path("photos/cut.jpg"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("good.jpg") || r.err.contains("VIPS")) << r.err.toStdString();
    for (const char *made : {"out/photos/good.jpg", "out/thumbs/good.jpg"})
        EXPECT_TRUE(QFile::exists(path(made))) << made;
    EXPECT_FALSE(QFile::exists(path("out/photos/cut.jpg")));
    // The page still has a cell for the broken one.
    EXPECT_TRUE(readAll(path("out/index.html")).contains("thumbs/cut.jpg"));
}

TEST_F(Cli, BadInputIsRefusedByNameBeforeAnythingIsWritten)
{
    writeImage("a.jpg", 50, 50);
    writeProject("trip.zeb", {.items = {{abs("a.jpg"), "a"}}, .columns = 0});
    for (const auto &[args, says] : {std::pair{QStringList{"build", "trip.zeb", "-o", "out"}, "columns"},
                                     {QStringList{"build", "nothing-here", "-o", "out"}, "nothing-here"},
                                     {QStringList{"import", "absent.txt", "new.zeb"}, "absent.txt"}})
        expectRefused(args, 2, says, ".");
}

// A shared project with values that would break out of the pages: the build uses the
// defaults and leaves the script link out, says so, and still succeeds.
TEST_F(Cli, BuildReplacesHostileValuesLeavesScriptLinksOutAndStillSucceeds)
{
    writeImage("in/rock&copy.jpg", 60, 40);
    QByteArray bytes = projectBytes({.items = {{abs("in/rock&copy.jpg"), "rock&copy", true, "Rock", "Rock", " javascript:alert(1)"}}});
    bytes.replace("normal", "x}*{y:");  // title_font_weight, same length
    bytes.replace("center", "c d=e>");  // title_align
    ASSERT_TRUE(writeAll(path("p.zeb"), bytes));
    ASSERT_EQ(lumarc({"set", path("p.zeb"), "add_image_links=1"}).code, 0);

    const Outcome r = lumarc({"build", path("p.zeb"), "-o", path("out"), "-q"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    for (const char *warning : {"lumarc: title_align: needs left, center or right, not 'c d=e>'; the gallery uses 'center'",
                                "lumarc: title_font_weight: ", "image 1: its link is a script address"})
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(warning))) << warning << "\n" << r.err.toStdString();
    // What the page and the style sheet hold instead is the page and style-sheet writers' tests'.
    EXPECT_FALSE(readAll(path("out/index.html")).contains("alert(1)"));
    EXPECT_TRUE(QFile::exists(path("out/photos/rock&copy.jpg")));
}

// A title or address can hold terminal controls: info, verify and every message show them
// as escapes, and JSON stays JSON.
TEST_F(Cli, ControlCharactersFromProjectsAreShownEscaped)
{
    writeProject("p.zeb", {.items = {{"C:\\a.jpg", "a", true, "T\x1b]0;x\x07\x7f", "tip", "http://x/\r\x1b[2Kok"}}});
    const Outcome info = lumarc({"info", path("p.zeb")});
    const Outcome verify = lumarc({"verify", path("p.zeb"), "--offline"});
    EXPECT_TRUE(info.out.contains("= T\\x1b]0;x\\x07\\u007f\n")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("= http://x/\\r\\x1b[2Kok\n")) << info.out.toStdString();
    EXPECT_TRUE(verify.err.contains("Not verified: http://x/\\r\\x1b[2Kok\n")) << verify.err.toStdString();
    for (const QString &shown : {info.out, verify.err})
        EXPECT_FALSE(shown.contains('\x1b') || shown.contains('\r') || shown.contains('\x07')) << shown.toStdString();
    const QJsonObject image = infoJson(lumarc({"info", path("p.zeb"), "--json"}))["images"].toArray()[0].toObject();
    EXPECT_EQ(image["title"].toString(), "T\x1b]0;x\x07\x7f");
}

// POSIX only: the limit is set with setrlimit() in the child before lumarc starts.
TEST_F(Cli, RunningOutOfFileHandlesIsSaidInTheSystemsWordsWithExit2Posix)
{
    writeImage("in/a.png", 300, 200);
    writeProject("trip.zeb", {.items = {{abs("in/a.png"), "a"}}});
    // From too few handles to read the project to enough for everything: each failure is the
    // system's, never the file's fault, and every run ends with 0 or 2.
    bool imageReported = false;  // some run got as far as the image and failed there
    for (const rlim_t limit : {4, 6, 8, 9, 10, 11, 12, 13, 14, 16, 64}) {
        SCOPED_TRACE(testing::Message() << limit << " handles");
        const Outcome r = lumarc({"build", path("trip.zeb"), "-o", path("out"), "-y", "-q"}, {{}, {}, [limit] {
                                     const struct rlimit value{limit, limit};
                                     ::setrlimit(RLIMIT_NOFILE, &value);
                                 }});
        if (r.code == 127)
            continue;  // too few for the dynamic loader to start lumarc at all
        EXPECT_TRUE(r.code == 0 || r.code == 2) << r.code << ": " << r.err.toStdString();
        for (const QString &line : r.err.split('\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(QStringLiteral("lumarc: "))) {  // not the libraries' own complaints
                EXPECT_TRUE(line.contains(QStringLiteral("Too many open files"))) << line.toStdString();
            }
            imageReported = imageReported || line.contains(QStringLiteral("in/a.png: Too many open files"));
        }
        if (limit == 64) {
            EXPECT_EQ(r.code, 0);
        }
    }
    EXPECT_TRUE(imageReported);
}

// The gallery's own folder is updated without a question; --clean asks and makes it all.
TEST_F(Rebuild, OwnGalleryIsUpdatedWithoutAQuestionAndCleanMakesItAll)
{
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        writeImage(QStringLiteral("src/") + name, 120, 80);
    const struct { const char *name; std::function<void()> before; QStringList extra; int code; const char *summary; } rows[] = {
        {"first", [] {}, {}, 0, "3 images: 3 made, 0 unchanged, 0 removed, "},
        {"again", [] {}, {}, 0, "3 images: 0 made, 3 unchanged, 0 removed, "},
        {"one gone", [&] { QFile::remove(path("src/c.jpg")); }, {}, 0, "2 images: 0 made, 2 unchanged, 1 removed, "},
        {"clean, not agreed", [] {}, {"--clean"}, 3, "use --yes"},
        {"clean", [] {}, {"--clean", "-y"}, 0, "2 images: 2 made, 0 unchanged, 0 removed, "},
        {"pages only", [] {}, {"--html-only"}, 0, "2 images: pages only, "},
        {"after pages only", [] {}, {}, 0, "2 images: 0 made, 2 unchanged, 0 removed, "},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        row.before();
        const Outcome run = lumarc(QStringList{"build", "src", "-o", "out"} + row.extra);
        EXPECT_EQ(run.code, row.code) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(row.summary))) << run.err.toStdString();
    }
    EXPECT_TRUE(QFile::exists(path("out/.lumarc-build.json")));
    EXPECT_FALSE(QFile::exists(path("out/photos/c.jpg")));
}

TEST_F(Verify, ReportsEachEntryThatIsNotValidAndExitsByWhatIsMissingWithTheBaseGiven)
{
    const QString photo = path("photos/a.jpg");
    const QString gone = path("photos/gone.jpg");
    const QString project = writeProject("trip.zeb", {.pageBackground = gone.toUtf8(),
                                                      .items = {item(photo, web("/ok.html")), item(gone), item(photo, web("/missing.html"))}});
    const QByteArray before = readAll(project);

    const Outcome r = verify({project});
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_EQ(r.err, QStringLiteral("lumarc: %1: image 2: Image not found: %2\n"
                                    "lumarc: %1: link 3: URL not found: %3\n"
                                    "lumarc: %1: page background: Image not found: %2\n")
                         .arg(project, gone, web("/missing.html")));
    EXPECT_EQ(r.out, "6 checked: 3 valid, 3 not found, 0 not verified\n");
    EXPECT_EQ(readAll(project), before);

    // Not verified is no failure: offline, the web links are only reported as such.
    writeProject("trip.zeb", {.items = {item(photo, web("/ok.html")), item(photo, "doc.pdf")}, .linkBase = "http://example.com/"});
    m_http.server().resetCounts();
    const Outcome offline = verify({project, "--offline"});
    EXPECT_EQ(offline.code, 0) << offline.err.toStdString();
    EXPECT_EQ(offline.err, QStringLiteral("lumarc: %1: link 1: Not verified: %2\n"
                                          "lumarc: %1: link 2: External link: not verifyed: doc.pdf\n")
                               .arg(project, web("/ok.html")));
    EXPECT_EQ(offline.out, "4 checked: 2 valid, 0 not found, 2 not verified\n");
    EXPECT_EQ(m_http.server().requestCount(), 0);

    // --base replaces the project's link base, here one that would find nothing.
    writeProject("trip.zeb", {.items = {item(photo, "../ok.html")}, .linkBase = "C:\\nowhere"});
    EXPECT_EQ(verify({project}).code, 1);  // C:/ok.html is no file here
    const Outcome based = verify({"--base", web("/sub/"), project});
    EXPECT_EQ(QStringList({QString::number(based.code), based.out}),
              QStringList({"0", "2 checked: 2 valid, 0 not found, 0 not verified\n"})) << based.err.toStdString();
}

TEST_F(Verify, JsonListsEveryEntryWithTheBaseAsUsed)
{
    const QString project = writeProject("trip.zeb", {.cellBackground = abs("photos/a.jpg"),
                                                      .items = {item(path("photos/a.jpg"), "pages/a.html"), item(path("photos/gone.jpg"))},
                                                      .linkBase = abs("site").replace('/', '\\')});  // a base written on Windows

    const Outcome r = verify({project, "--json"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const auto row = [](const char *kind, const char *source, QJsonValue index, const QString &address, const char *status) {
        return QJsonObject{{"kind", kind}, {"source", source}, {"index", index}, {"address", address}, {"status", status}};
    };
    const QJsonObject expected{
        {"project", project},
        {"linkBase", path("site")},
        {"rows", QJsonArray{row("image", "image", 1, path("photos/a.jpg"), "Validated"),
                            row("url", "link", 1, "pages/a.html", "Validated"),
                            row("image", "image", 2, path("photos/gone.jpg"), "Image not found"),
                            row("image", "cell background", QJsonValue(), path("photos/a.jpg"), "Validated")}},
        {"summary", QJsonObject{{"checked", 4}, {"valid", 3}, {"notFound", 1}, {"notVerified", 0}}},
    };
    EXPECT_EQ(QJsonDocument::fromJson(r.out.toUtf8()).object(), expected) << r.out.toStdString();
}

// Unknown options and missing values are the shared command-line tests'; every command reads
// a project the same way.
TEST_F(Verify, NeedsOneReadableProjectAndCountsAnEmptyOne)
{
    ASSERT_TRUE(writeAll(path("good.zeb"), projectBytes({})) && writeAll(path("junk.zeb"), "not a project"));
    const std::pair<QStringList, const char *> cases[] = {
        {{}, "missing PROJECT"}, {{"good.zeb", "good.zeb"}, "one PROJECT only"},
        {{"junk.zeb"}, "junk.zeb: Invalid ZEB file!"}, {{"absent.zeb"}, "absent.zeb"},
    };
    for (const auto &[args, says] : cases) {
        const Outcome r = verify(args);
        EXPECT_TRUE(r.code == 2 && r.err.contains(says) && r.out.isEmpty()) << r.err.toStdString();
    }
    EXPECT_EQ(verify({"good.zeb"}).out, "0 checked: 0 valid, 0 not found, 0 not verified\n");
}
