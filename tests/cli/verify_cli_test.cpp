// `lumarc verify` against hand-made projects and a local HTTP server on its own thread
// (the test blocks while lumarc runs).

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/clifixture.h"
#include "support/httptestserver.h"

using namespace lumarc::test;

namespace {

class Verify : public Cli {
protected:
    void SetUp() override
    {
        Cli::SetUp();
        ASSERT_TRUE(m_http.isListening());
        ASSERT_TRUE(writeAll(path("photos/a.jpg"), "jpeg"));
        ASSERT_TRUE(writeAll(path("site/pages/a.html"), "<html>"));
    }

    QString web(const QString &page) { return m_http.server().url(page); }

    Outcome verify(const QStringList &args) { return lumarc(QStringList{"verify"} + args, {{}, {{"LUMARC_PROBE_URL", web("/probe")}}}); }
    static ItemSpec item(const QString &file, const QString &url = {}) { return {file.toUtf8(), {}, true, "Title", "Title", url.toUtf8()}; }

    ThreadedHttpTestServer m_http;
};

} // namespace

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
