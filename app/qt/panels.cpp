// Painting the side panel's bevels and frames.
#include "app/qt/panels.h"

#include <QApplication>
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
    border_ = std::max(1, qRound(scale));
    radius_ = qRound(3 * scale);
    setContentsMargins(border_, border_, border_, border_);
    update();
}

void BevelPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double inset = border_ / 2.0;
    const QRectF edge = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(panel_grey);
    painter.drawRoundedRect(edge, radius_, radius_);
    painter.setBrush(Qt::NoBrush);
    const QColor light = raised_ ? raised_light : sunken_light;
    for (bool top_left : {true, false}) {
        painter.setClipRegion(QRegion(half(rect(), top_left)));
        painter.setPen(QPen(top_left == raised_ ? light : shade, border_));
        painter.drawRoundedRect(edge, radius_, radius_);
    }
    painter.end();
    QLabel::paintEvent(event);
}

// Inside the frame, controls are drawn in the desktop's own colors rather than the board's ink
// and the side panel's grey.
EtchedFrame::EtchedFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    const QPalette desktop = QApplication::palette();
    QPalette colors;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            colors.setColor(group, QPalette::ColorRole(role),
                            desktop.color(group, QPalette::ColorRole(role)));
    setPalette(colors);
}

void EtchedFrame::set_scale(double scale) {
    line_ = std::max(1, qRound(scale));
    indent_ = qRound(6 * scale);
    update();
}

// The groove: a dark line, and a light one beside it towards the bottom right, broken where the
// caption lies over the top line.
void EtchedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int padding = 2 * line_;
    const QRect caption(indent_ + 2 * line_, 0, metrics.horizontalAdvance(title()) + 2 * padding,
                        metrics.height());
    painter.setClipRegion(QRegion(rect()) - caption);
    const QRect frame = rect().adjusted(0, indent_, -line_, -line_);
    for (const auto& [color, offset] : {std::pair{etch_light, line_}, {etch_dark, 0}}) {
        const QRect ring = frame.translated(offset, offset);
        painter.fillRect(QRect(ring.left(), ring.top(), ring.width(), line_), color);
        painter.fillRect(QRect(ring.left(), ring.top(), line_, ring.height()), color);
        painter.fillRect(QRect(ring.left(), ring.bottom() + 1 - line_, ring.width(), line_), color);
        painter.fillRect(QRect(ring.right() + 1 - line_, ring.top(), line_, ring.height()), color);
    }
    painter.setClipping(false);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

} // namespace app
