// Fitting the client area into the window's surface.
#include "view/qt/zoom.h"

#include <algorithm>
#include <cmath>

namespace view {

Zoom Zoom::to_fit(QSize surface) {
    const QSize described = client_pixels();
    const double factor = std::max(1.0, std::min(double(surface.width()) / described.width(),
                                                 double(surface.height()) / described.height()));
    const QSize size = client_size(factor);
    return Zoom(factor, QPoint((surface.width() - size.width()) / 2,
                               (surface.height() - size.height()) / 2));
}

QSize Zoom::client_size(double factor) {
    const Zoom zoom(factor, QPoint());
    return QSize(zoom.pixels(client_twips.width()), zoom.pixels(client_twips.height()));
}

QRect Zoom::pixels(QRect twips) const {
    return QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()),
                 pixels(twips.height()));
}

QPoint Zoom::device_at(QPoint twips, double ratio) const {
    const auto device = [this, ratio](int origin, int twips) {
        return static_cast<int>(std::lround((origin + twips * factor_ / twips_per_pixel) * ratio));
    };
    return QPoint(device(origin_.x(), twips.x()), device(origin_.y(), twips.y()));
}

} // namespace view
