// Painting the side panel's bevels and frames.
#include "app/qt/panels.h"

#include "view/qt/device_pixels.h"

#include <QPainter>
#include <QPainterPath>

namespace app {

namespace {

const QColor panel_grey(192, 192, 192);
const QColor shade(111, 111, 111);
const QColor sunken_light(242, 242, 242);
const QColor raised_light(246, 246, 246);
const QColor etch_dark(160, 160, 160);
const QColor etch_light(240, 240, 240);

// The part of a rectangle above its diagonal from bottom left to top right, or below it.
QPolygon half(const QRect& box, bool top_left) {
    const QPoint corner = top_left ? box.topLeft() : box.bottomRight() + QPoint(1, 1);
    return QPolygon({box.bottomLeft() + QPoint(0, 1), corner, box.topRight() + QPoint(1, 0)});
}

} // namespace

BevelPanel::BevelPanel(bool raised, QColor text, QWidget* parent)
    : QLabel(parent), raised_(raised) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, text);
    setPalette(colors);
    setAlignment(Qt::AlignCenter);
    set_scale(1.0);
}

void BevelPanel::set_scale(double scale) {
    scale_ = scale;
    const int border = std::max(1, qRound(scale));
    setContentsMargins(border, border, border, border);
    update();
}

// Drawn in device pixels, the bevel a whole number of them wide, so that its edges stay sharp
// at a fractional screen scale.
void BevelPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect box = view::paint_in_device_pixels(painter, *this);
    const double ratio = devicePixelRatioF();
    painter.setRenderHint(QPainter::Antialiasing);
    const int border = view::device_width(scale_, ratio);
    const double radius = qRound(3 * scale_ * ratio);
    const double inset = border / 2.0;
    const QRectF edge = QRectF(box).adjusted(inset, inset, -inset, -inset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(panel_grey);
    painter.drawRoundedRect(edge, radius, radius);
    painter.setBrush(Qt::NoBrush);
    const QColor light = raised_ ? raised_light : sunken_light;
    for (bool top_left : {true, false}) {
        painter.setClipRegion(QRegion(half(box, top_left)));
        painter.setPen(QPen(top_left == raised_ ? light : shade, border));
        painter.drawRoundedRect(edge, radius, radius);
    }
    painter.end();
    QLabel::paintEvent(event);
}

// The frame and its controls take the side panel's colors, which stay light on every desktop.
EtchedFrame::EtchedFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void EtchedFrame::set_scale(double scale) {
    scale_ = scale;
    line_ = std::max(1, qRound(scale));
    indent_ = qRound(6 * scale);
    update();
}

// The groove: a dark line, and a light one beside it towards the bottom right, broken where the
// caption lies over the top line.
// The lines are drawn in whole device pixels, as the bevels are.
void EtchedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int padding = 2 * line_;
    const QRect caption(indent_ + 2 * line_, 0, metrics.horizontalAdvance(title()) + 2 * padding,
                        metrics.height());
    painter.save();
    const QRect box = view::paint_in_device_pixels(painter, *this);
    const double ratio = devicePixelRatioF();
    const int line = view::device_width(scale_, ratio);
    const int indent = qRound(6 * scale_ * ratio);
    const QRect gap =
        QRectF(QRectF(caption).topLeft() * ratio, QSizeF(caption.size()) * ratio).toAlignedRect();
    painter.setClipRegion(QRegion(box) - gap);
    const QRect frame = box.adjusted(0, indent, -line, -line);
    for (const auto& [color, offset] : {std::pair{etch_light, line}, {etch_dark, 0}}) {
        const QRect ring = frame.translated(offset, offset);
        painter.fillRect(QRect(ring.left(), ring.top(), ring.width(), line), color);
        painter.fillRect(QRect(ring.left(), ring.top(), line, ring.height()), color);
        painter.fillRect(QRect(ring.left(), ring.bottom() + 1 - line, ring.width(), line), color);
        painter.fillRect(QRect(ring.right() + 1 - line, ring.top(), line, ring.height()), color);
    }
    painter.restore();
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

} // namespace app
