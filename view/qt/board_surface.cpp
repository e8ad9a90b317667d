// The board drawing and picture elements of the main window, and the view operations on them.
#include "view/qt/board_surface.h"

#include "view/board_view.h"
#include "view/qt/board_cursor.h"
#include "view/qt/device_pixels.h"
#include "view/qt/pictures.h"
#include "view/qt/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace view {

BoardSurface* board_surface = nullptr;

namespace {

QColor ink_color(Ink ink) {
    return ink == Ink::yellow ? QColor(255, 255, 0) : BoardSurface::foreground();
}

} // namespace

PictureElement::PictureElement(ImageArray array, int index, QWidget* parent)
    : QWidget(parent), array_(array), index_(index) {
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("%1_%2").arg(array_name(array)).arg(index));
    hide();
}

void PictureElement::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_picture(painter, array_, QRectF(rect()));
}

// Stones and markers swallow the press: the board under them never sees it.
void PictureElement::mousePressEvent(QMouseEvent* event) {
    event->accept();
    pressed_ = true;
}

// The second press of a double click is a double click, not a second click.
void PictureElement::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

// Only markers answer a click, and only when the button comes up over them.
void PictureElement::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && array_ == ImageArray::x_image) emit clicked(index_);
}

void BoardSurface::mousePressEvent(QMouseEvent* event) {
    event->accept();
    // The margin around a zoomed client area is no part of the game.
    if (!zoom_.area().contains(event->position().toPoint())) return;
    press(zoom_.twips_at(event->position()), static_cast<int>(event->button()),
          static_cast<int>(event->modifiers()));
}

template <typename Emit> void BoardSurface::as_persons_press(Emit emit_press) {
    pressing_ = true;
    emit_press();
    pressing_ = false;
}

void BoardSurface::press(QPointF twips, int button, int modifiers) {
    as_persons_press([&] { emit pressed(button, modifiers, twips); });
}

// As on the stones, the second press of a double click makes no press of its own.
void BoardSurface::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

// The arrows move the cursor, Home brings it back to the centre, and Enter or Space press where
// it stands.
void BoardSurface::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left: cursor_->step_by(-1, 0); break;
    case Qt::Key_Right: cursor_->step_by(1, 0); break;
    case Qt::Key_Up: cursor_->step_by(0, -1); break;
    case Qt::Key_Down: cursor_->step_by(0, 1); break;
    case Qt::Key_Home: cursor_->go_home(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: press_at_cursor(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
    emit cursor_moved();
}

// Exactly what a click on the cursor's point does: a marker answers it, a stone swallows it, and
// the bare board hands the point to the press handler.
void BoardSurface::press_at_cursor() {
    const QPoint point = cursor_->point();
    const QPoint twips(point_left(point.x()), point_top(point.y()));
    if (auto* picture = qobject_cast<PictureElement*>(childAt(zoom_.at(twips)))) {
        if (picture->array() == ImageArray::x_image) emit marker_clicked(picture->index());
        return;
    }
    as_persons_press([&] { emit point_pressed(point); });
}

void BoardSurface::focusInEvent(QFocusEvent* event) {
    cursor_->show();
    cursor_->raise();
    QWidget::focusInEvent(event);
    emit cursor_moved();
}

void BoardSurface::focusOutEvent(QFocusEvent* event) {
    cursor_->hide();
    QWidget::focusOutEvent(event);
}

BoardSurface::BoardSurface(QWidget* parent)
    : QWidget(parent), cursor_(new BoardCursor(this, zoom_)) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, background());
    colors.setColor(QPalette::WindowText, foreground());
    setPalette(colors);
}

QPoint BoardSurface::cursor_point() const { return cursor_->point(); }

void BoardSurface::show_cursor_at(QPoint point) {
    cursor_->move_to(point);
    if (hasFocus())
        emit cursor_moved();
    else
        setFocus(Qt::OtherFocusReason); // shows the cursor and tells of it
}

QPoint BoardSurface::point_of(const PictureElement* picture) {
    const QPointF centre = picture->place() + QPointF(image_size, image_size) / 2;
    const GridPoint point =
        point_at(static_cast<float>(centre.x()), static_cast<float>(centre.y()));
    return QPoint(point.x, point.y);
}

PictureElement* BoardSurface::computer_stone() const {
    return last_stone_by_person_ ? nullptr : last_stone_.data();
}

// Element 0 of each array is the turn indicator or the markers' template, no piece of play.
void BoardSurface::tell_piece_changed(const PictureElement* picture) {
    if (picture->index() > 0) emit piece_changed(point_of(picture));
}

QColor BoardSurface::foreground() { return QColor(40, 32, 20); }

QColor BoardSurface::background() { return QColor(214, 178, 118); }

void BoardSurface::add_line(int x1, int y1, int x2, int y2, int width_px, Ink ink) {
    shapes_.push_back(Shape{false, x1, y1, x2, y2, width_px, ink});
    update();
}

void BoardSurface::add_circle(int cx, int cy, int radius, int width_px, Ink ink) {
    shapes_.push_back(Shape{true, cx, cy, radius, 0, width_px, ink});
    update();
}

