#include "fuzzcheck.h"

using namespace zel;
using namespace zel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const TextDecoder::Result result = TextDecoder::decode(bytes);
    checkDecoded(bytes, result);
    ZEL_FUZZ_CHECK(sameResult(result, TextDecoder::decode(bytes)));

    // Well-formed UTF-8 that is no binary data and holds no ISO-2022 escape
    // is read as UTF-8, losing nothing.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError() && ByteSniffer::bomOf(bytes) == ByteSniffer::Bom::None &&
        !bytes.contains('\x1B') && !ByteSniffer::looksBinary(bytes)) {
        ZEL_FUZZ_CHECK(result.isText && result.encoding == "UTF-8");
        ZEL_FUZZ_CHECK(result.text == asUtf8);
    }
    return 0;
}
