#include "fuzzcheck.h"
#include "webaddress.h"

using namespace zel;
using namespace zel::fuzz;

namespace {

bool isWebScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https";
}

} // namespace

// A typed address is refused with a message or becomes an http or https
// address, also in the form that goes out on the wire.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString typed = QString::fromUtf8(bytesOf(data, size));
    QUrl url;
    const Status status = WebAddress::parse(typed, url);
    if (!status.isOk()) {
        ZEL_FUZZ_CHECK(status.isFailure() && !status.message().isEmpty());
        ZEL_FUZZ_CHECK(url.isEmpty());
        return 0;
    }
    ZEL_FUZZ_CHECK(url.isValid() && isWebScheme(url.scheme()) && !url.host().isEmpty());
    // The request goes where the address says.
    const QUrl sent = QUrl::fromEncoded(url.toEncoded(), QUrl::StrictMode);
    ZEL_FUZZ_CHECK(sent.isValid() && sent.scheme() == url.scheme() && sent.host() == url.host() &&
                   sent.port() == url.port());
    return 0;
}