// Lines are drawn on whole device pixels without smoothing, their places and widths rounded in
// device pixels, so that every line of the grid has the same width and the grid stays sharp at
// every zoom and screen scale; only the circle is smoothed.
void BoardSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_margin(painter);
    paint_in_device_pixels(painter, *this);
    const double ratio = devicePixelRatioF();
    const double scale = zoom_.factor() * ratio;
    for (const Shape& shape : shapes_) {
        const QPoint start = zoom_.device_at(QPoint(shape.x1, shape.y1), ratio);
        if (shape.circle) {
            painter.setPen(QPen(ink_color(shape.ink), shape.width_px * scale));
            painter.setRenderHint(QPainter::Antialiasing, true);
            const double radius = shape.x2 * scale / twips_per_pixel;
            painter.drawEllipse(QPointF(start), radius, radius);
            painter.setRenderHint(QPainter::Antialiasing, false);
        } else {
            const int width = device_width(shape.width_px * zoom_.factor(), ratio);
            painter.setPen(QPen(ink_color(shape.ink), width, Qt::SolidLine, Qt::SquareCap));
            painter.drawLine(start, zoom_.device_at(QPoint(shape.x2, shape.y2), ratio));
        }
    }
}

// Where the window's shape differs from the client area's, the rest is the desktop's plain
// window color.
void BoardSurface::paint_margin(QPainter& painter) {
    const QRegion margin = QRegion(rect()) - zoom_.area();
    for (const QRect& part : margin)
        painter.fillRect(part, QApplication::palette().color(QPalette::Window));
}

void BoardSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const Zoom fitted = Zoom::to_fit(size());
    if (fitted == zoom_) return;
    zoom_ = fitted;
    for (const auto& list : elements_)
        for (const auto& [index, picture] : list) lay_out(picture);
    cursor_->lay_out();
    emit zoomed();
}

void BoardSurface::lay_out(PictureElement* picture) {
    picture->setGeometry(QRect(zoom_.at(picture->place()),
                               QSize(zoom_.pixels(image_size), zoom_.pixels(image_size))));
}

void BoardSurface::create_element(ImageArray array, int index) {
    auto& list = elements_[static_cast<int>(array)];
    if (list.count(index)) return;
    auto* picture = new PictureElement(array, index, this);
    lay_out(picture);
    connect(picture, &PictureElement::clicked, this, &BoardSurface::marker_clicked);
    list[index] = picture;
    cursor_->raise();
    if (array != ImageArray::x_image && index > 0) {
        last_stone_ = picture;
        last_stone_by_person_ = pressing_;
        pressing_ = false;
    }
}

void BoardSurface::move_element(ImageArray array, int index, int left, int top) {
    if (PictureElement* picture = element(array, index)) {
        picture->set_place(QPoint(left, top));
        lay_out(picture);
    }
}

void BoardSurface::set_element_visible(ImageArray array, int index, bool visible) {
    if (PictureElement* picture = element(array, index)) {
        picture->setVisible(visible);
        if (visible) picture->raise();
        cursor_->raise();
        tell_piece_changed(picture);
    }
}

void BoardSurface::destroy_element(ImageArray array, int index) {
    auto& list = elements_[static_cast<int>(array)];
    const auto found = list.find(index);
    if (found == list.end()) return;
    tell_piece_changed(found->second);
    delete found->second;
    list.erase(found);
}

PictureElement* BoardSurface::element(ImageArray array, int index) const {
    const auto& list = elements_[static_cast<int>(array)];
    const auto found = list.find(index);
    return found == list.end() ? nullptr : found->second;
}

// Element 0 of each array is the turn indicator or the markers' template, no piece of play.
QRegion BoardSurface::pieces_of_the_win() const {
    QRegion pieces;
    for (const auto& [index, marker] : elements_[static_cast<int>(ImageArray::x_image)])
        if (index > 0 && marker->isVisible()) pieces += marker->geometry();
    // Every move makes its stone's picture anew, so the one made last is the stone just played.
    if (last_stone_) pieces += last_stone_->geometry();
    return pieces;
}

// The board view's operations, on the window's board.

void draw_line(int x1, int y1, int x2, int y2, int width_px, Ink ink) {
    if (board_surface) board_surface->add_line(x1, y1, x2, y2, width_px, ink);
}

void draw_circle(int cx, int cy, int radius, int width_px, Ink ink) {
    if (board_surface) board_surface->add_circle(cx, cy, radius, width_px, ink);
}

void create_image(ImageArray array, int index) {
    if (board_surface) board_surface->create_element(array, index);
}

void move_image(ImageArray array, int index, int left, int top) {
    if (board_surface) board_surface->move_element(array, index, left, top);
}

void set_image_visible(ImageArray array, int index, bool visible) {
    if (board_surface) board_surface->set_element_visible(array, index, visible);
}

void destroy_image(ImageArray array, int index) {
    if (board_surface) board_surface->destroy_element(array, index);
}

} // namespace view
