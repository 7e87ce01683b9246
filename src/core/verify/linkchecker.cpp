#include "verify/linkchecker.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace lumarc::verify {
namespace {

// Any page that is reliably up: the probe only asks whether the network answers at all.
const char kDefaultProbe[] = "http://example.com/";

bool isWebUrl(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty()
           && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

}  // namespace

QString LinkChecker::probeAddress()
{
    const QString fromEnvironment = qEnvironmentVariable("LUMARC_PROBE_URL");
    return fromEnvironment.isEmpty() ? QString::fromLatin1(kDefaultProbe) : fromEnvironment;
}

LinkChecker::LinkChecker(QObject *parent) : QObject(parent) {}

LinkChecker::~LinkChecker()
{
    // Replies belong to the manager, which may outlive us: none may call back into a
    // checker that is gone.
    for (Flight &flight : m_flights)
        release(flight);
}

void LinkChecker::setNetworkAccessManager(QNetworkAccessManager *manager) { m_manager = manager; }

void LinkChecker::setOffline(bool offline) { m_offline = offline; }

QNetworkAccessManager *LinkChecker::manager()
{
    if (m_manager)
        return m_manager;
    if (!m_ownManager)
        m_ownManager = new QNetworkAccessManager(this);
    return m_ownManager;
}

void LinkChecker::start(const QList<LinkRow> &rows, const QString &linkBase)
{
    stop();
    const quint64 generation = ++m_generation;
    m_running = true;
    m_rows = rows;
    for (LinkRow &row : m_rows)
        row.status = LinkStatus::NotVerified;
    m_waiting.clear();
    m_sameAddress.clear();

    // Galleries often give many images one link: each address is loaded once, and its
    // answer goes to every row that has it.
    QHash<QString, int> firstRowOf;
    for (int i = 0; i < m_rows.size(); ++i) {
        const LocalCheck local = checkLocally(m_rows.at(i), linkBase);
        if (!local.webAddress.isEmpty()) {
            m_rows[i].status = local.status;
            if (const auto first = firstRowOf.constFind(local.webAddress); first != firstRowOf.cend()) {
                m_sameAddress[*first].append(i);
            } else {
                firstRowOf.insert(local.webAddress, i);
                m_waiting.append({i, local.webAddress});
            }
            continue;
        }
        setStatus(i, local.status);
        if (!isCurrent(generation))
            return;
    }

    // The probe saves waiting for every web row in turn when the machine is offline.
    if (!m_waiting.isEmpty() && !m_offline) {
        launch(-1, QUrl(loadableAddress(probeAddress())), kProbeTimeoutMs);
        return;
    }
    if (!settleWaitingRows())
        return;
    // Queued, so that a caller can connect to finished() and enter its event loop first.
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (isCurrent(generation))
                finishRun(false);
        },
        Qt::QueuedConnection);
}

void LinkChecker::stop()
{
    if (!m_running)
        return;
    // Rows in flight never left NotVerified: a status is set only when a check lands.
    for (Flight &flight : m_flights)
        release(flight);
    m_flights.clear();
    m_waiting.clear();
    finishRun(true);
}

void LinkChecker::probeAnswered(bool connected)
{
    if (connected) {
        launchChecks();
        return;
    }
    if (settleWaitingRows())
        finishRun(false);
}

bool LinkChecker::settleWaitingRows()
{
    const quint64 generation = m_generation;
    const QList<std::pair<int, QString>> skipped = std::exchange(m_waiting, {});
    for (const auto &[row, address] : skipped) {
        settle(row, m_rows.at(row).status);
        if (!isCurrent(generation))
            return false;
    }
    return true;
}

void LinkChecker::launchChecks()
{
    const quint64 generation = m_generation;
    while (m_flights.size() < kConcurrency && !m_waiting.isEmpty()) {
        const auto [row, address] = m_waiting.takeFirst();
        const QUrl url(address);
        if (isWebUrl(url)) {
            launch(row, url, kLinkTimeoutMs);
            continue;
        }
        settle(row, LinkStatus::UrlNotFound);
        if (!isCurrent(generation))
            return;
    }
    if (m_flights.isEmpty() && m_waiting.isEmpty())
        finishRun(false);
}

void LinkChecker::launch(int row, const QUrl &url, int timeoutMs)
{
    const quint64 id = ++m_nextFlight;
    Flight flight;
    flight.row = row;
    flight.requested = url;
    flight.current = url;
    flight.timeoutMs = timeoutMs;
    // Our own timer, not setTransferTimeout(), which starts again with every byte received:
    // headers trickling in one line at a time would keep a check going for ever.
    flight.timer = new QTimer(this);
    flight.timer->setSingleShot(true);
    connect(flight.timer, &QTimer::timeout, this, [this, id] { land(id, LinkStatus::UrlNotFound); });
    flight.timer->start(std::max(timeoutMs, kQueueTimeoutMs));
    m_flights.insert(id, flight);
    request(id);
}

