#pragma once

#include "status.h"

#include <QString>

namespace zel {

// String services: replacing every occurrence, and cutting a piece off the
// head of a text.
class StrHelper final
{
public:
    // Replaces every occurrence of `find` in `text` by `replacement`. The three
    // trailing numbers are part of the call's shape and are always 0.
    Status Replace(QString &text, const QString &find, const QString &replacement, int start = 0,
                   int count = 0, int compare = 0);

    // Moves the first `maxLength` characters of `source` (all of it when
    // shorter) into `destination`. A pair of surrogates that would straddle
    // the limit stays in `source`, unless the limit is 1: every cut of a
    // non-empty source takes something.
    Status CutHead(QString &source, QString &destination, int maxLength);

    // How many leading characters of `text` a cut at `maxLength` takes.
    static qsizetype headLength(const QString &text, int maxLength);
};

} // namespace zel
