// The link rules (resolving, kinds of address, the local check, the rows of a project), and
// LinkChecker against a local HTTP server: statuses per kind of answer, the probe, offline
// runs, Stop, time-outs and the limit on checks in flight. Nothing here leaves the machine.

#include "verify/linkchecker.h"
#include "verify/linkrules.h"

#include "i18n/strings.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

#include "support/httptestserver.h"
#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::verify;
using test::HttpTestServer;

namespace {

// Takes https://127.0.0.1 to the test server over plain http and says so in a header, so
// that a redirect to https can be followed without TLS.
class LoopbackTlsManager : public QNetworkAccessManager {
protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request, QIODevice *data) override
    {
        QUrl url = request.url();
        if (url.scheme() != QLatin1String("https") || url.host() != QLatin1String("127.0.0.1"))
            return QNetworkAccessManager::createRequest(op, request, data);
        url.setScheme(QStringLiteral("http"));
        QNetworkRequest mapped(request);
        mapped.setUrl(url);
        mapped.setRawHeader("X-Forwarded-Proto", "https");
        return QNetworkAccessManager::createRequest(op, mapped, data);
    }
};

LinkRow link(const QString &address) { return {RowKind::Url, RowSource::ImageLink, 0, address, LinkStatus::NotVerified}; }
LinkRow image(const QString &path) { return {RowKind::Image, RowSource::ImagePath, 0, path, LinkStatus::NotVerified}; }

// Runs the event loop until `done` holds or `timeoutMs` passed; returns `done`.
bool spinUntil(const std::function<bool()> &done, int timeoutMs = 20000)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(5);
    if (!done())
        loop.exec();
    return done();
}

class LinkCheckerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        ASSERT_TRUE(test::writeAll(m_tmp.filePath("photo.jpg"), "jpeg"));
        // Four loopback hosts, because Qt opens at most six connections to one host.
        ASSERT_TRUE(m_server.listen(test::loopbackAddresses(4)));
        ASSERT_TRUE(m_probe.listen());
        setProbe(m_probe.url(QStringLiteral("/probe")));  // answers 404, which proves the network
        m_manager.setProxy(QNetworkProxy::NoProxy);
        m_checker.setNetworkAccessManager(&m_manager);
        QObject::connect(&m_checker, &LinkChecker::rowChecked, [this](int row, LinkStatus status) { m_emitted.append({row, status}); });
        QObject::connect(&m_checker, &LinkChecker::finished, [this](bool stopped) { m_finished.append(stopped); });
    }
    void TearDown() override { qunsetenv("LUMARC_PROBE_URL"); }

    static void setProbe(const QString &url) { qputenv("LUMARC_PROBE_URL", url.toUtf8()); }

    // Starts a run and waits for its end; false when it did not end.
    bool check(const QList<LinkRow> &rows, const QString &base = {})
    {
        m_emitted.clear();
        m_finished.clear();
        m_checker.start(rows, base);
        EXPECT_TRUE(m_finished.isEmpty()) << "finished() from inside start()";
        return spinUntil([this] { return !m_finished.isEmpty(); });
    }

    QList<LinkStatus> statuses() const
    {
        QList<LinkStatus> list;
        for (const LinkRow &row : m_checker.rows())
            list.append(row.status);
        return list;
    }

    QString local(const QString &name) const { return m_tmp.filePath(name); }
    // The i-th of distinct addresses of a 200 page, spread over the four hosts.
    QString spreadPage(int i) const
    {
        return m_server.url(QStringLiteral("/ok.html?n=%1").arg(i), QStringLiteral("127.0.0.%1").arg(1 + i % 4));
    }

    QCoreApplication &m_app = test::testApplication();  // before the manager, which needs it
    QTemporaryDir m_tmp;
    HttpTestServer m_server;
    HttpTestServer m_probe;
    LoopbackTlsManager m_manager;
    LinkChecker m_checker;  // declared last: gone before the manager and the servers
    QList<std::pair<int, LinkStatus>> m_emitted;
    QList<bool> m_finished;
};

} // namespace

