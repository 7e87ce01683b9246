#pragma once

// Checks the rows of a project's links and image files: the file-system checks at once,
// then, when the network answers a probe, the web addresses a few at a time. Asynchronous
// on the thread it lives in: the desktop dialog runs it in the GUI thread, `lumarc verify`
// in a local event loop.

#include "verify/linkrules.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace lumarc::verify {

class LinkChecker : public QObject {
    Q_OBJECT
public:
    static constexpr int kConcurrency = 8;  // network checks in flight at once
    // Whole check of one link, redirects included, counted from when its request leaves Qt's
    // queue: Qt opens at most six connections to one host, and the others wait their turn.
    static constexpr int kLinkTimeoutMs = 3000;
    // A request still waiting in that queue after this long is given up as well.
    static constexpr int kQueueTimeoutMs = 30000;
    // What a reply may hold unread: a check needs the status line and the headers only.
    static constexpr qint64 kReadBufferBytes = 64 * 1024;
    static constexpr int kProbeTimeoutMs = 5000;
    static constexpr int kMaxRedirects = 10;

    // LUMARC_PROBE_URL when it is set and not empty, else a reliable public page.
    static QString probeAddress();

    explicit LinkChecker(QObject *parent = nullptr);
    ~LinkChecker() override;

    // Loads through `manager` (not owned; it must outlive the checker) instead of a manager
    // of its own. Only between runs.
    void setNetworkAccessManager(QNetworkAccessManager *manager);
    // Offline: no probe and no network checks; web rows keep "not verified".
    void setOffline(bool offline);

    // Sets every row to NotVerified, checks the local rows at once (rowChecked for each),
    // then probes the network and checks the web rows. A run still going is stopped first.
    void start(const QList<LinkRow> &rows, const QString &linkBase);
    // Abandons the checks in flight (their rows stay NotVerified) and starts no more;
    // finished(true) is emitted before it returns. Nothing happens when no run is going.
    void stop();

    bool isRunning() const { return m_running; }
    const QList<LinkRow> &rows() const { return m_rows; }

Q_SIGNALS:
    // A row's check ended with `status`. Rows that a stop left unchecked get none.
    void rowChecked(int row, lumarc::verify::LinkStatus status);
    // Every run ends with exactly one of these, never from inside the start() that began
    // it (a start() during a run does emit the earlier run's finished(true)).
    void finished(bool stopped);

private:
    // One address being loaded: the probe (row -1) or a row's check, across its redirects.
    struct Flight {
        int row = -1;
        QUrl requested;
        QUrl current;
        int hops = 0;
        QNetworkReply *reply = nullptr;
        QTimer *timer = nullptr;
        bool clockStarted = false;  // the request has left Qt's queue: the time limit runs
        int timeoutMs = 0;
    };

    QNetworkAccessManager *manager();
    // False once the run of that generation is stopped or replaced: a slot connected to
    // rowChecked may do either while we emit.
    bool isCurrent(quint64 generation) const { return m_running && m_generation == generation; }
    void probeAnswered(bool connected);
    // Web rows that will not be loaded get their offline status. False when a slot
    // connected to rowChecked ended the run meanwhile.
    bool settleWaitingRows();
    void launchChecks();
    void launch(int row, const QUrl &url, int timeoutMs);
    void request(quint64 id);
    void startClock(quint64 id);
    void onHeaders(quint64 id);
    void onTimeout(quint64 id);
    void land(quint64 id, LinkStatus status);
    void release(Flight &flight);
    void dropReply(QNetworkReply *reply);
    void finishRun(bool stopped);
    // The row's status, and the same for the rows that share its address.
    void settle(int row, LinkStatus status);
    void setStatus(int row, LinkStatus status);

    QNetworkAccessManager *m_ownManager = nullptr;
    QNetworkAccessManager *m_manager = nullptr;
    bool m_offline = false;
    bool m_running = false;
    quint64 m_generation = 0;  // tells a run's queued calls from a later run's
    quint64 m_nextFlight = 0;
    QList<LinkRow> m_rows;
    QList<std::pair<int, QString>> m_waiting;  // rows still to load, with their addresses
    QHash<int, QList<int>> m_sameAddress;      // a loaded row -> later rows with its address
    QHash<quint64, Flight> m_flights;
};

}  // namespace lumarc::verify
