// The keyboard's cursor on the board: a ring on one inner grid point, shown while the board has
// the keyboard focus.
#pragma once

#include <QPoint>
#include <QWidget>

#include "view/qt/zoom.h"

namespace view {

// Drawn above the stones and markers; presses go through it to whatever lies below.
class BoardCursor : public QWidget {
public:
    BoardCursor(QWidget* board, const Zoom& zoom);

    // The grid point under the cursor.
    QPoint point() const { return point_; }

    // Moves the cursor by whole points, never off the inner points.
    void step_by(int dx, int dy);

    // Back to the centre of the board.
    void go_home();

    // To the given point, kept on the inner points.
    void move_to(QPoint point);

    // Places the cursor again at the board's zoom.
    void lay_out();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place_at(QPoint point);

    const Zoom& zoom_;
    QPoint point_;
};

} // namespace view
