#pragma once

#include <QColor>
#include <QPixmap>

namespace zel {

// A 200 x 100 pixel background: a soft gradient from `corner` at the corners
// to a lighter centre, averaging about `average`, with an embossed "Z" emblem.
QPixmap backgroundPicture(const QColor &corner, const QColor &average);

} // namespace zel
