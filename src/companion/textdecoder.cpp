#include "textdecoder.h"

#include "bytesniffer.h"
#include "charsetdetector.h"
#include "freedmemory.h"

#include <QByteArrayList>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace zel {

namespace {

using Bom = ByteSniffer::Bom;

const QByteArray kUtf8 = QByteArrayLiteral("UTF-8");
// Shift_JIS as Windows writes it, with the NEC and IBM extensions (①, ㈱, 髙).
const QByteArray kWindows31j = QByteArrayLiteral("windows-31j");
const QByteArray kEucJp = QByteArrayLiteral("EUC-JP");
// For data that no Japanese or Unicode reading decodes cleanly and that the
// detector cannot name: Western text as Windows writes it.
const QByteArray kSingleByteFallback = QByteArrayLiteral("windows-1252");

// Data is UTF-8 when it holds at least this many well-formed multi-byte
// sequences per bad byte: valid UTF-8, and UTF-8 with a few damaged bytes.
// Shift_JIS, EUC-JP and Latin-1 text come nowhere near it: nearly every
// non-ASCII character there is a bad byte for UTF-8.
constexpr qsizetype kUtf8MajorityRatio = 2;
// How much of the data the Japanese readings are tried on.
constexpr qsizetype kJapaneseTrialLength = 64 * 1024;

// Detector answers that are multi-byte or Unicode encodings and are trusted
// as they are. Its single-byte answers are not: for short Japanese text, or a
// few Japanese words among Latin ones, it names e.g. WINDOWS-1252.
bool isTrustedGuess(const QByteArray &guess)
{
    static const QByteArrayList multiByte = { "SHIFT_JIS", "EUC-JP", "EUC-KR",    "EUC-TW",
                                              "GB18030",   "BIG5",   "HZ-GB-2312" };
    return guess.startsWith("UTF-") || guess.startsWith("ISO-2022-") || multiByte.contains(guess);
}

bool isKnown(const QByteArray &charset)
{
    return !charset.isEmpty() && QStringDecoder(charset.constData()).isValid();
}

// Labels that name windows-31j or windows-1252 in practice, as web browsers read them.
QByteArray canonicalCharset(QByteArrayView label)
{
    QByteArray name = label.trimmed().toByteArray();
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
        name.back() == name.front())
        name = name.sliced(1, name.size() - 2).trimmed();
    const QByteArray lower = name.toLower();
    static const QByteArrayList shiftJis = { "shift_jis",   "shift-jis", "sjis",
                                             "x-sjis",      "ms_kanji",  "csshiftjis",
                                             "windows-31j", "cp932",     "ms932" };
    static const QByteArrayList western = { "iso-8859-1", "iso8859-1", "latin1", "l1",
                                            "us-ascii",   "ascii",     "cp1252", "windows-1252" };
    if (shiftJis.contains(lower))
        return kWindows31j;
    if (western.contains(lower))
        return kSingleByteFallback;
    return name;
}

struct Decoded
{
    QString text;
    bool clean = true;
};

// Where the bytes being decoded lie in the data they are a piece of.
struct Piece
{
    bool first = true; // they start the data
    bool subInData = false; // the data hold a SUB byte (0x1A) of their own
};

Decoded decodePlain(QByteArrayView bytes, const QByteArray &charset, Piece piece)
{
    // Stateless: a sequence cut off at the end is reported instead of kept
    // back. Only the data's start may hold a mark.
    QStringDecoder decoder(charset.constData(),
                           piece.first ? QStringDecoder::Flag::Stateless
                                       : QStringDecoder::Flag::Stateless |
                                   QStringDecoder::Flag::ConvertInitialBom);
    Decoded decoded;
    decoded.text = decoder.decode(bytes);
    decoded.clean = !decoder.hasError();
    // ICU's legacy converters put SUB where a byte made no sense.
    if (!decoded.clean && !piece.subInData)
        decoded.text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    return decoded;
}

bool isRotatedControl(char byte)
{
    return byte == '\x1A' || byte == '\x1C' || byte == '\x7F';
}

// ICU's Shift_JIS table follows IBM and swaps the controls 0x1A, 0x1C and
// 0x7F around (0x1A, the old DOS end of file, would come out as U+001C). No
// double-byte character holds them, so they are taken over as they stand.
Decoded decodeShiftJis(QByteArrayView bytes)
{
    Decoded decoded;
    qsizetype start = 0;
    while (true) {
        const auto control = std::find_if(bytes.begin() + start, bytes.end(), isRotatedControl);
        const qsizetype end = control - bytes.begin();
        const Decoded piece = decodePlain(bytes.sliced(start, end - start), kWindows31j, {});
        decoded.text += piece.text;
        decoded.clean = decoded.clean && piece.clean;
        if (control == bytes.end())
            return decoded;
        decoded.text += QLatin1Char(*control);
        start = end + 1;
    }
}

