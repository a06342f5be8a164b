#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

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
    //
    // Charsets a page declares (its Content-Type header's, then its own) come
    // in `declared`: the first whose name is known is used instead of a
    // guess. A byte-order mark still wins, and data that look binary stay
    // binary unless the charset is UTF-16 or UTF-32.
    static Result decode(const QByteArray &bytes, const QByteArrayList &declared = {});

    // The same for data held in pieces, each cut after a byte below 0x40 (in
    // UTF-8 and the Japanese, Chinese and Korean encodings such a byte is a
    // character of its own). Each piece is let go as soon as it is decoded,
    // so the data and their text are never both held whole.
    static Result decode(QByteArrayList pieces, const QByteArrayList &declared = {});
};

} // namespace zel
