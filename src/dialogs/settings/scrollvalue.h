#pragma once

#include "status.h"

class QAbstractSlider;

namespace zel {

bool liesInRange(const QAbstractSlider &bar, int value);

// Moves `bar` to `value`, or fails naming `what` and the bar's range when the
// value lies outside it; the bar then keeps its value.
Status assignScrollValue(QAbstractSlider &bar, int value, const QString &what);

} // namespace zel
