#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace zel {

// Finds the character set a page declares for itself. Every answer is a
// charset name as written (e.g. "Shift_JIS"), or empty when none is found.
class CharsetSniffer final
{
public:
    // How far into a page its own declaration is looked for.
    static constexpr qsizetype kPrescanBytes = 8192;

    // The charset parameter of a Content-Type header value,
    // e.g. `text/html; charset="Shift_JIS"`.
    static QByteArray fromContentType(QByteArrayView contentType);

    // The media type of a Content-Type header value, lower case, without parameters.
    static QByteArray mediaType(QByteArrayView contentType);

    // The charset of a `<meta charset=...>` or `<meta http-equiv=... content="...; charset=...">`
    // tag, or of an XML declaration, within the first kPrescanBytes.
    static QByteArray fromDocument(QByteArrayView bytes);
};

} // namespace zel
