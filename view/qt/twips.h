// Conversion from the window's twips to Qt's logical pixels.
#pragma once

#include <QRect>

namespace view {

constexpr double twips_per_pixel = 15.0;

inline int to_pixels(int twips) { return qRound(twips / twips_per_pixel); }

inline QRect twips_rect(int left, int top, int width, int height) {
    return QRect(to_pixels(left), to_pixels(top), to_pixels(width), to_pixels(height));
}

} // namespace view
