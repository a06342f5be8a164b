#include "testhttpserver.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

TestHttpServer::TestHttpServer(QObject *parent)
    : QObject(parent)
{
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("cannot listen on 127.0.0.1");
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++m_openConnections;
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                --m_openConnections;
                socket->deleteLater();
            });
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

QString TestHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void TestHttpServer::serve(const QByteArray &path, const QByteArray &response, Mode mode)
{
    m_routes.insert(path, { response, mode, {}, 0 });
}

void TestHttpServer::servePage(const QByteArray &path, const QByteArray &contentType,
                               const QByteArray &body)
{
    QByteArray response = "HTTP/1.1 200 OK\r\nConnection: close\r\n";
    if (!contentType.isEmpty())
        response += "Content-Type: " + contentType + "\r\n";
    serve(path,
          response + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

void TestHttpServer::serveRedirect(const QByteArray &path, const QByteArray &location)
{
    serve(path,
          "HTTP/1.1 302 Found\r\nLocation: " + location +
              "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

void TestHttpServer::serveStream(const QByteArray &path, const QByteArray &head,
                                 const QByteArray &piece, qint64 count)
{
    m_routes.insert(path, { head, Mode::Stream, piece, count });
}

void TestHttpServer::stream(QTcpSocket *socket, const Route &route)
{
    auto left = std::make_shared<qint64>(route.count);
    const auto writeMore = [socket, piece = route.piece, left] {
        if (socket->bytesToWrite() >= piece.size())
            return;
        if (*left == 0) {
            socket->disconnectFromHost();
            return;
        }
        --*left;
        socket->write(piece);
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, writeMore);
    writeMore();
}

void TestHttpServer::answer(QTcpSocket *socket)
{
    if (!socket->canReadLine())
        return;
    const QList<QByteArray> requestLine = socket->readLine().split(' ');
    socket->readAll();
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr); // one request per connection

    const QByteArray path = requestLine.value(1);
    const Route route =
        m_routes.value(path,
                       { "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
                         Mode::Answer,
                         {},
                         0 });
    if (route.mode == Mode::Silent)
        return;
    socket->write(route.response);
    if (route.mode == Mode::Stream) {
        stream(socket, route);
        return;
    }
    if (route.mode == Mode::Answer) {
        socket->disconnectFromHost();
        return;
    }
    auto *drip = new QTimer(socket);
    connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
    drip->start(20);
}
