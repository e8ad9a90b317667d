// Drawing on the device pixel grid.
#include "view/qt/device_pixels.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace view {

// A widget lies at a fractional device position when its logical position times the ratio is
// not whole; the fraction is taken off so that the widget's drawing keeps to the pixel grid.
double paint_in_device_pixels(QPainter& painter, const QWidget& widget) {
    const double ratio = widget.devicePixelRatioF();
    const QTransform device = painter.deviceTransform();
    const auto fraction = [](double offset) { return offset - std::floor(offset + 1e-4); };
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio)
                                  .translate(-fraction(device.dx()), -fraction(device.dy())));
    return ratio;
}

int device_width(double logical, double ratio) {
    return std::max(1, static_cast<int>(std::lround(logical * ratio)));
}

} // namespace view
