#include "pagerequest.h"

#include "bodyunpacker.h"
#include "pagedecoder.h"
#include "zelversion.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace zel {

PageRequest::PageRequest(QNetworkAccessManager &manager, const QUrl &url, const Settings &settings,
                         QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_body(settings.maxBodySize)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(settings.maxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // Over HTTP/2 Qt gives the server more credit as data arrive, not as we
    // read them, so the read buffer below bounds nothing there: while we are
    // busy, Qt's network thread holds all the server sends. A single GET
    // gains nothing from HTTP/2, and servers that offer it offer HTTP/1.1 too.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // Asking for packed pages ourselves keeps Qt from unpacking them: Qt
    // unpacks all it has received at once, and its check on the packing ratio
    // refuses long pages of repeated text. We unpack as we read, within the
    // limit.
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString(QStringLiteral("Zel/") + versionNumber()));

    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, [this] { stopWith(Stop::Deadline); });
    m_deadline.start(settings.timeout);

    m_reply = manager.get(request);
    // Without a bound Qt's network thread reads ahead of us as fast as the
    // server sends, however far beyond the limit.
    m_reply->setReadBufferSize(kReadBufferSize);
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
    m_encoding = m_reply->rawHeader("Content-Encoding").trimmed();
    if (m_encoding.compare("identity", Qt::CaseInsensitive) == 0)
        m_encoding.clear();
    if (!m_encoding.isEmpty() && !m_unpacker) {
        if (!BodyUnpacker::unpacks(m_encoding)) {
            stopWith(Stop::BadPacking);
            return;
        }
        m_unpacker = std::make_unique<BodyUnpacker>(m_encoding);
    }
    bool known = false;
    const qint64 announced =
        m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && announced > m_settings.maxBodySize)
        stopWith(Stop::TooLarge);
}

void PageRequest::readBody()
{
    if (m_stop == Stop::None)
        stopWith(keep(m_reply->readAll()));
}

PageRequest::Stop PageRequest::keep(const QByteArray &chunk)
{
    // The body of an error answer is not wanted; reading it keeps the transfer going.
    m_httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!isSuccessStatus())
        return Stop::None;
    if (!m_unpacker)
        return m_body.append(chunk) ? Stop::None : Stop::TooLarge;
    m_unpacker->feed(chunk);
    Stop stop = Stop::None;
    while (stop == Stop::None && m_unpacker->hasMore()) {
        stop = m_body.grow([this](QByteArray &piece, qint64 room) {
            switch (m_unpacker->unpack(piece, room)) {
            case BodyUnpacker::Result::Ok:
                break;
            case BodyUnpacker::Result::TooLarge:
                return Stop::TooLarge;
            case BodyUnpacker::Result::Damaged:
                return Stop::BadPacking;
            }
            return Stop::None;
        });
    }
    return stop;
}

void PageRequest::stopWith(Stop reason)
{
    if (reason == Stop::None || m_finished || m_stop != Stop::None)
        return;
    m_stop = reason;
    m_body.clear();
    m_reply->abort(); // emits finished()
}

void PageRequest::finish()
{
    if (m_finished)
        return;
    if (m_stop == Stop::None) {
        m_stop = keep(m_reply->readAll());
        if (m_stop == Stop::None && m_unpacker && !m_unpacker->isComplete() &&
            m_reply->error() == QNetworkReply::NoError && isSuccessStatus())
            m_stop = Stop::BadPacking; // cut short
        if (m_stop != Stop::None)
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
