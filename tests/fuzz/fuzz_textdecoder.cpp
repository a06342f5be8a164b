#include "bytesniffer.h"
#include "fuzzcheck.h"

#include <algorithm>

using namespace zel;
using namespace zel::fuzz;

namespace {

// Controls that plain text does not hold; tab and line breaks it does.
bool isUnusualControl(char byte)
{
    return (byte >= '\0' && byte < ' ' && byte != '\t' && byte != '\n' && byte != '\r') ||
        byte == '\x7F';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const TextDecoder::Result result = TextDecoder::decode(bytes);
    checkDecoded(bytes, result);
    ZEL_FUZZ_CHECK(sameResult(result, TextDecoder::decode(bytes)));
    // Cut after every byte that ends a character, as a page's body is, the
    // data read the same.
    QByteArrayList pieces { {} };
    for (const char byte : bytes) {
        pieces.last() += byte;
        if (ByteSniffer::endsCharacter(byte))
            pieces.append(QByteArray());
    }
    ZEL_FUZZ_CHECK(sameResult(result, TextDecoder::decode(pieces)));

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (utf8.hasError())
        return 0;
    // Well-formed UTF-8 without unusual controls is never called binary.
    if (std::none_of(bytes.cbegin(), bytes.cend(), isUnusualControl))
        ZEL_FUZZ_CHECK(result.isText);
    // Read as text, well-formed UTF-8 without an ISO-2022 escape is read as
    // UTF-8 (a mark at the start goes), losing nothing.
    if (result.isText && !bytes.contains('\x1B'))
        ZEL_FUZZ_CHECK(result.encoding == "UTF-8" && result.text == asUtf8);
    return 0;
}