void LinkChecker::startClock(quint64 id)
{
    const auto it = m_flights.find(id);
    if (it == m_flights.end() || it->clockStarted)
        return;
    it->clockStarted = true;
    it->timer->start(it->timeoutMs);
}

void LinkChecker::request(quint64 id)
{
    Flight &flight = m_flights[id];
    QNetworkRequest request(flight.current);
    // Redirects are followed here, so that the address a load ends on can be judged.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Lumarc link checker"));
    QNetworkReply *reply = manager()->get(request);
    // Qt stops reading from the connection while this much is unread, so that a body that
    // never ends cannot fill memory before the reply is dropped.
    reply->setReadBufferSize(kReadBufferBytes);
    flight.reply = reply;
    // A new connection for this request, or an open one it was written to: either way it
    // no longer waits behind other requests to the same host.
    const auto sent = [this, id] { startClock(id); };
    connect(reply, &QNetworkReply::socketStartedConnecting, this, sent);
    connect(reply, &QNetworkReply::requestSent, this, sent);
    const auto headers = [this, id] { onHeaders(id); };
    connect(reply, &QNetworkReply::metaDataChanged, this, headers);
    connect(reply, &QIODevice::readyRead, this, headers);
    connect(reply, &QNetworkReply::finished, this, headers);
    if (reply->isFinished())
        QMetaObject::invokeMethod(this, headers, Qt::QueuedConnection);
}

void LinkChecker::onHeaders(quint64 id)
{
    const auto it = m_flights.find(id);
    if (it == m_flights.end() || !it->reply)
        return;
    Flight &flight = *it;
    QNetworkReply *reply = flight.reply;
    const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!code.isValid()) {
        // No HTTP answer: still waiting for the headers, or a network error.
        if (reply->isFinished())
            land(id, LinkStatus::UrlNotFound);
        return;
    }
    if (flight.row < 0) {
        land(id, LinkStatus::Validated);  // any answer, even 404, shows the network works
        return;
    }
    const int status = code.toInt();
    const QByteArray location = reply->rawHeader("Location");
    if (status >= 300 && status < 400 && !location.isEmpty()) {
        if (flight.hops >= kMaxRedirects) {
            land(id, LinkStatus::UrlNotFound);
            return;
        }
        ++flight.hops;
        flight.current = flight.current.resolved(QUrl(QString::fromUtf8(location)));
        flight.reply = nullptr;
        dropReply(reply);
        if (!isWebUrl(flight.current)) {
            land(id, LinkStatus::UrlNotFound);
            return;
        }
        request(id);
        return;
    }
    const bool answered = status >= 200 && status < 400;
    const bool same = isSameAddress(flight.requested.toString(), flight.current.toString());
    land(id, answered && same ? LinkStatus::Validated : LinkStatus::UrlNotFound);
}

void LinkChecker::land(quint64 id, LinkStatus status)
{
    const auto it = m_flights.find(id);
    if (it == m_flights.end())
        return;
    Flight flight = *it;
    m_flights.erase(it);
    release(flight);
    if (flight.row < 0) {
        probeAnswered(status == LinkStatus::Validated);
        return;
    }
    const quint64 generation = m_generation;
    settle(flight.row, status);
    if (isCurrent(generation))
        launchChecks();
}

void LinkChecker::release(Flight &flight)
{
    if (flight.reply)
        dropReply(std::exchange(flight.reply, nullptr));
    if (flight.timer) {
        flight.timer->stop();
        flight.timer->deleteLater();  // we may be inside its timeout()
        flight.timer = nullptr;
    }
}

void LinkChecker::dropReply(QNetworkReply *reply)
{
    reply->disconnect(this);
    if (reply->isFinished()) {
        reply->deleteLater();
        return;
    }
    // Every transfer is ended once its answer is known, error pages too: a body that never
    // ends would otherwise be read for as long as the server sends it. Deleting the reply
    // ends it; abort() would too, but on a reply that already holds an HTTP error it makes
    // Qt print a complaint about an internal problem on stderr.
    reply->deleteLater();
}

void LinkChecker::finishRun(bool stopped)
{
    m_running = false;
    Q_EMIT finished(stopped);
}

void LinkChecker::settle(int row, LinkStatus status)
{
    const quint64 generation = m_generation;
    setStatus(row, status);
    for (const int same : m_sameAddress.value(row)) {
        if (!isCurrent(generation))
            return;
        setStatus(same, status);
    }
}

void LinkChecker::setStatus(int row, LinkStatus status)
{
    m_rows[row].status = status;
    Q_EMIT rowChecked(row, status);
}

}  // namespace lumarc::verify