// Qt's own UTF-32 decoder turns a unit beyond U+10FFFF into unrelated
// characters and lets surrogates through. Here every bad unit, and a unit cut
// off at the end, becomes a replacement character. Unmarked UTF-32 is
// big-endian.
Decoded decodeUtf32(QByteArrayView bytes, bool littleEndian, bool first)
{
    Decoded decoded;
    decoded.text.reserve(bytes.size() / 4 + 1);
    qsizetype pos = 0;
    for (; pos + 4 <= bytes.size(); pos += 4) {
        const char32_t unit = littleEndian ? qFromLittleEndian<quint32>(bytes.data() + pos)
                                           : qFromBigEndian<quint32>(bytes.data() + pos);
        if (first && pos == 0 && unit == 0xFEFF)
            continue;
        if (unit <= 0x10FFFF && !QChar::isSurrogate(unit)) {
            decoded.text.append(QChar::fromUcs4(unit));
        } else {
            decoded.text.append(QChar::ReplacementCharacter);
            decoded.clean = false;
        }
    }
    if (pos < bytes.size()) {
        decoded.text.append(QChar::ReplacementCharacter);
        decoded.clean = false;
    }
    return decoded;
}

std::optional<bool> utf32LittleEndian(const QByteArray &charset)
{
    switch (
        QStringConverter::encodingForName(charset.constData()).value_or(QStringConverter::System)) {
    case QStringConverter::Utf32:
    case QStringConverter::Utf32BE:
        return false;
    case QStringConverter::Utf32LE:
        return true;
    default:
        return std::nullopt;
    }
}

// UTF-16, UTF-7, CESU-8 and others let unpaired surrogates through.
void replaceUnpairedSurrogates(Decoded &decoded)
{
    const QString &text = decoded.text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            decoded.text[i] = QChar::ReplacementCharacter;
            decoded.clean = false;
        }
    }
}

// `bom` is the mark of the data `bytes` are a piece of.
Decoded decodeWith(QByteArrayView bytes, const QByteArray &charset, Bom bom, Piece piece)
{
    Decoded decoded;
    if (charset == kWindows31j)
        decoded = decodeShiftJis(bytes);
    else if (const std::optional<bool> littleEndian = utf32LittleEndian(charset))
        decoded = decodeUtf32(bytes, *littleEndian, piece.first);
    else
        decoded = decodePlain(bytes, charset, piece);
    replaceUnpairedSurrogates(decoded);
    // A mark in an encoding's own form, such as GB18030's, goes as well.
    if (piece.first && decoded.text.startsWith(QChar(0xFEFF)) && bom == Bom::None)
        decoded.text.remove(0, 1);
    return decoded;
}

// In these encodings a byte that ends a character (ByteSniffer::endsCharacter)
// is always one of its own, and a piece cut after one decodes on its own. In
// the others (UTF-16, UTF-32, GB18030, the ISO-2022 family, ...) it may lie
// within a character or within a shift. The decoder's name for `charset`
// tells the encoding, whatever alias named it.
bool decodesPieceByPiece(const QByteArray &charset)
{
    const QByteArrayView name(QStringDecoder(charset.constData()).name());
    static constexpr std::array kMultiByte = { "UTF-8", "Shift_JIS",  "EUC-JP", "EUC-KR",
                                               "Big5",  "Big5-HKSCS", "GBK",    "GB2312" };
    return std::find(kMultiByte.begin(), kMultiByte.end(), name) != kMultiByte.end() ||
        name.startsWith("windows-125") || name.startsWith("ISO-8859-") || name.startsWith("KOI8-");
}

// Hands `piece` to `use` and frees it. The memory of a large one goes back
// to the system at once: a text that outgrows the data would otherwise grow
// beside them.
template<typename Use> void letGo(QByteArray &piece, Use &&use)
{
    const bool large = piece.size() >= 1024 * 1024;
    use(std::exchange(piece, QByteArray()));
    if (large)
        returnFreedMemory();
}

// The pieces as one, each let go as soon as it is copied: the data are held
// once, and one piece of them twice.
QByteArray joined(QByteArrayList &pieces)
{
    qsizetype size = 0;
    for (const QByteArray &piece : pieces)
        size += piece.size();
    QByteArray whole;
    whole.reserve(size);
    for (QByteArray &piece : pieces)
        letGo(piece, [&whole](const QByteArray &bytes) { whole += bytes; });
    return whole;
}

// Lets go of each piece once it is decoded, so that no more than the data
// and their text are held at a time.
Decoded decodePieces(QByteArrayList &pieces, const QByteArray &charset, Bom bom)
{
    if (pieces.size() > 1 && !decodesPieceByPiece(charset))
        pieces = QByteArrayList { joined(pieces) };
    const bool subInData = std::any_of(pieces.cbegin(), pieces.cend(), [](const QByteArray &piece) {
        return piece.contains('\x1A');
    });
    Decoded whole;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        letGo(pieces[i], [&](const QByteArray &bytes) {
            const Decoded part = decodeWith(bytes, charset, bom, { i == 0, subInData });
            whole.text += part.text;
            whole.clean = whole.clean && part.clean;
        });
    }
    return whole;
}

TextDecoder::Result textResult(Decoded decoded, QByteArray encoding)
{
    return { true, std::move(decoded.text), std::move(encoding) };
}

TextDecoder::Result binaryResult()
{
    return { false, {}, {} };
}

