// Grid geometry, the board drawing and the bookkeeping of the stone, indicator and marker pictures.
#include "view/board_view.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace view {

namespace {

constexpr int array_count = 3;
constexpr int last_line = 18;

std::array<std::vector<ImageElement>, array_count> arrays;

std::vector<ImageElement>& elements(ImageArray array) { return arrays[static_cast<int>(array)]; }

ImageElement* find(ImageArray array, int index) {
    auto& list = elements(array);
    if (index < 0 || index >= static_cast<int>(list.size()) || !list[index].exists) return nullptr;
    return &list[index];
}

// Stones of color 1 live in g_stone, of color 2 in r_stone; other colors have no array.
std::optional<ImageArray> stone_array(int color) {
    if (color == 1) return ImageArray::g_stone;
    if (color == 2) return ImageArray::r_stone;
    return std::nullopt;
}

// A new element starts hidden, is centred on the point (top first, then left) and then shown.
void place_centred(ImageArray array, int index, int x, int y) {
    if (index < 0 || find(array, index)) return;
    auto& list = elements(array);
    if (index >= static_cast<int>(list.size())) list.resize(index + 1, ImageElement{});
    ImageElement& element = list[index];
    element = ImageElement{true, false, 0, 0, image_size, image_size};
    view::create_image(array, index);
    element.top = point_top(y) - element.height / 2;
    element.left = point_left(x) - element.width / 2;
    view::move_image(array, index, element.left, element.top);
    element.visible = true;
    view::set_image_visible(array, index, true);
}

void set_visible(ImageArray array, int index, bool visible) {
    ImageElement* element = find(array, index);
    if (!element) return;
    element->visible = visible;
    view::set_image_visible(array, index, visible);
}

void destroy(ImageArray array, int index) {
    ImageElement* element = find(array, index);
    if (!element) return;
    *element = ImageElement{};
    view::destroy_image(array, index);
}

} // namespace

const char* array_name(ImageArray array) {
    switch (array) {
    case ImageArray::g_stone: return "g_stone";
    case ImageArray::r_stone: return "r_stone";
    case ImageArray::x_image: return "x_image";
    }
    return "";
}

int point_left(int x) { return grid_left + grid_step * (x - 1); }

int point_top(int y) { return grid_top + grid_step * (y - 1); }

// Single precision as the press position arrives; nearbyint rounds an exact half to even.
// Positions far outside the window cannot come from a press; they are held to the range of a
// 16-bit grid point, not a number included, so that the conversion stays defined.
GridPoint point_at(float X, float Y) {
    auto nearest_line = [](float line) {
        return static_cast<int>(std::nearbyint(std::fmax(std::fmin(line, 32767.0f), -32768.0f)));
    };
    return GridPoint{nearest_line((X - grid_left + grid_step) / grid_step),
                     nearest_line((Y - grid_top + grid_step) / grid_step)};
}

void draw_board() {
    const int right = point_left(last_line + 1);
    const int bottom = point_top(last_line + 1);
    for (int i = 0; i <= last_line; ++i) {
        const int x = grid_left + grid_step * i;
        const int y = grid_top + grid_step * i;
        view::draw_line(x, grid_top, x, bottom, 1, Ink::foreground);
        view::draw_line(grid_left, y, right, y, 1, Ink::foreground);
    }
    view::draw_line(grid_left, grid_top, right, grid_top, 2, Ink::yellow);
    view::draw_line(right, grid_top, right, bottom, 2, Ink::yellow);
    view::draw_line(right, bottom, grid_left, bottom, 2, Ink::yellow);
    view::draw_line(grid_left, bottom, grid_left, grid_top, 2, Ink::yellow);
    view::draw_circle(point_left(10), point_top(10), centre_circle_radius, 1, Ink::foreground);
}

void init_image_arrays() {
    for (int a = 0; a < array_count; ++a) {
        const auto array = static_cast<ImageArray>(a);
        const bool indicator = array != ImageArray::x_image;
        arrays[a].assign(1, ImageElement{true, indicator, indicator_left, indicator_top, image_size,
                                         image_size});
        view::create_image(array, 0);
        view::move_image(array, 0, indicator_left, indicator_top);
        view::set_image_visible(array, 0, indicator);
    }
}

const ImageElement* image(ImageArray array, int index) { return find(array, index); }

void place_stone_image(int color, int index, int x, int y) {
    if (const auto array = stone_array(color)) place_centred(*array, index, x, y);
}

void hide_stone_image(int color, int index) {
    if (const auto array = stone_array(color)) set_visible(*array, index, false);
}

void reshow_stone_image(int color, int index) {
    if (const auto array = stone_array(color)) set_visible(*array, index, true);
}

void remove_stone_image(int color, int index) {
    const auto array = stone_array(color);
    if (array && index > 0) destroy(*array, index);
}

void clear_stone_images(int n) {
    for (int k = 1; k <= n; k += 2) {
        destroy(ImageArray::g_stone, k);
        if (k != n) destroy(ImageArray::r_stone, k + 1);
    }
}

void set_turn_indicator(int color) {
    if (!stone_array(color)) return;
    set_visible(ImageArray::g_stone, 0, color == 1);
    set_visible(ImageArray::r_stone, 0, color == 2);
}

void place_marker(int index, int x, int y) {
    if (index >= 1) place_centred(ImageArray::x_image, index, x, y);
}

void remove_markers() {
    for (int i = 1; i <= 5; ++i) destroy(ImageArray::x_image, i);
}

} // namespace view
