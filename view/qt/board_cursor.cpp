// Placing and painting the keyboard's cursor on the board.
#include "view/qt/board_cursor.h"

#include "view/board_view.h"
#include "view/qt/twips.h"

#include <QPainter>

#include <algorithm>

namespace view {

namespace {

constexpr int first_inner_line = 2;
constexpr int last_inner_line = 18;
constexpr QPoint centre_point(10, 10);

} // namespace

BoardCursor::BoardCursor(QWidget* board, const Zoom& zoom) : QWidget(board), zoom_(zoom) {
    setObjectName(QStringLiteral("board_cursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    place_at(centre_point);
    hide();
}

void BoardCursor::step_by(int dx, int dy) {
    place_at(QPoint(std::clamp(point_.x() + dx, first_inner_line, last_inner_line),
                    std::clamp(point_.y() + dy, first_inner_line, last_inner_line)));
}

void BoardCursor::go_home() { place_at(centre_point); }

void BoardCursor::move_to(QPoint point) { step_by(point.x() - point_.x(), point.y() - point_.y()); }

void BoardCursor::place_at(QPoint point) {
    point_ = point;
    lay_out();
}

void BoardCursor::lay_out() {
    const QPoint centre(point_left(point_.x()), point_top(point_.y()));
    setGeometry(QRect(zoom_.at(centre - QPoint(image_size, image_size) / 2),
                      QSize(zoom_.pixels(image_size), zoom_.pixels(image_size))));
}

// A ring of the desktop's highlight color between two dark edges, wider than a stone, so that
// it shows on the bare board and around a stone of either color.
void BoardCursor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = zoom_.factor();
    const double inset = 3 * scale;
    const QRectF ring = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(QColor(20, 20, 20), 6 * scale));
    painter.drawEllipse(ring);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 3.5 * scale));
    painter.drawEllipse(ring);
}

} // namespace view