TEST(LinkRules, ResolvesRelativeLinksAgainstTheBase)
{
    const auto none = std::nullopt;
    const struct { const char *base, *link; std::optional<QString> expected; } cases[] = {
        {"http://Host/a/b/", "../c.html", "http://host/a/c.html"},  // host lower-cased, path kept
        {"https://Host/A/b", "../C.html", "https://host/A/C.html"}, {"HTTP://host/a", "sub/", "http://host/a/sub"},
        {"www.Example.com/a", "b.html", "http://www.example.com/a/b.html"},
        {"http://host/a", "../../x.html", none},  // climbs above the host
        {"  http://host/a  ", " x.html ", "http://host/a/x.html"}, {"C:/web/site", "../x.html", "C:/web/x.html"},
        {"C:/web/site", "../../../x.html", none},  // climbs above the drive
        {"/photos/2020", "../x.html", "/photos/x.html"}, {"/photos/2020/", "../../x.html", "/x.html"},
        {"/photos", "../../x.html", none}, {"/", "x.html", "/x.html"},
        {"/home/u/My Site/", "Pages/Index.html", "/home/u/My Site/Pages/Index.html"},
        {"site", "x.html", "site/x.html"}, {"site", "../x.html", none}, {"", "x.html", none},
        {"http://host/", "", none}, {"   ", "x.html", none}, {"http://", "x.html", none},
    };
    for (const auto &c : cases)
        EXPECT_EQ(resolveRelativeUrl(QString::fromUtf8(c.base), QString::fromUtf8(c.link)), c.expected)
            << c.base << " + " << c.link;
}

TEST(LinkRules, TellsWebAddressesPagesLoadableFormsAndRedirectsToTheSameAddress)
{
    const struct { const char *text; bool external, page; } kinds[] = {
        {"http://x.com", true, false},  {"HTTPS://x.com/a.HTML", true, true}, {"Www.x.com/a.htm", true, true},
        {"ftp://x.com/a.html", false, true}, {"wwwx.com", false, false}, {"pages/a.html5", false, false},
        {"C:\\site\\INDEX.HTM", false, true},
    };
    for (const auto &k : kinds) {
        EXPECT_EQ(isExternalUrl(QString::fromUtf8(k.text)), k.external) << k.text;
        EXPECT_EQ(isHtmlPage(QString::fromUtf8(k.text)), k.page) << k.text;
    }

    EXPECT_EQ(loadableAddress("WWW.x.com/"), "http://WWW.x.com");
    EXPECT_EQ(loadableAddress("https://x.com/a//"), "https://x.com/a/");  // one slash only

    // A redirect ends on the same address only when it changes the scheme, a slash or www.
    const struct { const char *requested, *final; bool same; } redirects[] = {
        {"http://x.com/a", "https://x.com/a", true}, {"http://x.com/dir", "http://x.com/dir/", true},
        {"http://x.com/a/", "http://x.com/a", true}, {"http://x.com/a", "http://www.x.com/a", true},
        {"http://www.x.com/a", "https://x.com/a/", true}, {"http://X.com/A", "http://x.com/a", true},
        {"http://x.com/a", "http://x.com/b", false}, {"http://x.com/a", "http://y.com/a", false},
        {"http://x.com/a", "http://x.com/a//", false}, {"http://x.com/a", "http://x.com/a?lang=en", false},
        {"http://x.com/", "http://x.com/index.html", false},
    };
    for (const auto &c : redirects)
        EXPECT_EQ(isSameAddress(QString::fromUtf8(c.requested), QString::fromUtf8(c.final)), c.same)
            << c.requested << " -> " << c.final;
}

