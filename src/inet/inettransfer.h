#pragma once

#include "status.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

#include <chrono>

namespace zel {

class PageRequest;

// Fetches the body of a web page for the ticker, in place of an Internet
// transfer control: one synchronous request per call.
class InetTransfer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InetTransfer)

public:
    static constexpr std::chrono::seconds kTimeout { 30 }; // whole request, redirects included
    static constexpr qint64 kMaxBodySize = qint64(64) << 20; // 64 MiB
    static constexpr int kMaxRedirects = 10;

    explicit InetTransfer(QObject *parent = nullptr);

    void setTimeout(std::chrono::milliseconds timeout); // for tests only
    void setMaxBodySize(qint64 bytes); // for tests only

    // Fetches the body of `url`. Synchronous to the caller: a local event loop
    // runs that keeps windows repainting but takes no user input.
    // isText false: the body is not text (a picture, an archive) and `body`
    // is empty. Every failure names the address and the cause. On failure
    // `body` and `isText` are left as they were.
    Status OpenURL(const QString &url, QString &body, bool &isText);

private:
    Status failureOf(const QString &address, const PageRequest &request) const;

    QNetworkAccessManager m_manager;
    std::chrono::milliseconds m_timeout = kTimeout;
    qint64 m_maxBodySize = kMaxBodySize;
    bool m_busy = false;
};

} // namespace zel
