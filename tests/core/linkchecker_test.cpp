// LinkChecker against a local HTTP server: statuses per kind of answer, the probe, offline
// runs, Stop, time-outs and the limit on checks in flight. Nothing here leaves the machine.

#include "verify/linkchecker.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkRequest>

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
