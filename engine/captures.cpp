// The capture rule, the capture log that undo reads, and the "Pairs Lost" tallies.
#include "engine/captures.h"

#include "app/window_ops.h"
#include "engine/game_state.h"
#include "engine/moves.h"
#include "sound/cues.h"
#include "view/board_view.h"

#include <cassert>

namespace engine {

namespace {

// Empties the cell of a taken stone, logs the stone against the capturing move and hides its
// image, which stays loaded so that undo can show it again.
void take_stone(int x, int y) {
    BoardCell& taken = cell(x, y);
    const i16 color = taken.color;
    const i16 move_no = taken.move_no;
    taken.color = empty;
    assert(capture_log_count < capture_log_capacity);
    capture_log_count += 1;
    capture_log[capture_log_count] = CapturedStone{move_no, static_cast<i16>(move_count + 1),
                                                   static_cast<i16>(x), static_cast<i16>(y), color};
    view::hide_stone_image(color, move_no);
}

} // namespace

bool take_captures() {
    capture_made = false;
    for (int d = 1; d <= 8; ++d) {
        if (!capture_test(d, move_x, move_y)) continue;
        remove_pair(d, move_x, move_y);
        capture_made = true;
        sound::play_sound_cue(sound::Cue::take_two_sound, sound_flags);
    }
    if (capture_made) move_count += 1;
    return capture_made;
}

bool capture_test(int d, int x, int y) {
    if (capture_off_board(d)) return false;
    const int dx = dir_table[d].dx;
    const int dy = dir_table[d].dy;
    return cell(x + dx, y + dy).color == opp_color &&
           cell(x + 2 * dx, y + 2 * dy).color == opp_color &&
           cell(x + 3 * dx, y + 3 * dy).color == cur_color;
}

bool capture_off_board(int d) {
    return ((d == 1 || d == 2 || d == 8) && move_y < 4) ||
           ((d == 4 || d == 5 || d == 6) && move_y > grid_size - 3) ||
           ((d == 6 || d == 7 || d == 8) && move_x < 4) ||
           ((d == 2 || d == 3 || d == 4) && move_x > grid_size - 3);
}

void remove_pair(int d, int x, int y) {
    const int dx = dir_table[d].dx;
    const int dy = dir_table[d].dy;
    take_stone(x + dx, y + dy);
    take_stone(x + 2 * dx, y + 2 * dy);
    set_cell(empty, x + dx, y + dy, no_direction, 0);
    set_cell(empty, x + 2 * dx, y + 2 * dy, no_direction, 0);
    set_cell(cur_color, x, y, d, move_count + 1);
    count_pair_taken();
}

void count_pair_taken() {
    pairs_taken[cur_color - 1] += 1;
    app::set_caption(app::Control::g_taken, pairs_taken[1]);
    app::set_caption(app::Control::r_taken, pairs_taken[0]);
}

} // namespace engine
