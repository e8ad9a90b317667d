// The client area drawn at the window's size: its layout in twips scaled uniformly by the
// largest factor that fits, centred, with a plain margin where the shapes differ.
#pragma once

#include "view/qt/twips.h"

#include <QPointF>
#include <QRect>
#include <QSize>

namespace view {

// The client area as it is laid out, in twips, and in pixels at a factor of 1.
constexpr QSize client_twips(8475, 6270);
inline QSize client_pixels() { return to_pixels(QRect(QPoint(), client_twips)).size(); }

class Zoom {
public:
    Zoom() = default;

    // The largest factor at which the client area fits into a surface of this size, centred.
    static Zoom to_fit(QSize surface);

    double factor() const { return factor_; }

    // The client area within the surface; the rest is margin.
    QRect area() const { return QRect(origin_, client_size(factor_)); }

    // The client area's size at a factor.
    static QSize client_size(double factor);

    // A length, or a rectangle within a zoomed parent, from twips to pixels.
    int pixels(double twips) const { return qRound(twips * factor_ / twips_per_pixel); }
    QRect pixels(QRect twips) const;

    // A place in the client area, from twips to the surface's pixels and back.
    QPoint at(QPoint twips) const { return origin_ + QPoint(pixels(twips.x()), pixels(twips.y())); }

    // A place in the client area in the surface's device pixels at a device pixel ratio: rounded
    // once, so that equal steps in twips stay within a device pixel of each other.
    QPoint device_at(QPoint twips, double ratio) const;
    QPointF twips_at(QPointF pixel) const { return twips_in(pixel - origin_); }

    // A place within a zoomed parent, from pixels back to twips.
    QPointF twips_in(QPointF pixel) const { return pixel / factor_ * twips_per_pixel; }

    bool operator==(const Zoom&) const = default;

private:
    Zoom(double factor, QPoint origin) : factor_(factor), origin_(origin) {}

    double factor_ = 1.0;
    QPoint origin_;
};

} // namespace view
