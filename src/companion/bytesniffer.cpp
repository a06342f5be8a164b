#include "bytesniffer.h"

#include <algorithm>

namespace zel {

namespace {

bool startsWith(QByteArrayView bytes, QByteArrayView prefix)
{
    return bytes.size() >= prefix.size() && bytes.first(prefix.size()) == prefix;
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at `pos`, or 0 when there is none.
qsizetype utf8SequenceLength(QByteArrayView bytes, qsizetype pos)
{
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(pos);
    qsizetype length = 0;
    unsigned char secondMin = 0x80;
    unsigned char secondMax = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondMin = 0xA0; // overlong
        else if (lead == 0xED)
            secondMax = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondMin = 0x90; // overlong
        else if (lead == 0xF4)
            secondMax = 0x8F; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > bytes.size())
        return 0;
    if (at(pos + 1) < secondMin || at(pos + 1) > secondMax)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (!isContinuation(at(pos + i)))
            return 0;
    }
    return length;
}

} // namespace

ByteSniffer::Bom ByteSniffer::bomOf(QByteArrayView bytes)
{
    // UTF-32 LE starts like UTF-16 LE, so it is tried first.
    if (startsWith(bytes, QByteArrayView("\xFF\xFE\x00\x00", 4)))
        return Bom::Utf32LE;
    if (startsWith(bytes, QByteArrayView("\x00\x00\xFE\xFF", 4)))
        return Bom::Utf32BE;
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return Bom::Utf8;
    if (startsWith(bytes, "\xFF\xFE"))
        return Bom::Utf16LE;
    if (startsWith(bytes, "\xFE\xFF"))
        return Bom::Utf16BE;
    return Bom::None;
}

qsizetype ByteSniffer::bomLength(Bom bom)
{
    switch (bom) {
    case Bom::None:
        return 0;
    case Bom::Utf16LE:
    case Bom::Utf16BE:
        return 2;
    case Bom::Utf8:
        return 3;
    case Bom::Utf32LE:
    case Bom::Utf32BE:
        return 4;
    }
    return 0;
}

bool ByteSniffer::isControl(char byte)
{
    switch (byte) {
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case '\x1A':
    case '\x1B':
        return false;
    default:
        return (byte >= '\x01' && byte < ' ') || byte == '\x7F';
    }
}

bool ByteSniffer::looksBinary(QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(std::min(bytes.size(), kBinaryCheckLength));
    qsizetype controls = 0;
    for (const char byte : head) {
        if (byte == '\0')
            return true;
        controls += isControl(byte) ? 1 : 0;
    }
    return controls * 100 > head.size() * kMaxControlPercent;
}

ByteSniffer::Utf8Counts ByteSniffer::countUtf8(QByteArrayView bytes)
{
    Utf8Counts counts;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            counts.hasEscape = counts.hasEscape || bytes[pos] == '\x1B';
            ++pos;
            continue;
        }
        if (const qsizetype length = utf8SequenceLength(bytes, pos); length > 0) {
            ++counts.validMultiByte;
            pos += length;
        } else {
            ++counts.invalid;
            ++pos;
        }
    }
    return counts;
}

ByteSniffer::Profile ByteSniffer::profile(QByteArrayView head, const QByteArrayList &pieces,
                                          bool forGuess)
{
    Profile result;
    result.bom = bomOf(head);
    result.binary = looksBinary(head.sliced(bomLength(result.bom)));
    if (forGuess && result.bom == Bom::None && !result.binary) {
        Utf8Counts counts;
        for (const QByteArray &piece : pieces) {
            const Utf8Counts more = countUtf8(piece);
            counts.validMultiByte += more.validMultiByte;
            counts.invalid += more.invalid;
            counts.hasEscape = counts.hasEscape || more.hasEscape;
        }
        result.utf8 = counts;
    }
    return result;
}

QByteArrayView ByteSniffer::headAtCharBoundary(QByteArrayView bytes, qsizetype maxLength)
{
    if (bytes.size() <= maxLength)
        return bytes;
    for (qsizetype end = maxLength; end > 0; --end) {
        if (endsCharacter(bytes[end - 1]))
            return bytes.first(end);
    }
    return bytes.first(maxLength);
}

} // namespace zel
