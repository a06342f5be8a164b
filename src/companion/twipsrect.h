#pragma once

#include "twips.h"

#include <QRect>

namespace zel {

// A control's place within its parent's inner area, in twips.
struct TwipsRect
{
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// The pixels a control placed at `rect` covers. Both edges are rounded, so
// neighbouring controls meet without gaps or overlap.
inline QRect pixelRect(const TwipsRect &rect)
{
    const int left = twipsToPixels(rect.Left);
    const int top = twipsToPixels(rect.Top);
    return QRect(left, top, twipsToPixels(rect.Left + rect.Width) - left,
                 twipsToPixels(rect.Top + rect.Height) - top);
}

// The place, in twips, of a control covering `pixels`.
inline TwipsRect twipsRect(const QRect &pixels)
{
    return { pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()), pixelsToTwips(pixels.width()),
             pixelsToTwips(pixels.height()) };
}

} // namespace zel
