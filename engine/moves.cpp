// try_move, the stone's image and the record a move leaves on the board.
#include "engine/moves.h"

#include "engine/captures.h"
#include "engine/judge.h"
#include "engine/turns.h"

namespace engine {

namespace {

// The box never narrows; the four tests are independent.
void widen_bounding_box(Game& game) {
    if (game.move_x < game.min_x) game.min_x = game.move_x;
    if (game.move_x > game.max_x) game.max_x = game.move_x;
    if (game.move_y < game.min_y) game.min_y = game.move_y;
    if (game.move_y > game.max_y) game.max_y = game.move_y;
}

} // namespace

bool try_move(Game& game, int x, int y, Events& events) {
    if (!is_interior(x, y)) return false;
    game.move_x = static_cast<i16>(x);
    game.move_y = static_cast<i16>(y);
    show_stone(game, game.move_x, game.move_y, game.cur_color, events);
    widen_bounding_box(game);
    return true;
}

void show_stone(const Game& game, int x, int y, int color, Events& events) {
    if (color != green && color != red) return;
    events.push_back(StonePlaced{color, game.move_count + 1, x, y});
}

void set_cell(Game& game, int color, int x, int y, int capture_dir, int move_no) {
    game.cell(x, y) = BoardCell{static_cast<i16>(color), static_cast<i16>(x), static_cast<i16>(y),
                                static_cast<i16>(move_no), static_cast<i16>(capture_dir)};
}

void record_move(Game& game, Events& events) {
    if (take_captures(game, events)) return;
    game.move_count += 1;
    set_cell(game, game.cur_color, game.move_x, game.move_y, no_direction, game.move_count);
}

bool end_move(Game& game, Events& events) {
    const bool won = judge_move(game, events);
    if (!won) change_turn(game, events);
    return won;
}

bool finish_move(Game& game, Events& events) {
    record_move(game, events);
    return end_move(game, events);
}

} // namespace engine
