#include "textpixels.h"

#include <QFontMetricsF>

#include <cmath>

namespace zel {

QSize textPixels(const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    return { static_cast<int>(std::ceil(metrics.horizontalAdvance(text))),
             static_cast<int>(std::ceil(metrics.height())) };
}

} // namespace zel
