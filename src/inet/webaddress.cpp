#include "webaddress.h"

#include "loadfailure.h"

#include <QRegularExpression>

namespace zel {

namespace {

bool isWebScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https";
}

QString notAnAddress()
{
    return QStringLiteral("this is not a web address (only http:// and https:// addresses can be "
                          "loaded)");
}

// The address as sent must lead to the same place. Qt takes a few malformed
// hosts, such as "[::1%e]::1]", that do not.
bool survivesSending(const QUrl &url)
{
    const QUrl sent = QUrl::fromEncoded(url.toEncoded(), QUrl::StrictMode);
    return sent.isValid() && sent.scheme() == url.scheme() && sent.host() == url.host() &&
        sent.port() == url.port();
}

// Qt takes anything after the '%' of an IPv6 host as its zone (the network
// interface). Other readers of the address stop at a ']' in it, so only a
// zone of letters, digits and "-._~" is taken.
bool hasPlainZone(const QUrl &url)
{
    const QString host = url.host();
    const qsizetype percent = host.indexOf(u'%');
    static const QRegularExpression plainZone(
        QRegularExpression::anchoredPattern(u"[A-Za-z0-9._~-]+"));
    return percent < 0 || plainZone.match(QStringView(host).sliced(percent + 1)).hasMatch();
}

} // namespace

Status WebAddress::parse(const QString &typed, QUrl &url)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return loadFailure(typed, QStringLiteral("no address was given"));

    static const QRegularExpression explicitScheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*)://"));
    const QRegularExpressionMatch schemeMatch = explicitScheme.match(trimmed);
    QUrl candidate;
    if (schemeMatch.hasMatch()) {
        const QString scheme = schemeMatch.captured(1).toLower();
        if (!isWebScheme(scheme)) {
            return loadFailure(typed,
                               QStringLiteral("addresses starting with \"%1:\" are not "
                                              "supported, only http and https")
                                   .arg(scheme));
        }
        candidate = QUrl(trimmed, QUrl::TolerantMode);
    } else {
        candidate = QUrl::fromUserInput(trimmed);
        if (candidate.isValid() && !candidate.scheme().isEmpty() &&
            !isWebScheme(candidate.scheme()) && candidate.scheme() != u"file") {
            return loadFailure(typed,
                               QStringLiteral("addresses starting with \"%1:\" are not "
                                              "supported, only http and https")
                                   .arg(candidate.scheme()));
        }
    }

    if (!candidate.isValid() || !isWebScheme(candidate.scheme()) || candidate.host().isEmpty() ||
        !hasPlainZone(candidate) || !survivesSending(candidate))
        return loadFailure(typed, notAnAddress());
    url = candidate;
    return Status::ok();
}

} // namespace zel
