#include "pagerequest.h"

#include "pagedecoder.h"
#include "zelversion.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace zel {

PageRequest::PageRequest(QNetworkAccessManager &manager, const QUrl &url, const Settings &settings,
                         QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(settings.maxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString(QStringLiteral("Zel/") + versionNumber()));

    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, [this] { stopWith(Stop::Deadline); });
    m_deadline.start(settings.timeout);

    m_reply = manager.get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &PageRequest::readHeaders);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageRequest::readBody);
    connect(m_reply, &QNetworkReply::finished, this, &PageRequest::finish);
}

PageRequest::~PageRequest()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    if (m_reply->isRunning())
        m_reply->abort();
    m_reply->deleteLater();
}

void PageRequest::readHeaders()
{
    m_httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!isSuccessStatus())
        return;
    m_contentType = m_reply->rawHeader("Content-Type");
    if (PageDecoder::isBinaryMediaType(m_contentType)) {
        stopWith(Stop::BinaryMediaType);
        return;
    }
    bool known = false;
    const qint64 announced =
        m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && announced > m_settings.maxBodySize)
        stopWith(Stop::TooLarge);
}

void PageRequest::readBody()
{
    if (m_stop == Stop::None && !keep(m_reply->readAll()))
        stopWith(Stop::TooLarge);
}

bool PageRequest::keep(const QByteArray &chunk)
{
    // The body of an error answer is not wanted; reading it keeps the transfer going.
    m_httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!isSuccessStatus())
        return true;
    if (chunk.size() > m_settings.maxBodySize - m_body.size())
        return false;
    m_body += chunk;
    return true;
}

void PageRequest::stopWith(Stop reason)
{
    if (m_finished || m_stop != Stop::None)
        return;
    m_stop = reason;
    m_body.clear();
    m_reply->abort(); // emits finished()
}

void PageRequest::finish()
{
    if (m_finished)
        return;
    if (m_stop == Stop::None && !keep(m_reply->readAll())) {
        m_stop = Stop::TooLarge;
        m_body.clear();
    }
    m_deadline.stop();
    m_httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_reasonPhrase = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute)
                         .toString()
                         .simplified()
                         .left(100);
    if (m_contentType.isEmpty())
        m_contentType = m_reply->rawHeader("Content-Type");
    m_error = m_reply->error();
    m_errorString = m_reply->errorString();
    m_finished = true;
    Q_EMIT finished();
}

} // namespace zel
