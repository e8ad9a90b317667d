// What the board view needs from the window: a drawing surface that keeps what is drawn on it,
// and picture elements that are created, placed, shown, hidden and destroyed by index.
#pragma once

namespace view {

enum class ImageArray {
    g_stone,
    r_stone,
    x_image
};

// Colors of the board drawing; foreground is whatever the window uses for its own drawing.
enum class Ink {
    foreground,
    yellow
};

// Coordinates are twips from the top left corner of the client area; widths are in pixels.
void draw_line(int x1, int y1, int x2, int y2, int width_px, Ink ink);
void draw_circle(int cx, int cy, int radius, int width_px, Ink ink);

// A newly created element is hidden until it is shown.
void create_image(ImageArray array, int index);
void move_image(ImageArray array, int index, int left, int top);
void set_image_visible(ImageArray array, int index, bool visible);
void destroy_image(ImageArray array, int index);

} // namespace view
