#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <optional>

namespace zel {

// Byte-level looks at raw data, before any decoding: byte-order marks, the
// binary check and how well the bytes hold together as UTF-8.
class ByteSniffer final
{
public:
    enum class Bom { None, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

    // How the bytes hold together as UTF-8, and whether an ISO-2022 escape
    // is among them: one scan of the whole data.
    struct Utf8Counts
    {
        qsizetype validMultiByte = 0; // well-formed sequences of 2 to 4 bytes
        qsizetype invalid = 0; // bytes that start no well-formed sequence
        bool hasEscape = false; // an ESC byte, as ISO-2022 encodings use
    };

    // All that choosing an encoding asks of the bytes: the mark, one scan of
    // the head for the binary check and, for a guess, one of the whole data.
    struct Profile
    {
        Bom bom = Bom::None;
        bool binary = false; // looksBinary() of the data after the mark
        // Only when the encoding is to be guessed from it: without a mark, in
        // data that do not look binary. Absent, it tells nothing, not "UTF-8".
        std::optional<Utf8Counts> utf8;
    };

    // Only the head of the data is looked at by the binary check.
    static constexpr qsizetype kBinaryCheckLength = 64 * 1024;
    // More control characters than this share of the head means binary data.
    static constexpr int kMaxControlPercent = 5;

    static Bom bomOf(QByteArrayView bytes);
    static qsizetype bomLength(Bom bom);

    // True when the head holds a NUL byte or too many control characters.
    // Tab, line breaks, form feed, ESC (ISO-2022) and SUB (old DOS end of
    // file) are ordinary in text and not counted.
    static bool looksBinary(QByteArrayView bytes);
    static bool isControl(char byte);

    static Utf8Counts countUtf8(QByteArrayView bytes);

    // A byte below 0x40: in ASCII, UTF-8, Shift_JIS, EUC-JP, EUC-KR, Big5
    // and GBK it is always a character of its own, never part of one, so
    // data cut after it can be decoded piece by piece.
    static bool endsCharacter(char byte) { return static_cast<unsigned char>(byte) < 0x40; }

    // `forGuess`: no charset was declared, so the encoding may be guessed.
    // The data come in pieces, each cut after a byte that ends a character;
    // `head` is their start, at least kBinaryCheckLength + 4 bytes where
    // there are so many (the binary check looks at no more).
    static Profile profile(QByteArrayView head, const QByteArrayList &pieces, bool forGuess);

    // The longest head of at most `maxLength` bytes that ends after a byte
    // that ends a character; the plain head when there is no such byte.
    static QByteArrayView headAtCharBoundary(QByteArrayView bytes, qsizetype maxLength);
};

} // namespace zel
