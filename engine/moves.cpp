// try_move, the stone's image and the record a move leaves on the board.
#include "engine/moves.h"

#include "engine/captures.h"
#include "engine/game_state.h"
#include "engine/judge.h"
#include "engine/turns.h"
#include "view/board_view.h"

namespace engine {

namespace {

// The box never narrows; the four tests are independent.
void widen_bounding_box() {
    if (move_x < min_x) min_x = move_x;
    if (move_x > max_x) max_x = move_x;
    if (move_y < min_y) min_y = move_y;
    if (move_y > max_y) max_y = move_y;
}

} // namespace

bool try_move(int x, int y) {
    if (!is_interior(x, y)) return false;
    move_x = static_cast<i16>(x);
    move_y = static_cast<i16>(y);
    show_stone(move_x, move_y, cur_color);
    widen_bounding_box();
    return true;
}

void show_stone(int x, int y, int color) {
    if (color != green && color != red) return;
    view::place_stone_image(color, move_count + 1, x, y);
}

void set_cell(int color, int x, int y, int capture_dir, int move_no) {
    cell(x, y) = BoardCell{static_cast<i16>(color), static_cast<i16>(x), static_cast<i16>(y),
                           static_cast<i16>(move_no), static_cast<i16>(capture_dir)};
}

bool finish_move(void (*after_record)()) {
    if (!take_captures()) {
        move_count += 1;
        set_cell(cur_color, move_x, move_y, no_direction, move_count);
    }
    if (after_record) after_record();
    const bool won = judge_move();
    if (!won) change_turn();
    return won;
}

} // namespace engine
