#pragma once

#include <QString>

namespace zel::bench {

// A page-like text of exactly `length` characters: words, tags with
// attributes, CR LF line breaks and some Japanese. The same for every call.
QString htmlLikeText(qsizetype length);

// Sizes the benchmarks run at: 1, 10 and 100 MiB of one-byte characters.
constexpr qsizetype kMiB = qsizetype(1) << 20;

} // namespace zel::bench
