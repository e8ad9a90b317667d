// The pictures of the stones and the win marker, painted as shapes so they stay sharp at any
// screen scale.
#pragma once

#include "view/view_platform.h"

class QPainter;
class QRectF;

namespace view {

// Paints the picture of the array's elements into box (32 x 32 logical pixels in the window),
// leaving the surround transparent.
void paint_picture(QPainter& painter, ImageArray array, const QRectF& box);

} // namespace view
