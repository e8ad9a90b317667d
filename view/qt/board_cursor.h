// The keyboard's cursor on the board: a ring on one inner grid point, shown while the board has
// the keyboard focus.
#pragma once

#include <QPoint>
#include <QWidget>

namespace view {

// Drawn above the stones and markers; presses go through it to whatever lies below.
class BoardCursor : public QWidget {
public:
    explicit BoardCursor(QWidget* board);

    // The grid point under the cursor.
    QPoint point() const { return point_; }

    // Moves the cursor by whole points, never off the inner points.
    void step_by(int dx, int dy);

    // Back to the centre of the board.
    void go_home();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place_at(QPoint point);

    QPoint point_;
};

} // namespace view
