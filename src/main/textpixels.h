#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace zel {

// The size of a line of text in whole pixels, rounded up so that no glyph is
// cut. The window measures a box's text with it and the box sizes its picture
// with it, so the two always agree: a box covers the same number of pixels
// wherever it stands, and a move by a pixel is one move of the widget.
QSize textPixels(const QFont &font, const QString &text);

} // namespace zel
