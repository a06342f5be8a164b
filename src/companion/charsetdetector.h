#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace zel {

// Asks the statistical charset detector for a guess.
class CharsetDetector final
{
public:
    // The detector settles long before this; more only costs time.
    static constexpr qsizetype kSampleLength = 1024 * 1024;

    // The detector's charset name in upper case, e.g. "SHIFT_JIS", "EUC-JP",
    // "ASCII"; empty when it has no answer.
    static QByteArray guess(QByteArrayView bytes);
};

} // namespace zel
