#pragma once

// A small HTTP server for tests and benchmarks of network code, on loopback addresses and a
// free port. It answers one request per connection ("Connection: close") by the path,
// query ignored:
//
//   /ok.html, /dir/        200 with a short page
//   /missing.html          404            /error.html    500
//   /moved.html            301 to /ok.html
//   /secure.html           301 to the https:// form of itself, unless the request says it
//                          came over https ("X-Forwarded-Proto: https", which a test's
//                          network manager adds when it maps https:// onto this server)
//   /dir                   301 to /dir/   /loop          301 to itself
//   /hang                  never answers  /drop          closes the connection unanswered
//   /endless               404 whose body never ends
//   /header-flood          200 whose header lines never end
//   anything else          404
//
// The last two write as fast as the client reads; streams() counts those still being fed
// and streamedBytes() what they were sent.
// setDelay() holds back every answer. It counts requests and how many were open (read but
// not answered, the client still connected) at once. It lives in the thread that runs its
// event loop: the test's own, or a thread of its own (ThreadedHttpTestServer) when the
// test blocks, for example in QProcess::waitForFinished().

#include <QByteArray>
#include <QCoreApplication>
#include <QHostAddress>
#include <QList>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace lumarc::test {

// The test executable's one QCoreApplication, made on first use: event loops, timers and
// sockets need one, and GoogleTest's main does not make it.
inline QCoreApplication &testApplication()
{
    static int argc = 1;
    static char name[] = "lumarc_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);  // lives as long as the process
    return *QCoreApplication::instance();
}

inline QList<QHostAddress> loopbackAddresses(int count)
{
    QList<QHostAddress> addresses;
    for (int i = 1; i <= count; ++i)
        addresses.append(QHostAddress(QStringLiteral("127.0.0.%1").arg(i)));
    return addresses;
}

class HttpTestServer : public QObject {
public:
    // Listens on every address with one port number, so that url() works with any of them.
    bool listen(const QList<QHostAddress> &addresses = {QHostAddress(QHostAddress::LocalHost)})
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            close();
            quint16 port = 0;
            bool listening = true;
            for (const QHostAddress &address : addresses) {
                auto *server = new QTcpServer(this);
                if (!server->listen(address, port)) {
                    delete server;
                    listening = false;
                    break;
                }
                port = server->serverPort();
                connect(server, &QTcpServer::newConnection, this, [this, server] { accept(server); });
                m_servers.append(server);
            }
            if (listening) {
                m_port = port;
                return true;
            }
        }
        return false;
    }

    void close()
    {
        qDeleteAll(m_servers);
        m_servers.clear();
        m_port = 0;
    }

    quint16 port() const { return m_port; }
    QString url(const QString &path, const QString &host = QStringLiteral("127.0.0.1")) const
    {
        return QStringLiteral("http://%1:%2%3").arg(host).arg(m_port).arg(path);
    }

    void setDelay(int ms) { m_delay = ms; }
    int requestCount() const { return m_requests; }
    int openRequests() const { return m_open; }
    int maxOpenRequests() const { return m_maxOpen; }
    int streams() const { return m_streams; }
    qint64 streamedBytes() const { return m_streamed; }
    void resetCounts()
    {
        m_requests = 0;
        m_maxOpen = m_open.load();
    }

