#include "pagedecoder.h"

#include "charsetsniffer.h"

#include <array>

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
    return TextDecoder::decode(
        body, { CharsetSniffer::fromContentType(contentType), CharsetSniffer::fromDocument(body) });
}

} // namespace zel
