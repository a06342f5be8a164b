#pragma once

#include "bytesniffer.h"
#include "textdecoder.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringView>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that does not hold is a finding: say which one and abort, so
// that libFuzzer keeps the input.
#define ZEL_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::zel::fuzz::fail(#condition, __FILE__, __LINE__);                                     \
    } while (false)

namespace zel::fuzz {

[[noreturn]] inline void fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

inline QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

inline bool hasUnpairedSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate())
            return true;
        if (text[i].isHighSurrogate() && !(i + 1 < text.size() && text[++i].isLowSurrogate()))
            return true;
    }
    return false;
}

inline bool sameResult(const TextDecoder::Result &a, const TextDecoder::Result &b)
{
    return a.isText == b.isText && a.text == b.text && a.encoding == b.encoding;
}

// What every decoding of `bytes` must give: binary data without text, or
// well-formed text in an encoding that exists, with the byte-order mark gone.
// Only data that carries the mark twice may still start with U+FEFF.
inline void checkDecoded(const QByteArray &bytes, const TextDecoder::Result &result)
{
    if (!result.isText) {
        ZEL_FUZZ_CHECK(result.text.isEmpty());
        return;
    }
    ZEL_FUZZ_CHECK(!hasUnpairedSurrogate(result.text));
    ZEL_FUZZ_CHECK(QStringDecoder(result.encoding.constData()).isValid());
    if (result.text.startsWith(QChar(0xFEFF))) {
        const qsizetype mark = ByteSniffer::bomLength(ByteSniffer::bomOf(bytes));
        ZEL_FUZZ_CHECK(mark > 0 && bytes.sliced(mark).startsWith(bytes.first(mark)));
    }
}

} // namespace zel::fuzz
