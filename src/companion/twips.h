#pragma once

#include <cmath>

namespace zel {

// Every position and size of the program is in twips: 1/1440 inch, drawn at
// 15 twips to a pixel.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline constexpr double pixelsToTwips(double pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace zel
