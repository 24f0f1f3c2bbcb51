#pragma once

// A tiny HTTP server on 127.0.0.1 for the client tests: it serves a recorded answer
// per path, records every request it gets, can leave a request unanswered or hold it
// until the test releases it, and can frame an answer wrongly (a body cut short, or
// no framing at all).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <optional>
#include <utility>

struct RecordedAnswer
{
    // How the end of the body is marked: by its Content-Length, by chunks (`cutChunks`
    // leaves out the last, empty chunk), or only by closing the connection.
    enum class Framing { length, chunks, cutChunks, close };

    int status = 200;
    QByteArray body;
    bool hang = false; // never answer
    Framing framing = Framing::length;
    std::optional<qint64> declaredLength = {}; // a Content-Length other than the body's
    QByteArray location = {};                  // a Location header, for redirects
    bool keepOpen = false;                     // never close the connection after it
};

struct RecordedRequest
{
    QByteArray target; // path and query, as sent
    QByteArray userAgent;
};

class LoopbackServer : public QObject
{
public:
    LoopbackServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                    ++m_closed;
                    socket->deleteLater();
                });
            }
        });
    }

    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }
    quint16 port() const { return m_server.serverPort(); }
    void answer(const QByteArray &path, RecordedAnswer answer) { m_answers.insert(path, std::move(answer)); }
    // Requests to `path` wait, unanswered, until it is released; they are then given
    // the answer recorded for it at that time.
    void hold(const QByteArray &path) { m_held.insert(path); }
    void release(const QByteArray &path)
    {
        m_held.remove(path);
        const QList<QPair<QPointer<QTcpSocket>, QByteArray>> waiting = std::exchange(m_waiting, {});
        for (const auto &[socket, target] : waiting) {
            if (target != path)
                m_waiting.append({socket, target});
            else if (socket)
                respond(socket, target);
        }
    }
    // How many requests wait on a held path.
    qsizetype heldCount() const { return m_waiting.size(); }
    const QList<RecordedRequest> &requests() const { return m_requests; }
    // Connections that have closed, from either end.
    int closedConnections() const { return m_closed; }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = pending.left(end).split('\n');
        RecordedRequest request;
        request.target = lines.first().split(' ').value(1);
        for (const QByteArray &line : lines) {
            if (line.toLower().startsWith("user-agent:"))
                request.userAgent = line.mid(11).trimmed();
        }
        m_requests.append(request);
        m_pending.remove(socket);
        const QByteArray path = request.target.split('?').first();
        if (m_held.contains(path))
            m_waiting.append({socket, path});
        else
            respond(socket, path);
    }

    void respond(QTcpSocket *socket, const QByteArray &path)
    {
        const RecordedAnswer answer = m_answers.value(path, {404, "missing"});
        if (answer.hang)
            return;
        respond(socket, answer);
    }

    void respond(QTcpSocket *socket, const RecordedAnswer &answer)
    {
        QByteArray head =
            "HTTP/1.1 " + QByteArray::number(answer.status) + " Recorded\r\nConnection: close\r\n";
        if (!answer.location.isEmpty())
            head += "Location: " + answer.location + "\r\n";
        QByteArray body = answer.body;
        switch (answer.framing) {
        case RecordedAnswer::Framing::length:
            head +=
                "Content-Length: " + QByteArray::number(answer.declaredLength.value_or(body.size())) + "\r\n";
            break;
        case RecordedAnswer::Framing::chunks:
        case RecordedAnswer::Framing::cutChunks:
            head += "Transfer-Encoding: chunked\r\n";
            body = QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n";
            if (answer.framing == RecordedAnswer::Framing::chunks)
                body += "0\r\n\r\n";
            break;
        case RecordedAnswer::Framing::close: break;
        }
        socket->write(head + "\r\n" + body);
        if (!answer.keepOpen)
            socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, RecordedAnswer> m_answers;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QSet<QByteArray> m_held;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> m_waiting;
    QList<RecordedRequest> m_requests;
    int m_closed = 0;
};
