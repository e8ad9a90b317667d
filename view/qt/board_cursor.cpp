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

BoardCursor::BoardCursor(QWidget* board) : QWidget(board) {
    setObjectName(QStringLiteral("board_cursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(to_pixels(image_size), to_pixels(image_size));
    place_at(centre_point);
    hide();
}

void BoardCursor::step_by(int dx, int dy) {
    place_at(QPoint(std::clamp(point_.x() + dx, first_inner_line, last_inner_line),
                    std::clamp(point_.y() + dy, first_inner_line, last_inner_line)));
}

void BoardCursor::go_home() { place_at(centre_point); }

void BoardCursor::place_at(QPoint point) {
    point_ = point;
    move(to_pixels(point_left(point.x()) - image_size / 2),
         to_pixels(point_top(point.y()) - image_size / 2));
}

// A ring of the desktop's highlight colour between two dark edges, wider than a stone, so that
// it shows on the bare board and around a stone of either colour.
void BoardCursor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(rect()).adjusted(3, 3, -3, -3);
    painter.setPen(QPen(QColor(20, 20, 20), 6));
    painter.drawEllipse(ring);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 3.5));
    painter.drawEllipse(ring);
}

} // namespace view
