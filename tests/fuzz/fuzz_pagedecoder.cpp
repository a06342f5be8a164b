#include "fuzzcheck.h"
#include "pagedecoder.h"

using namespace zel;
using namespace zel::fuzz;

// The first line is the Content-Type header, the rest is the body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = bytesOf(data, size);
    const qsizetype newline = input.indexOf('\n');
    const QByteArray header = newline < 0 ? QByteArray() : input.first(newline);
    const QByteArray body = newline < 0 ? input : input.sliced(newline + 1);

    const TextDecoder::Result page = PageDecoder::decode(body, header);
    checkDecoded(body, page);
    ZEL_FUZZ_CHECK(sameResult(page, PageDecoder::decode(body, header)));

    // The encoding a page was read in is the one it names: a header that
    // declares it gives the same text, whatever the page says of itself.
    if (page.isText) {
        const QByteArray declaring = "text/html; charset=\"" + page.encoding + '"';
        ZEL_FUZZ_CHECK(sameResult(page, PageDecoder::decode(body, declaring)));
    }
    return 0;
}
