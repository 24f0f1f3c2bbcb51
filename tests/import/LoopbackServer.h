#pragma once

// A tiny HTTP server on 127.0.0.1 for the client tests: it serves a recorded answer
// per path, records every request it gets, and can leave a request unanswered.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

struct RecordedAnswer
{
    int status = 200;
    QByteArray body;
    bool hang = false; // never answer
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
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }

    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }
    void answer(const QByteArray &path, RecordedAnswer answer) { m_answers.insert(path, std::move(answer)); }
    const QList<RecordedRequest> &requests() const { return m_requests; }

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
        const RecordedAnswer answer = m_answers.value(request.target.split('?').first(), {404, "missing"});
        if (answer.hang)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(answer.status) + " Recorded\r\nContent-Length: " +
                      QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n" + answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, RecordedAnswer> m_answers;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QList<RecordedRequest> m_requests;
};
