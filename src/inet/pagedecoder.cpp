#include "pagedecoder.h"

#include "charsetsniffer.h"

#include <array>
#include <utility>

namespace zel {

bool PageDecoder::isBinaryMediaType(QByteArrayView contentType)
{
    const QByteArray type = CharsetSniffer::mediaType(contentType);
    for (const char *family : { "image/", "audio/", "video/", "font/" }) {
        if (type.startsWith(family))
            return true;
    }
    static constexpr std::array kBinaryTypes = {
        "application/zip",
        "application/gzip",
        "application/x-gzip",
        "application/x-tar",
        "application/x-bzip2",
        "application/x-xz",
        "application/x-7z-compressed",
        "application/vnd.rar",
        "application/x-rar-compressed",
        "application/pdf",
    };
    for (const char *binaryType : kBinaryTypes) {
        if (type == binaryType)
            return true;
    }
    return false;
}

TextDecoder::Result PageDecoder::decode(const QByteArray &body, QByteArrayView contentType)
{
    return decode(QByteArrayList { body }, contentType);
}

TextDecoder::Result PageDecoder::decode(QByteArrayList body, QByteArrayView contentType)
{
    // The declaration is looked for at the start, which the first piece holds.
    const QByteArrayList declared = { CharsetSniffer::fromContentType(contentType),
                                      CharsetSniffer::fromDocument(body.value(0)) };
    return TextDecoder::decode(std::move(body), declared);
}

} // namespace zel
