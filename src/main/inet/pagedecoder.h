#pragma once

#include "textdecoder.h"

#include <QByteArray>
#include <QByteArrayView>

namespace zel {

// Turns the body of a page into text, in the order: a byte-order mark, the
// charset of the Content-Type header, the page's own declaration, and last
// the same detection as for files.
class PageDecoder final
{
public:
    // True for media types that are never ticker text: pictures, sound,
    // film, fonts and archives.
    static bool isBinaryMediaType(QByteArrayView contentType);

    static TextDecoder::Result decode(const QByteArray &body, QByteArrayView contentType);
};

} // namespace zel