private:
    struct Connection {
        QByteArray received;
        bool open = false;  // a request read and not yet answered
        bool seen = false;
    };

    struct Answer {
        int status = 404;
        QByteArray location = {};
        enum { Reply, Hang, Drop, Endless, HeaderFlood } kind = Reply;
    };

    static Answer route(const QByteArray &path, const QByteArray &host, bool overHttps)
    {
        if (path == "/ok.html" || path == "/dir/")
            return {200};
        if (path == "/error.html")
            return {500};
        if (path == "/moved.html")
            return {301, "/ok.html"};
        if (path == "/secure.html")
            return overHttps ? Answer{200} : Answer{301, "https://" + host + path};
        if (path == "/dir")
            return {301, "/dir/"};
        if (path == "/loop")
            return {301, "/loop"};
        if (path == "/hang")
            return {0, {}, Answer::Hang};
        if (path == "/drop")
            return {0, {}, Answer::Drop};
        if (path == "/endless")
            return {404, {}, Answer::Endless};
        if (path == "/header-flood")
            return {200, {}, Answer::HeaderFlood};
        return {404};
    }

    static QByteArray response(const Answer &answer)
    {
        const QByteArray body = answer.status == 200 ? QByteArray("<html><body>page</body></html>\n")
                                                     : QByteArray("<html><body>no page</body></html>\n");
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status)
            + (answer.status == 200 ? " OK" : answer.status == 301 ? " Moved Permanently" : " Error") + "\r\n";
        head += "Content-Type: text/html\r\nConnection: close\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
        if (!answer.location.isEmpty())
            head += "Location: " + answer.location + "\r\n";
        return head + "\r\n" + body;
    }

    void accept(QTcpServer *server)
    {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            auto connection = std::make_shared<Connection>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, connection] { read(socket, connection); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket, connection] {
                closeRequest(*connection);
                socket->deleteLater();
            });
        }
    }

    void closeRequest(Connection &connection)
    {
        if (connection.open) {
            connection.open = false;
            --m_open;
        }
    }

    void read(QTcpSocket *socket, const std::shared_ptr<Connection> &shared)
    {
        Connection &connection = *shared;
        connection.received += socket->readAll();
        const qsizetype end = connection.received.indexOf("\r\n\r\n");
        if (connection.seen || end < 0)
            return;
        connection.seen = true;
        const QList<QByteArray> lines = connection.received.left(end).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        QByteArray path = requestLine.size() > 1 ? requestLine.at(1) : QByteArray("/");
        if (const qsizetype query = path.indexOf('?'); query >= 0)
            path.truncate(query);
        QByteArray host;
        bool overHttps = false;
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "host")
                host = value;
            else if (name == "x-forwarded-proto")
                overHttps = value == "https";
        }

        ++m_requests;
        connection.open = true;
        const int open = ++m_open;
        int highest = m_maxOpen;
        while (open > highest && !m_maxOpen.compare_exchange_weak(highest, open)) {
        }

        const Answer answer = route(path, host, overHttps);
        if (answer.kind == Answer::Hang)
            return;
        if (answer.kind == Answer::Drop) {
            closeRequest(connection);
            socket->abort();
            return;
        }
        if (answer.kind == Answer::Endless || answer.kind == Answer::HeaderFlood) {
            stream(socket, shared, answer.kind == Answer::Endless);
            return;
        }
        const auto send = [this, socket, shared, bytes = response(answer)] {
            if (!shared->open)
                return;  // the client gave up meanwhile
            closeRequest(*shared);
            socket->write(bytes);
            socket->disconnectFromHost();
        };
        if (const int delay = m_delay; delay > 0)
            QTimer::singleShot(delay, socket, send);  // dropped with the socket
        else
            send();
    }

    // Sends the start of the answer, then more of the same whenever the client has taken
    // what was sent, until it goes away.
    void stream(QTcpSocket *socket, const std::shared_ptr<Connection> &shared, bool body)
    {
        closeRequest(*shared);
        ++m_streams;
        const QByteArray piece = body ? QByteArray(16 * 1024, 'x') : QByteArray("X-Filler: 0123456789abcdef\r\n").repeated(512);
        const auto feed = [this, socket, piece] {
            while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 4 * piece.size()) {
                socket->write(piece);
                m_streamed += piece.size();
            }
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, feed);
        connect(socket, &QTcpSocket::disconnected, this, [this] { --m_streams; });
        socket->write(body ? QByteArray("HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n")
                           : QByteArray("HTTP/1.1 200 OK\r\n"));
        feed();
    }

    QList<QTcpServer *> m_servers;
    quint16 m_port = 0;
    std::atomic<int> m_delay = 0;
    std::atomic<int> m_requests = 0;
    std::atomic<int> m_open = 0;
    std::atomic<int> m_maxOpen = 0;
    std::atomic<int> m_streams = 0;
    std::atomic<qint64> m_streamed = 0;
};

// The server on a thread of its own, listening once constructed; stopped on destruction.
class ThreadedHttpTestServer {
public:
    explicit ThreadedHttpTestServer(const QList<QHostAddress> &addresses = {QHostAddress(QHostAddress::LocalHost)})
    {
        testApplication();
        m_server = new HttpTestServer;
        m_server->moveToThread(&m_thread);
        // Deleted in its own thread as that ends, with the sockets it owns.
        QObject::connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
        m_thread.start();
        QMetaObject::invokeMethod(m_server, [this, addresses] { m_listening = m_server->listen(addresses); },
                                  Qt::BlockingQueuedConnection);
    }
    ~ThreadedHttpTestServer()
    {
        m_thread.quit();
        m_thread.wait();
    }
    ThreadedHttpTestServer(const ThreadedHttpTestServer &) = delete;
    ThreadedHttpTestServer &operator=(const ThreadedHttpTestServer &) = delete;

    bool isListening() const { return m_listening; }
    // The counters and the delay are safe to use from any thread.
    HttpTestServer &server() { return *m_server; }

private:
    QThread m_thread;
    HttpTestServer *m_server = nullptr;
    bool m_listening = false;
};

} // namespace lumarc::test