TEST(LinkRules, LocalCheckGivesEachStatus)
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    ASSERT_TRUE(test::writeAll(root + "/My Photos/Sea.JPG", "jpeg") && test::writeAll(root + "/Site/Pages/a.html", "<html>"));
    using enum RowKind;
    using enum LinkStatus;
    const struct { RowKind kind; QString address, base; LinkStatus status; QString webAddress = {}; } cases[] = {
        {Image, root + "/My Photos/Sea.JPG", {}, Validated}, {Image, root + "/My Photos\\Sea.JPG", {}, Validated},
        {Image, root + "/My Photos/sea.jpg", {}, ImageNotFound}, {Url, "sub/page.html", {}, RelativeUrlNotVerified},
        {Url, "doc.pdf", "http://host/docs/", ExternalLinkNotVerified}, {Url, "doc.pdf", {}, LinkNotFound},
        {Url, "doc.pdf", root + "/Site", LinkNotFound}, {Url, root + "/My Photos/Sea.JPG", {}, Validated},
        {Url, "Sea.JPG", root + "/My Photos/", Validated}, {Url, "Pages/a.html", root + "/Site", Validated},
        {Url, "../Site/Pages/a.html", root + "/My Photos", Validated}, {Url, "Pages/b.html", root + "/Site", LinkFileNotFound},
        {Url, "page.html", "http://Host/Dir/", NotVerified, "http://host/Dir/page.html"},
        {Url, "www.example.com/", {}, NotVerified, "http://www.example.com"},
        {Url, "https://example.com/a.pdf", root, NotVerified, "https://example.com/a.pdf"},
        // Absolute paths and file: addresses are checked as they are, whatever the base.
        {Url, root + "/Site/Pages/a.html", {}, Validated}, {Url, root + "/Site/Pages/a.html", root + "/My Photos", Validated},
        {Url, QUrl::fromLocalFile(root + "/Site/Pages/a.html").toString(), root, Validated},
        {Url, root + "/Site/Pages/b.html", {}, LinkFileNotFound},
        {Url, "/gallery/index.html", "http://host/", NotVerified, "http://host/gallery/index.html"},
    };
    for (const auto &c : cases) {
        const LocalCheck check = checkLocally({c.kind, RowSource::ImagePath, 0, c.address, LinkStatus::Validated}, c.base);
        EXPECT_EQ(check.status, c.status) << c.address.toStdString() << " on " << c.base.toStdString();
        EXPECT_EQ(check.webAddress, c.webAddress) << c.address.toStdString();
    }
}

TEST(LinkRules, CollectsImageRowsThenLinksThenSettingsRowsWhenNotEmpty)
{
    Project project;
    ImageItem item;
    for (const auto &[path, url] : {std::pair{"/p/a.jpg", "a.html"}, {"/p/b.jpg", ""}, {"/p/c.jpg", "http://x.com"}})
        item.path = QString::fromUtf8(path), item.url = QString::fromUtf8(url), project.images.append(item);
    project.settings.parentPageUrl = "../index.html";
    project.settings.cellBackgroundImage = "/p/cell.png";

    const char *sources[] = {"path", "link", "parent page", "page background", "cell background"};
    QStringList rows;
    for (const LinkRow &row : collectRows(project)) {
        rows << QStringLiteral("%1 %2 %3 %4 %5").arg(row.kind == RowKind::Image ? "image" : "url", sources[int(row.source)])
                    .arg(row.imageIndex).arg(row.address).arg(int(row.status));
    }
    EXPECT_EQ(rows, (QStringList{"image path 0 /p/a.jpg 0", "url link 0 a.html 0", "image path 1 /p/b.jpg 0",
                                 "image path 2 /p/c.jpg 0", "url link 2 http://x.com 0",
                                 "url parent page -1 ../index.html 0", "image cell background -1 /p/cell.png 0"}));
}

TEST(LinkRules, StatusTextsFollowTheLanguageButTheEnglishOnesDoNot)
{
    i18n::setLanguage(i18n::kGerman);
    EXPECT_EQ(statusText(LinkStatus::Validated), QString::fromUtf8("Geprüft"));
    EXPECT_EQ(englishStatusText(LinkStatus::Validated), "Validated");
    i18n::setLanguage(i18n::kEnglish);
    EXPECT_EQ(statusText(LinkStatus::LinkFileNotFound), "Link (file)not found");
}

