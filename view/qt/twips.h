// Conversion from the window's twips to Qt's logical pixels.
#pragma once

#include <QRect>

namespace view {

constexpr double twips_per_pixel = 15.0;

inline int to_pixels(int twips) { return qRound(twips / twips_per_pixel); }

// A rectangle given in twips, in logical pixels.
inline QRect to_pixels(QRect twips) {
    return QRect(to_pixels(twips.x()), to_pixels(twips.y()), to_pixels(twips.width()),
                 to_pixels(twips.height()));
}

} // namespace view
