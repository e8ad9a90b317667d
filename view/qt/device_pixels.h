// Painting on whole device pixels: at a fractional screen scale a line one logical pixel wide
// covers one and a half device pixels, and comes out blurred or of uneven width.
#pragma once

#include <QRect>

class QPainter;
class QWidget;

namespace view {

// Sets the painter of widget to draw in the device pixels of its window, integer coordinates
// falling on pixel edges wherever the widget lies, and returns the widget's whole device pixels
// in those coordinates: a widget at a fractional device position only partly covers the pixels
// at its edges.
QRect paint_in_device_pixels(QPainter& painter, const QWidget& widget);

// A length in logical pixels, as whole device pixels at the ratio; never less than one.
int device_width(double logical, double ratio);

} // namespace view
