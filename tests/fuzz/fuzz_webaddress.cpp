#include "fuzzcheck.h"
#include "webaddress.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

using namespace zel;
using namespace zel::fuzz;

namespace {

// Where an address leads, read from its text by the generic syntax alone:
// scheme "://" [userinfo "@"] host [":" port], the host of an IPv6 address
// in brackets.
struct Authority
{
    QString scheme;
    QString host;
    int port = -1;
};

std::optional<Authority> authorityOf(const QString &address)
{
    const qsizetype schemeEnd = address.indexOf(u"://");
    if (schemeEnd <= 0)
        return std::nullopt;
    const qsizetype start = schemeEnd + 3;
    qsizetype end = address.size();
    for (const QChar delimiter : { u'/', u'?', u'#' }) {
        if (const qsizetype at = address.indexOf(delimiter, start); at >= 0)
            end = std::min(end, at);
    }
    QString authority = address.sliced(start, end - start);
    if (authority.count(u'@') > 1)
        return std::nullopt;
    authority = authority.sliced(authority.indexOf(u'@') + 1);

    Authority result { address.first(schemeEnd).toLower(), {}, -1 };
    qsizetype hostEnd =
        authority.startsWith(u'[') ? authority.indexOf(u']') + 1 : authority.indexOf(u':');
    if (hostEnd == 0)
        return std::nullopt; // an unclosed bracket
    if (hostEnd < 0)
        hostEnd = authority.size();
    result.host = authority.first(hostEnd);
    if (result.host.startsWith(u'['))
        result.host = result.host.sliced(1, result.host.size() - 2);
    const QString rest = authority.sliced(hostEnd);
    static const QRegularExpression port(QRegularExpression::anchoredPattern(u"(:[0-9]{0,5})?"));
    if (result.host.contains(u'[') || result.host.contains(u']') || !port.match(rest).hasMatch())
        return std::nullopt;
    if (rest.size() > 1)
        result.port = rest.sliced(1).toInt();
    return result;
}

bool isWebScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https";
}

// An http or https address of a plain host name (letters, digits and
// hyphens, the last label starting with a letter), a port and a plain path.
bool isOrdinary(const QString &typed, const Authority &where)
{
    static const QRegularExpression shape(QRegularExpression::anchoredPattern(
        u"[A-Za-z]+://[A-Za-z0-9.-]+(:[0-9]+)?(/[A-Za-z0-9/._~-]*)?"));
    static const QRegularExpression label(
        QRegularExpression::anchoredPattern(u"[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?"));
    const QStringList labels = where.host.split(u'.');
    const bool plainLabels = std::all_of(labels.cbegin(), labels.cend(), [](const QString &l) {
        return label.match(l).hasMatch() && l.mid(2, 2) != u"--";
    });
    return isWebScheme(where.scheme) && shape.match(typed).hasMatch() && plainLabels &&
        labels.back().front().isLetter() && where.host.size() <= 253 && where.port != 0 &&
        where.port <= 65535;
}

} // namespace

// A typed address is refused with a message or becomes an http or https
// address that, also in the form that goes out on the wire, leads to the
// host and port it names.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString typed = QString::fromUtf8(bytesOf(data, size));
    QUrl url;
    const Status status = WebAddress::parse(typed, url);
    const std::optional<Authority> named = authorityOf(typed);
    if (!status.isOk()) {
        ZEL_FUZZ_CHECK(status.isFailure() && !status.message().isEmpty());
        // A plain http address is never refused.
        ZEL_FUZZ_CHECK(!named || !isOrdinary(typed, *named));
        return 0;
    }
    ZEL_FUZZ_CHECK(url.isValid() && isWebScheme(url.scheme()) && !url.host().isEmpty());
    if (named && isOrdinary(typed, *named))
        ZEL_FUZZ_CHECK(url.host() == named->host.toLower() && url.port() == named->port);
    const std::optional<Authority> sent = authorityOf(QString::fromLatin1(url.toEncoded()));
    ZEL_FUZZ_CHECK(sent.has_value());
    ZEL_FUZZ_CHECK(sent->scheme == url.scheme());
    ZEL_FUZZ_CHECK(sent->host.compare(url.host(QUrl::FullyEncoded), Qt::CaseInsensitive) == 0);
    ZEL_FUZZ_CHECK(sent->port == url.port());
    return 0;
}
