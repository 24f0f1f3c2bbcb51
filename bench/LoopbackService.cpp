#include "LoopbackService.h"

#include <QTcpServer>
#include <QTcpSocket>

LoopbackService::LoopbackService(QHash<QByteArray, QByteArray> answers) : m_answers(std::move(answers))
{
    start();
    m_port = m_portPromise.get_future().get();
}

LoopbackService::~LoopbackService()
{
    quit();
    wait();
}

void LoopbackService::run()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
                const QByteArray request = socket->peek(socket->bytesAvailable());
                if (!request.contains("\r\n\r\n"))
                    return;
                socket->readAll();
                const QByteArray path = request.split(' ').value(1).split('?').first();
                const QByteArray body = m_answers.value(path);
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                              "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    m_portPromise.set_value(server.serverPort());
    exec();
}
