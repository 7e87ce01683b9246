#pragma once

// A small HTTP server on loopback addresses and a free port, for tests and benchmarks. One
// request per connection, answered by the path (query ignored): /ok.html and /dir/ 200;
// /moved.html 301 to /ok.html; /dir 301 to /dir/; /loop 301 to itself; /secure.html 301 to
// its https:// form unless the request carries "X-Forwarded-Proto: https"; /hang never
// answers; /drop closes unanswered; /endless a 404 body and /header-flood 200 header lines
// that never end (streams() counts those being fed); anything else 404. setDelay() holds
// back every answer. ThreadedHttpTestServer runs it on a thread of its own for tests that
// block, such as in QProcess::waitForFinished().

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

// The test executable's one QCoreApplication, made on first use (GoogleTest's main has none).
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
            for (const QHostAddress &address : addresses) {
                auto *server = new QTcpServer(this);
                m_servers.append(server);
                if (!server->listen(address, m_port))
                    break;
                m_port = server->serverPort();
                connect(server, &QTcpServer::newConnection, this, [this, server] { accept(server); });
            }
            if (m_servers.last()->isListening())
                return true;
        }
        return false;
    }
    void close()
    {
        qDeleteAll(m_servers);
        m_servers.clear();
        m_port = 0;
    }

    QString url(const QString &path, const QString &host = QStringLiteral("127.0.0.1")) const
    {
        return QStringLiteral("http://%1:%2%3").arg(host).arg(m_port).arg(path);
    }
    void setDelay(int ms) { m_delay = ms; }
    int requestCount() const { return m_requests; }
    int openRequests() const { return m_open; }
    int maxOpenRequests() const { return m_maxOpen; }
    int streams() const { return m_streams; }
    void resetCounts() { m_requests = 0, m_maxOpen = m_open.load(); }

private:
    struct Connection {
        QByteArray received;
        bool open = false, seen = false;  // open: read and not yet answered
    };

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
        if (connection.open)
            connection.open = false, --m_open;
    }

    void read(QTcpSocket *socket, const std::shared_ptr<Connection> &shared)
    {
        shared->received += socket->readAll();
        const qsizetype end = shared->received.indexOf("\r\n\r\n");
        if (shared->seen || end < 0)
            return;
        shared->seen = true;
        const QByteArray head = shared->received.left(end);
        QByteArray path = head.split('\r').first().split(' ').value(1, "/");
        path.truncate(path.indexOf('?') < 0 ? path.size() : path.indexOf('?'));
        ++m_requests;
        shared->open = true;
        if (const int open = ++m_open; open > m_maxOpen)
            m_maxOpen = open;

        int status = 404;
        QByteArray location;
        if (path == "/ok.html" || path == "/dir/")
            status = 200;
        else if (path == "/moved.html" || path == "/dir" || path == "/loop")
            status = 301, location = path == "/moved.html" ? "/ok.html" : path == "/dir" ? "/dir/" : "/loop";
        else if (path == "/secure.html" && !head.toLower().contains("\nx-forwarded-proto: https"))
            status = 301, location = "https://" + socket->localAddress().toString().toLatin1() + ':'
                + QByteArray::number(m_port) + path;
        else if (path == "/secure.html")
            status = 200;
        else if (path == "/hang")
            return;
        else if (path == "/drop")
            return closeRequest(*shared), socket->abort();
        else if (path == "/endless" || path == "/header-flood")
            return stream(socket, shared, path == "/endless");

        const QByteArray body = status == 200 ? "<html><body>page</body></html>\n" : "<html><body>no page</body></html>\n";
        QByteArray bytes = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : status == 301 ? " Moved" : " Error")
            + "\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
        if (!location.isEmpty())
            bytes += "Location: " + location + "\r\n";
        const auto send = [this, socket, shared, bytes = bytes + "\r\n" + body] {
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

    // The start of the answer, then more whenever the client has taken it, until it goes away.
    void stream(QTcpSocket *socket, const std::shared_ptr<Connection> &shared, bool body)
    {
        closeRequest(*shared);
        ++m_streams;
        const QByteArray piece = body ? QByteArray(16 * 1024, 'x') : QByteArray("X-Filler: 0123456789abcdef\r\n").repeated(512);
        const auto feed = [socket, piece] {
            while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 4 * piece.size())
                socket->write(piece);
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, feed);
        connect(socket, &QTcpSocket::disconnected, this, [this] { --m_streams; });
        socket->write(body ? "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n" : "HTTP/1.1 200 OK\r\n");
        feed();
    }

    QList<QTcpServer *> m_servers;
    quint16 m_port = 0;
    std::atomic<int> m_delay = 0, m_requests = 0, m_open = 0, m_maxOpen = 0, m_streams = 0;
};

// The server on a thread of its own, listening once constructed; stopped on destruction.
class ThreadedHttpTestServer {
public:
    explicit ThreadedHttpTestServer(const QList<QHostAddress> &addresses = {QHostAddress(QHostAddress::LocalHost)})
    {
        testApplication();
        m_server->moveToThread(&m_thread);
        // Deleted in its own thread as that ends, with the sockets it owns.
        QObject::connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
        m_thread.start();
        QMetaObject::invokeMethod(m_server, [this, addresses] { m_listening = m_server->listen(addresses); },
                                  Qt::BlockingQueuedConnection);
    }
    ~ThreadedHttpTestServer() { m_thread.quit(), m_thread.wait(); }

    bool isListening() const { return m_listening; }
    // The counters and the delay are safe to use from any thread.
    HttpTestServer &server() { return *m_server; }

private:
    QThread m_thread;
    HttpTestServer *m_server = new HttpTestServer;
    bool m_listening = false;
};

} // namespace lumarc::test