TEST_F(LinkCheckerTest, GivesEachKindOfAnswerItsStatus)
{
    const struct { QString address; LinkStatus status; } cases[] = {
        {m_server.url("/ok.html"), LinkStatus::Validated},
        {m_server.url("/missing.html"), LinkStatus::UrlNotFound},
        {m_server.url("/moved.html"), LinkStatus::UrlNotFound},  // ends on another page
        {m_server.url("/secure.html"), LinkStatus::Validated},   // only moves to https
        {m_server.url("/dir"), LinkStatus::Validated},           // only adds the slash
        {m_server.url("/loop"), LinkStatus::UrlNotFound},
        {m_server.url("/drop"), LinkStatus::UrlNotFound},
        {m_server.url("/hang"), LinkStatus::UrlNotFound},  // times out
        {"../ok.html", LinkStatus::Validated},  // resolved against the base, then loaded
    };
    // Which rows are settled without loading them is the local check's table (link rules).
    QList<LinkRow> rows{image(local("gone.jpg"))};
    QList<LinkStatus> expected{LinkStatus::ImageNotFound};
    for (const auto &c : cases)
        rows.append(link(c.address)), expected.append(c.status);
    ASSERT_TRUE(check(rows, m_server.url("/sub/")));
    EXPECT_EQ(m_finished, QList<bool>{false});
    EXPECT_EQ(statuses(), expected);

    // One signal per row, carrying the status the row ended with.
    ASSERT_EQ(m_emitted.size(), rows.size());
    QList<LinkStatus> signalled(rows.size(), LinkStatus::NotVerified);
    for (const auto &[row, status] : m_emitted)
        signalled[row] = status;
    EXPECT_EQ(signalled, statuses());
}

TEST_F(LinkCheckerTest, WithoutNetworkWebRowsStayNotVerifiedAndLocalRowsAreChecked)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    const struct { const char *name; bool offline, probeRefused, webRows; } cases[] = {{"offline", true, false, true}, {"probe refused", false, true, true}, {"no web row", false, false, false}};
    for (const auto &c : cases) {
        m_checker.setOffline(c.offline);
        setProbe(c.probeRefused ? refused : m_probe.url("/probe"));
        QList<LinkRow> rows{image(local("photo.jpg")), image(local("gone.jpg"))};
        QList<LinkStatus> expected{LinkStatus::Validated, LinkStatus::ImageNotFound};
        if (c.webRows) {
            rows << link(m_server.url("/ok.html")) << link("www.example.com");
            expected << LinkStatus::NotVerified << LinkStatus::NotVerified;
        }
        m_probe.resetCounts();
        ASSERT_TRUE(check(rows)) << c.name;
        EXPECT_EQ(statuses(), expected) << c.name;
        EXPECT_EQ(m_server.requestCount() + m_probe.requestCount(), 0) << c.name;  // not even a probe
        EXPECT_EQ(m_finished, QList<bool>{false}) << c.name;
    }
}

// The next run after a stop with checks in flight is the stop-from-a-slot test's.
TEST_F(LinkCheckerTest, StopAbandonsChecksInFlight)
{
    m_server.setDelay(20000);
    QList<LinkRow> rows{image(local("photo.jpg"))};
    for (int i = 0; i < 12; ++i)
        rows.append(link(spreadPage(i)));

    m_checker.start(rows, {});
    ASSERT_TRUE(spinUntil([this] { return m_server.openRequests() == LinkChecker::kConcurrency; }));
    m_checker.stop();
    EXPECT_EQ(m_finished, QList<bool>{true});
    EXPECT_FALSE(m_checker.isRunning());
    QList<LinkStatus> expected(rows.size(), LinkStatus::NotVerified);
    expected[0] = LinkStatus::Validated;
    EXPECT_EQ(statuses(), expected);
    // The requests in flight are abandoned, not left open.
    EXPECT_TRUE(spinUntil([this] { return m_server.openRequests() == 0; }, 5000));
    spinUntil([] { return false; }, 100);  // nothing of the stopped run may still arrive
    EXPECT_EQ(m_emitted.size(), 1);
    EXPECT_EQ(m_finished.size(), 1);
}

