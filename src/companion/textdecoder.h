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

    // The same for data held in pieces, each cut after a byte that ends a
    // character (see ByteSniffer::endsCharacter). In UTF-8 and most Japanese,
    // Chinese and Korean encodings each piece is decoded and let go in turn,
    // so little more than the text is held at the end. The pieces of the
    // others (UTF-16, ISO-2022-JP, ...) are joined first, let go as they are
    // copied: at most the data once and their text once are held.
    static Result decode(QByteArrayList pieces, const QByteArrayList &declared = {});
};

} // namespace zel
