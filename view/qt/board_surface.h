// The main window's client area: the board drawing and the picture elements on it.
#pragma once

#include "view/qt/zoom.h"
#include "view/view_platform.h"

#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <array>
#include <map>
#include <vector>

class QPainter;

namespace view {

class BoardCursor;

// One picture element: shows its array's picture and keeps presses from reaching the surface.
class PictureElement : public QWidget {
    Q_OBJECT
public:
    PictureElement(ImageArray array, int index, QWidget* parent);
    ImageArray array() const { return array_; }
    int index() const { return index_; }

    // Its top left corner on the board, in twips.
    QPoint place() const { return place_; }
    void set_place(QPoint twips) { place_ = twips; }

signals:
    // A press and release on a win marker.
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageArray array_;
    int index_;
    QPoint place_;
    bool pressed_ = false;
};

// Keeps every line and circle drawn on it and paints them again at each repaint.
class BoardSurface : public QWidget {
    Q_OBJECT
public:
    explicit BoardSurface(QWidget* parent = nullptr);

    void add_line(int x1, int y1, int x2, int y2, int width_px, Ink ink);
    void add_circle(int cx, int cy, int radius, int width_px, Ink ink);

    void create_element(ImageArray array, int index);
    void move_element(ImageArray array, int index, int left, int top);
    void set_element_visible(ImageArray array, int index, bool visible);
    void destroy_element(ImageArray array, int index);
    PictureElement* element(ImageArray array, int index) const;

    // The win markers shown and the newest stone: what a message on a win must leave in sight.
    QRegion pieces_of_the_win() const;

    // How the client area is scaled to the surface's size.
    const Zoom& zoom() const { return zoom_; }

    // The grid point the keyboard's cursor stands on.
    QPoint cursor_point() const;
    // Moves the keyboard's cursor to an inner grid point and shows it there, the board taking
    // the keyboard.
    void show_cursor_at(QPoint point);

    // The grid point a picture element is centred on.
    static QPoint point_of(const PictureElement* picture);

    // The stone placed last, unless a press on the board placed it or it has been taken back.
    PictureElement* computer_stone() const;

    static QColor foreground();
    static QColor background();

signals:
    // A press on the bare board or any other bare part of the client area, in twips.
    void pressed(int button, int modifiers, QPointF twips);
    // Enter or Space on the cursor's grid point, where no picture lies.
    void point_pressed(QPoint point);
    void marker_clicked(int index);
    // A stone or win marker came, went or was hidden at this grid point.
    void piece_changed(QPoint point);
    // The board took the focus or its cursor moved.
    void cursor_moved();
    // The surface changed its size and the client area its zoom.
    void zoomed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void press_at_cursor();
    void press(QPointF twips, int button, int modifiers);
    // Runs the handlers of a press, whose first stone is the person's.
    template <typename Emit> void as_persons_press(Emit emit_press);
    void tell_piece_changed(const PictureElement* picture);
    void lay_out(PictureElement* picture);
    void paint_margin(QPainter& painter);

    struct Shape {
        bool circle;
        int x1, y1, x2, y2; // a circle keeps its centre in x1, y1 and its radius in x2
        int width_px;
        Ink ink;
    };
    Zoom zoom_;
    std::vector<Shape> shapes_;
    std::array<std::map<int, PictureElement*>, 3> elements_;
    BoardCursor* cursor_;
    // While a press is handled, the first stone it places is the person's.
    bool pressing_ = false;
    QPointer<PictureElement> last_stone_;
    bool last_stone_by_person_ = false;
};

// The surface the platform's view operations draw on; set while the main window exists.
extern BoardSurface* board_surface;

} // namespace view