TEST_F(LinkCheckerTest, AStopFromARowCheckedSlotEndsTheRunOnceAndTheNextRunCompletes)
{
    QList<LinkRow> rows{image(local("photo.jpg")), image(local("gone.jpg"))};
    QList<LinkStatus> expected(15, LinkStatus::Validated);
    expected[1] = LinkStatus::ImageNotFound;
    for (int i = 0; i < 13; ++i)
        rows.append(link(spreadPage(i % 12)));  // the last shares its answer with the first

    // The first row of kind stopAt to be checked stops the run.
    const struct { const char *name; RowKind stopAt; qsizetype emitted; } cases[] = {{"during local rows", RowKind::Image, 1}, {"during web answers", RowKind::Url, 3}};
    for (const auto &c : cases) {
        m_emitted.clear();
        m_finished.clear();
        qsizetype emittedAtFinish = -1;
        const auto atFinish = QObject::connect(&m_checker, &LinkChecker::finished, [&] { emittedAtFinish = m_emitted.size(); });
        const auto stopper = QObject::connect(&m_checker, &LinkChecker::rowChecked, [&](int row, LinkStatus) {
            if (m_checker.rows().at(row).kind == c.stopAt)
                m_checker.stop();
        });
        m_checker.start(rows, {});
        EXPECT_TRUE(spinUntil([this] { return !m_finished.isEmpty(); })) << c.name;
        spinUntil([] { return false; }, 300);  // nothing of the stopped run may still arrive
        QObject::disconnect(stopper);
        QObject::disconnect(atFinish);
        EXPECT_EQ(m_finished, QList<bool>{true}) << c.name;
        EXPECT_FALSE(m_checker.isRunning()) << c.name;
        EXPECT_EQ(m_emitted.size(), c.emitted) << c.name;
        EXPECT_EQ(emittedAtFinish, m_emitted.size()) << c.name << ": rowChecked after finished()";

        ASSERT_TRUE(check(rows)) << c.name;
        EXPECT_EQ(m_finished, QList<bool>{false}) << c.name;
        EXPECT_EQ(statuses(), expected) << c.name;
        EXPECT_EQ(m_emitted.size(), rows.size()) << c.name;
    }
}

// Qt opens six connections to one host: the first checks, all on one host, wait for one
// another, and each answer takes two of the three seconds a check may last. The later rows,
// spread over four hosts, fill the limit of checks in flight. Rows that share an address
// (a trailing slash makes no other one) share its one load and each get its answer.
TEST_F(LinkCheckerTest, LoadsEachAddressOnceKeepsAtMostTheConcurrencyLimitInFlightAndWaitsForABusyHost)
{
    m_server.setDelay(2000);
    QList<LinkRow> rows;
    for (int i = 0; i < 3 * LinkChecker::kConcurrency; ++i)
        rows.append(link(i < 12 ? m_server.url(QStringLiteral("/ok.html?n=%1").arg(i)) : spreadPage(i)));
    rows << rows.first() << link(m_server.url("/ok.html")) << link(m_server.url("/ok.html/"));
    ASSERT_TRUE(check(rows));
    EXPECT_EQ(statuses(), QList<LinkStatus>(rows.size(), LinkStatus::Validated));
    EXPECT_EQ(m_emitted.size(), rows.size());
    EXPECT_EQ(m_server.maxOpenRequests(), LinkChecker::kConcurrency);
    EXPECT_EQ(m_server.requestCount(), 3 * LinkChecker::kConcurrency + 1);
}

TEST_F(LinkCheckerTest, AHostileAnswerEndsItsCheckInTimeAndAnEndlessBodyIsCutOff)
{
    // An error page whose body never ends is no longer read once its status is known.
    ASSERT_TRUE(check({link(m_server.url("/endless")), link(m_server.url("/ok.html"))}));
    EXPECT_EQ(statuses(), (QList<LinkStatus>{LinkStatus::UrlNotFound, LinkStatus::Validated}));
    EXPECT_TRUE(spinUntil([this] { return m_server.streams() == 0; }, 5000));
    // Header lines that never end, each one a sign of life: the check ends by its own clock.
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(check({link(m_server.url("/header-flood"))}));
    EXPECT_EQ(statuses(), QList<LinkStatus>{LinkStatus::UrlNotFound});
    EXPECT_LT(clock.elapsed(), LinkChecker::kLinkTimeoutMs + 1500);
}
