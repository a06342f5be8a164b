#include "typednumber.h"

#include <cmath>
#include <limits>

namespace zel {

std::optional<qint16> typedWholeNumber(const QString &text, const QLocale &locale)
{
    // Full-width digits and blanks from an input method count as plain ones.
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    bool ok = false;
    const double number = locale.toDouble(plain, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    const double whole = std::floor(number);
    if (whole < std::numeric_limits<qint16>::min() || whole > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(whole);
}

} // namespace zel
