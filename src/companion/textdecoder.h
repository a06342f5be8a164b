#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zel {

// Turns the bytes of a file or a page into text, or tells that they are not
// text. Shared by file reading and page fetching.
class TextDecoder final
{
public:
    struct Result
    {
        bool isText = true; // false: binary data, `text` is empty
        QString text; // the decoded text
        QByteArray encoding; // the encoding used, e.g. "UTF-8", "windows-31j"
    };

    // Detects the encoding (byte-order mark, binary check, strict UTF-8,
    // then a guess) and decodes. Where the guess is weak (short text, a few
    // Japanese words among Latin ones) windows-31j or EUC-JP win if either
    // reads the data cleanly; windows-1252 is the last resort. Bad bytes
    // become replacement characters.
    static Result decode(const QByteArray &bytes);

    // Decodes with a named charset (e.g. from a Content-Type header or a
    // page's meta tag); nothing when the name is unknown. Still refuses
    // binary data.
    static std::optional<Result> decodeAs(const QByteArray &bytes, const QByteArray &charset);
};

} // namespace zel
