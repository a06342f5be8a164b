#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace zel {

// The whole number in a number box: the text read by `locale`'s number rules,
// blanks around it allowed, rounded down. Nothing when the text is no finite
// number or the whole number does not fit in 16 bits.
std::optional<qint16> typedWholeNumber(const QString &text, const QLocale &locale = QLocale());

} // namespace zel
