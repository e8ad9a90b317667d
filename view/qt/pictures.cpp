// Painting the green stone, the red stone and the ring that marks a winning line.
#include "view/qt/pictures.h"

#include <QPainter>
#include <QRadialGradient>

namespace view {

namespace {

struct StoneColors {
    QColor light;
    QColor body;
    QColor edge;
};

// A stone lit from the top left: a radial gradient with a thin darker rim and a soft shadow. It
// is narrower than the distance between two grid lines, so neighbouring stones never touch.
void paint_stone(QPainter& painter, const QRectF& box, const StoneColors& colors) {
    const double inset = box.width() * 0.17;
    const QRectF stone = box.adjusted(inset, inset, -inset, -inset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawEllipse(stone.translated(box.width() * 0.03, box.width() * 0.04));
    QRadialGradient gradient(stone.center() - QPointF(stone.width() * 0.18, stone.height() * 0.2),
                             stone.width() * 0.62);
    gradient.setColorAt(0.0, colors.light);
    gradient.setColorAt(0.55, colors.body);
    gradient.setColorAt(1.0, colors.edge);
    painter.setBrush(gradient);
    painter.setPen(QPen(colors.edge.darker(130), box.width() / 32.0));
    painter.drawEllipse(stone);
}

// A gold ring wide enough to encircle a stone on the same point.
void paint_ring(QPainter& painter, const QRectF& box) {
    const double width = box.width() * 0.09;
    const QRectF ring = box.adjusted(width, width, -width, -width);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(60, 40, 0), width + box.width() / 16.0));
    painter.drawEllipse(ring);
    painter.setPen(QPen(QColor(255, 215, 40), width));
    painter.drawEllipse(ring);
}

} // namespace

void paint_picture(QPainter& painter, ImageArray array, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (array) {
    case ImageArray::g_stone:
        paint_stone(painter, box, {QColor(150, 240, 150), QColor(20, 160, 50), QColor(0, 80, 20)});
        break;
    case ImageArray::r_stone:
        paint_stone(painter, box, {QColor(255, 170, 160), QColor(210, 30, 30), QColor(110, 0, 0)});
        break;
    case ImageArray::x_image: paint_ring(painter, box); break;
    }
    painter.restore();
}

} // namespace view
