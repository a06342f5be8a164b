#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>

// A tiny HTTP server on 127.0.0.1 that answers each path with a canned
// response. Paths without a response get 404.
class TestHttpServer final : public QObject
{
    Q_OBJECT

public:
    enum class Mode {
        Answer, // write the response and close
        Silent, // read the request, never answer
        Trickle, // write the response, then one more byte every 20 ms
        Stream, // write the response, then the route's piece as the client reads
    };

    explicit TestHttpServer(QObject *parent = nullptr);

    QString url(const QString &path) const;
    void serve(const QByteArray &path, const QByteArray &response, Mode mode = Mode::Answer);
    // A 200 answer with the given Content-Type ("" for none) and body.
    void servePage(const QByteArray &path, const QByteArray &contentType, const QByteArray &body);
    void serveRedirect(const QByteArray &path, const QByteArray &location);
    // Writes `head`, then `piece` `count` times (without end when count < 0),
    // each as the client has taken the one before, so the server holds one
    // piece at a time.
    void serveStream(const QByteArray &path, const QByteArray &head, const QByteArray &piece,
                     qint64 count = -1);
    int openConnections() const { return m_openConnections; }

private:
    void answer(QTcpSocket *socket);

    struct Route
    {
        QByteArray response;
        Mode mode = Mode::Answer;
        QByteArray piece;
        qint64 count = 0;
    };
    void stream(QTcpSocket *socket, const Route &route);

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    int m_openConnections = 0;
};
