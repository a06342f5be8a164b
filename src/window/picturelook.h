#pragma once

#include <QColor>
#include <Qt>

class QFont;
class QLabel;
class QPainter;
class QRect;

namespace zel {

// The colour of every label drawn on a background picture.
inline const QColor kLabelColour { 64, 64, 64 };

// Dark grey plain text in `font` on a transparent background, so the picture
// shows through; takes no focus.
void styleLabel(QLabel &label, const QFont &font, Qt::Alignment alignment);

// The thin raised border of a title-less window, on the outermost pixels of
// `area`.
void drawThinBorder(QPainter &painter, const QRect &area);

} // namespace zel
