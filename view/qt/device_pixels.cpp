// Drawing on the device pixel grid.
#include "view/qt/device_pixels.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace view {

namespace {

// Rounding slack, as a position computed in floating point may fall a hair short of a whole pixel.
constexpr double slack = 1e-4;

} // namespace

QRect paint_in_device_pixels(QPainter& painter, const QWidget& widget) {
    const double ratio = widget.devicePixelRatioF();
    const QTransform device = painter.deviceTransform();
    const QPointF corner(device.dx(), device.dy());
    const QPoint first(static_cast<int>(std::ceil(corner.x() - slack)),
                       static_cast<int>(std::ceil(corner.y() - slack)));
    const QPoint last(static_cast<int>(std::floor(corner.x() + widget.width() * ratio + slack)),
                      static_cast<int>(std::floor(corner.y() + widget.height() * ratio + slack)));
    const QPointF shift = QPointF(first) - corner;
    painter.setWorldTransform(
        QTransform::fromScale(1 / ratio, 1 / ratio).translate(shift.x(), shift.y()));
    return QRect(QPoint(), QSize(last.x() - first.x(), last.y() - first.y()));
}

int device_width(double logical, double ratio) {
    return std::max(1, static_cast<int>(std::lround(logical * ratio)));
}

} // namespace view
