#pragma once

#include "pagebody.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>

class QNetworkAccessManager;

namespace zel {

class BodyUnpacker;

// One GET of a page, from the request to the last byte, with an overall
// deadline and a limit on the body. Emits finished() once, however it ends;
// destroying it stops a transfer that is still running.
class PageRequest final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageRequest)

public:
    // Why the request was stopped on our side, if it was.
    enum class Stop {
        None,
        Deadline, // the whole request took longer than the time-out
        TooLarge, // the body is over the limit
        BinaryMediaType, // the headers announce a picture, an archive, ...
        BadPacking // packed in an unknown way, or damaged
    };

    // What Qt may hold of the body that we have not taken yet.
    static constexpr qint64 kReadBufferSize = 1024 * 1024;

    struct Settings
    {
        std::chrono::milliseconds timeout {};
        qint64 maxBodySize = 0;
        int maxRedirects = 0;
    };

    PageRequest(QNetworkAccessManager &manager, const QUrl &url, const Settings &settings,
                QObject *parent = nullptr);
    ~PageRequest() override;

    bool isFinished() const { return m_finished; }
    Stop stop() const { return m_stop; }
    QNetworkReply::NetworkError error() const { return m_error; }
    const QString &errorString() const { return m_errorString; }
    int httpStatus() const { return m_httpStatus; }
    const QString &reasonPhrase() const { return m_reasonPhrase; }
    const QByteArray &contentType() const { return m_contentType; }
    // The body, in pieces (see PageBody); the request keeps none of it.
    QByteArrayList takeBody() { return m_body.take(); }
    // How the server packed the body ("gzip", "deflate", ...), empty when it
    // did not. The limit holds the body as unpacked.
    const QByteArray &encoding() const { return m_encoding; }

Q_SIGNALS:
    void finished();

private:
    bool isSuccessStatus() const { return m_httpStatus >= 200 && m_httpStatus < 300; }
    void readHeaders();
    void readBody();
    // Adds a piece of the body; tells why not when it cannot.
    Stop keep(const QByteArray &chunk);
    void stopWith(Stop reason);
    void finish();

    Settings m_settings;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    bool m_finished = false;
    Stop m_stop = Stop::None;
    QNetworkReply::NetworkError m_error = QNetworkReply::NoError;
    QString m_errorString;
    int m_httpStatus = 0;
    QString m_reasonPhrase;
    QByteArray m_contentType;
    QByteArray m_encoding;
    std::unique_ptr<BodyUnpacker> m_unpacker;
    PageBody m_body;
};

} // namespace zel