QByteArray bomEncoding(Bom bom)
{
    switch (bom) {
    case Bom::None:
        break;
    case Bom::Utf8:
        return kUtf8;
    case Bom::Utf16LE:
        return QByteArrayLiteral("UTF-16LE");
    case Bom::Utf16BE:
        return QByteArrayLiteral("UTF-16BE");
    case Bom::Utf32LE:
        return QByteArrayLiteral("UTF-32LE");
    case Bom::Utf32BE:
        return QByteArrayLiteral("UTF-32BE");
    }
    return {};
}

qsizetype halfWidthKatakanaCount(const QString &text)
{
    return std::count_if(text.cbegin(), text.cend(),
                         [](QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; });
}

// windows-31j or EUC-JP, whichever reads the head of the data cleanly. When
// both do, half-width katakana, rare in real text and typical of EUC-JP read
// as Shift_JIS, tell them apart.
QByteArray cleanJapaneseReading(QByteArrayView bytes)
{
    const QByteArrayView head = ByteSniffer::headAtCharBoundary(bytes, kJapaneseTrialLength);
    const Piece whole { true, head.contains('\x1A') };
    const Decoded asShiftJis = decodeWith(head, kWindows31j, Bom::None, whole);
    const Decoded asEucJp = decodeWith(head, kEucJp, Bom::None, whole);
    if (asShiftJis.clean && asEucJp.clean)
        return halfWidthKatakanaCount(asEucJp.text) < halfWidthKatakanaCount(asShiftJis.text)
            ? kEucJp
            : kWindows31j;
    if (asShiftJis.clean)
        return kWindows31j;
    if (asEucJp.clean)
        return kEucJp;
    return {};
}

QByteArray chooseLegacyCharset(QByteArrayView bytes)
{
    const QByteArray guess = CharsetDetector::guess(bytes);
    if (isTrustedGuess(guess)) {
        const QByteArray charset = canonicalCharset(guess);
        if (isKnown(charset))
            return charset;
    }
    if (QByteArray japanese = cleanJapaneseReading(bytes); !japanese.isEmpty())
        return japanese;
    if (guess != "ASCII") {
        const QByteArray charset = canonicalCharset(guess);
        if (isKnown(charset))
            return charset;
    }
    return kSingleByteFallback;
}

// ISO-2022-JP is 7-bit and so valid UTF-8 too; its escapes send it to the detector.
bool isMostlyUtf8(const std::optional<ByteSniffer::Utf8Counts> &counts)
{
    return counts && !counts->hasEscape &&
        counts->validMultiByte >= kUtf8MajorityRatio * counts->invalid;
}

// The first label that names a charset a decoder knows, by its canonical name.
QByteArray firstKnown(const QByteArrayList &labels)
{
    for (const QByteArray &label : labels) {
        if (QByteArray charset = canonicalCharset(label); isKnown(charset))
            return charset;
    }
    return {};
}

bool isWideUnicode(const QByteArray &charset)
{
    const QByteArray upper = charset.toUpper();
    return upper.startsWith("UTF-16") || upper.startsWith("UTF-32") || upper.startsWith("UCS-");
}

struct Choice
{
    bool isText = true;
    QByteArray encoding;
    Bom bom = Bom::None;
};

// As much of the start of the data as any look at the head takes.
QByteArray headOf(const QByteArrayList &pieces)
{
    QByteArray head;
    for (const QByteArray &piece : pieces) {
        const qsizetype wanted = CharsetDetector::kSampleLength - head.size();
        if (wanted <= 0)
            break;
        head += QByteArrayView(piece).first(qMin(piece.size(), wanted));
    }
    return head;
}

Choice choose(const QByteArrayList &pieces, const QByteArrayList &declared)
{
    const QByteArray declaredCharset = firstKnown(declared);
    const QByteArray head = headOf(pieces);
    const ByteSniffer::Profile profile =
        ByteSniffer::profile(head, pieces, declaredCharset.isEmpty());
    // Data that start with a byte-order mark: the mark decides. Wide Unicode
    // text is full of NUL bytes, so only UTF-8 goes through the binary check.
    if (profile.bom != Bom::None)
        return { !(profile.bom == Bom::Utf8 && profile.binary), bomEncoding(profile.bom),
                 profile.bom };
    if (!declaredCharset.isEmpty())
        return { !profile.binary || isWideUnicode(declaredCharset), declaredCharset };
    if (head.isEmpty())
        return { true, kUtf8 };
    if (profile.binary)
        return { false, {} };
    if (isMostlyUtf8(profile.utf8))
        return { true, kUtf8 };
    return { true, chooseLegacyCharset(head) };
}

} // namespace

TextDecoder::Result TextDecoder::decode(const QByteArray &bytes, const QByteArrayList &declared)
{
    return decode(QByteArrayList { bytes }, declared);
}

TextDecoder::Result TextDecoder::decode(QByteArrayList pieces, const QByteArrayList &declared)
{
    const Choice choice = choose(pieces, declared);
    if (!choice.isText)
        return binaryResult();
    return textResult(decodePieces(pieces, choice.encoding, choice.bom), choice.encoding);
}

} // namespace zel
