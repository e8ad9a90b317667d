// The board view: grid geometry, the board drawing and the three picture arrays.
#pragma once

#include "view/view_platform.h"

namespace view {

// One picture element as the window shows it, in twips.
struct ImageElement {
    bool exists;
    bool visible;
    int left;
    int top;
    int width;
    int height;
};

struct GridPoint {
    int x;
    int y;
};

constexpr int image_size = 480;
constexpr int indicator_left = 900;
constexpr int indicator_top = 0;
constexpr int grid_left = 2300;
constexpr int grid_top = 100;
constexpr int grid_step = 340;
constexpr int centre_circle_radius = 40;

// The array's name on the window: "g_stone", "r_stone" or "x_image".
const char* array_name(ImageArray array);

int point_left(int x);
int point_top(int y);

// The grid point nearest to a window position; may lie outside 1..19.
GridPoint point_at(float X, float Y);

// Draws the grid lines, the yellow frame and the centre circle; called once at start-up.
void draw_board();

// Puts every array in its state at window creation: element 0 of each, at the turn indicator's
// place; the two indicators visible, the marker template hidden.
void init_image_arrays();

// The element as the view last set it, or nullptr when it does not exist.
const ImageElement* image(ImageArray array, int index);

void place_stone_image(int color, int index, int x, int y);
void hide_stone_image(int color, int index);
void reshow_stone_image(int color, int index);
void remove_stone_image(int color, int index);
void clear_stone_images(int n);
void set_turn_indicator(int color);
void place_marker(int index, int x, int y);
void remove_markers();

} // namespace view
