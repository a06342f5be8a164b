#include "inettransfer.h"

#include "bodyunpacker.h"
#include "loadfailure.h"
#include "pagedecoder.h"
#include "pagerequest.h"
#include "webaddress.h"

#include <QEventLoop>
#include <QScopeGuard>

namespace zel {

namespace {

// Why a request that Qt ended with `error` failed, where the HTTP status
// does not tell it better.
QString networkCause(QNetworkReply::NetworkError error, const QString &errorString)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("the server refused the connection");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("the server closed the connection before the page was complete");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("no host of that name was found");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("the server did not answer in time");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("no secure connection could be made (%1)").arg(errorString);
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("the network is not available");
    default:
        return QStringLiteral("the transfer failed (%1)").arg(errorString);
    }
}

} // namespace

InetTransfer::InetTransfer(QObject *parent)
    : QObject(parent)
{ }

void InetTransfer::setTimeout(std::chrono::milliseconds timeout)
{
    m_timeout = timeout;
}

void InetTransfer::setMaxBodySize(qint64 bytes)
{
    m_maxBodySize = bytes;
}

Status InetTransfer::OpenURL(const QString &url, QString &body, bool &isText)
{
    if (m_busy)
        return loadFailure(url, QStringLiteral("another page is still being loaded"));
    QUrl address;
    ZEL_TRY(WebAddress::parse(url, address));

    m_busy = true;
    const auto notBusy = qScopeGuard([this] { m_busy = false; });

    PageRequest request(m_manager, address, { m_timeout, m_maxBodySize, kMaxRedirects });
    if (!request.isFinished()) {
        QEventLoop loop;
        connect(&request, &PageRequest::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    if (request.stop() == PageRequest::Stop::BinaryMediaType) {
        body.clear();
        isText = false;
        return Status::ok();
    }
    ZEL_TRY(failureOf(url, request));

    TextDecoder::Result decoded = PageDecoder::decode(request.takeBody(), request.contentType());
    isText = decoded.isText;
    body = decoded.isText ? std::move(decoded.text) : QString();
    return Status::ok();
}

Status InetTransfer::failureOf(const QString &address, const PageRequest &request) const
{
    switch (request.stop()) {
    case PageRequest::Stop::Deadline:
        return loadFailure(
            address,
            QStringLiteral("the page did not arrive within %1").arg(durationText(m_timeout)));
    case PageRequest::Stop::TooLarge:
        return loadFailure(address,
                           (request.encoding().isEmpty()
                                ? QStringLiteral("the page is larger than %1")
                                : QStringLiteral("the page unpacks to more than %1"))
                               .arg(sizeText(m_maxBodySize)));
    case PageRequest::Stop::BadPacking:
        return loadFailure(address,
                           BodyUnpacker::unpacks(request.encoding())
                               ? QStringLiteral("the page came packed (%1), and the packed data "
                                                "is damaged or cut short")
                                     .arg(QString::fromLatin1(request.encoding()))
                               : QStringLiteral("the page came packed in a way that cannot be "
                                                "unpacked (%1)")
                                     .arg(QString::fromLatin1(request.encoding())));
    case PageRequest::Stop::BinaryMediaType:
    case PageRequest::Stop::None:
        break;
    }

    switch (request.error()) {
    case QNetworkReply::TooManyRedirectsError:
        return loadFailure(
            address, QStringLiteral("the server redirected more than %1 times").arg(kMaxRedirects));
    case QNetworkReply::InsecureRedirectError:
        return loadFailure(address,
                           QStringLiteral("the server redirected from a secure (https) "
                                          "address to an insecure (http) one"));
    case QNetworkReply::ProtocolUnknownError:
        return loadFailure(address,
                           QStringLiteral("the server redirected to an address that is "
                                          "not http or https"));
    default:
        break;
    }

    const int status = request.httpStatus();
    if (status != 0 && (status < 200 || status >= 300)) {
        const QString answer = request.reasonPhrase().isEmpty()
            ? QString::number(status)
            : QStringLiteral("%1 %2").arg(status).arg(request.reasonPhrase());
        return loadFailure(address, QStringLiteral("the server answered %1").arg(answer));
    }
    if (request.error() != QNetworkReply::NoError)
        return loadFailure(address, networkCause(request.error(), request.errorString()));
    return Status::ok();
}

} // namespace zel
