#pragma once

#include "textdecoder.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

namespace zel {

// Turns the body of a page into text by the charset of the Content-Type
// header, else the page's own declaration, else the same detection as for
// files. A byte-order mark wins over any of them (TextDecoder sees to that).
class PageDecoder final
{
public:
    // True for media types that are never ticker text: pictures, sound,
    // film, fonts and archives.
    static bool isBinaryMediaType(QByteArrayView contentType);

    static TextDecoder::Result decode(const QByteArray &body, QByteArrayView contentType);
    // The same for a body in pieces (see TextDecoder), let go as they are decoded.
    static TextDecoder::Result decode(QByteArrayList body, QByteArrayView contentType);
};

} // namespace zel
