// The capture rule, the capture log that undo reads, and the "Pairs Lost" tallies.
#include "engine/captures.h"

#include "engine/moves.h"

namespace engine {

namespace {

// Empties the cell of a taken stone, logs the stone against the capturing move and hides its
// image, which stays loaded so that undo can show it again.
void take_stone(Game& game, int x, int y, Events& events) {
    BoardCell& taken = game.cell(x, y);
    const i16 color = taken.color;
    const i16 move_no = taken.move_no;
    taken.color = empty;
    assert(game.capture_log_count < capture_log_capacity);
    game.capture_log_count += 1;
    game.capture_log[game.capture_log_count] =
        CapturedStone{move_no, static_cast<i16>(game.move_count + 1), static_cast<i16>(x),
                      static_cast<i16>(y), color};
    events.push_back(StoneTaken{color, move_no});
}

} // namespace

bool take_captures(Game& game, Events& events) {
    game.capture_made = false;
    for (int d = 1; d <= 8; ++d) {
        if (!capture_test(game, d, game.move_x, game.move_y)) continue;
        remove_pair(game, d, game.move_x, game.move_y, events);
        game.capture_made = true;
        events.push_back(CuePlayed{Cue::take_two});
    }
    if (game.capture_made) game.move_count += 1;
    return game.capture_made;
}

bool capture_test(const Game& game, int d, int x, int y) {
    if (capture_off_board(game, d)) return false;
    const int dx = dir_table[d].dx;
    const int dy = dir_table[d].dy;
    return game.cell(x + dx, y + dy).color == game.opp_color &&
           game.cell(x + 2 * dx, y + 2 * dy).color == game.opp_color &&
           game.cell(x + 3 * dx, y + 3 * dy).color == game.cur_color;
}

bool capture_off_board(const Game& game, int d) {
    return ((d == 1 || d == 2 || d == 8) && game.move_y < 4) ||
           ((d == 4 || d == 5 || d == 6) && game.move_y > grid_size - 3) ||
           ((d == 6 || d == 7 || d == 8) && game.move_x < 4) ||
           ((d == 2 || d == 3 || d == 4) && game.move_x > grid_size - 3);
}

void remove_pair(Game& game, int d, int x, int y, Events& events) {
    const int dx = dir_table[d].dx;
    const int dy = dir_table[d].dy;
    take_stone(game, x + dx, y + dy, events);
    take_stone(game, x + 2 * dx, y + 2 * dy, events);
    set_cell(game, empty, x + dx, y + dy, no_direction, 0);
    set_cell(game, empty, x + 2 * dx, y + 2 * dy, no_direction, 0);
    set_cell(game, game.cur_color, x, y, d, game.move_count + 1);
    count_pair_taken(game, events);
}

void count_pair_taken(Game& game, Events& events) {
    game.pairs_taken[game.cur_color - 1] += 1;
    events.push_back(PairsCounted{game.pairs_taken});
}

} // namespace engine
