// The change of turn after every move, and undo down to the empty board.
#include "engine/turns.h"

#include "app/window_ops.h"
#include "engine/game_state.h"
#include "sound/cues.h"
#include "view/board_view.h"

namespace engine {

namespace {

// Puts one logged stone back on the board with its old number and image.
void restore_stone(const CapturedStone& stone) {
    BoardCell& restored = cell(stone.x, stone.y);
    restored.move_no = stone.move_no;
    const i16 color = stone.color == green ? green : red;
    view::reshow_stone_image(color, stone.move_no);
    restored.color = color;
}

} // namespace

void change_turn() {
    if (cur_color == green) {
        cur_color = red;
        opp_color = green;
        view::set_turn_indicator(red);
    } else if (cur_color == red) {
        cur_color = green;
        opp_color = red;
        view::set_turn_indicator(green);
    }
    // After a capture the take-two cue is the move's only sound.
    if (!game_over && !capture_made)
        sound::play_sound_cue(sound::Cue::put_piece_sound, sound_flags);
}

void undo_move() {
    if (move_count == 0) {
        sound::play_sound_cue(sound::Cue::bad_sound, sound_flags);
        return;
    }
    change_turn();
    find_last_move();
    remove_last_stone();
    if (restore_captured()) {
        app::set_caption(app::Control::g_taken, pairs_taken[1]);
        app::set_caption(app::Control::r_taken, pairs_taken[0]);
    }
    move_count -= 1;
    app::set_caption(app::Control::moves_panel, move_count);
}

void find_last_move() {
    for (int x = 1; x <= grid_size; ++x)
        for (int y = 1; y <= grid_size; ++y)
            if (cell(x, y).move_no == move_count) {
                move_x = static_cast<i16>(x);
                move_y = static_cast<i16>(y);
            }
}

void remove_last_stone() {
    view::remove_stone_image(cur_color == green ? green : red, move_count);
    BoardCell& last = cell(move_x, move_y);
    last.color = empty;
    last.move_no = 0;
}

// The entries of the move being taken back are the newest in the log, since every later move
// has been taken back already; popping one per match removes exactly them.
bool restore_captured() {
    stones_restored = false;
    int count = 0;
    const int n = capture_log_count;
    for (int i = 1; i <= n; ++i) {
        if (capture_log[i].taken_on != move_count) continue;
        stones_restored = true;
        restore_stone(capture_log[i]);
        count += 1;
        capture_log_count -= 1;
    }
    if (stones_restored) {
        pairs_taken[cur_color - 1] -= static_cast<i16>(count / 2);
        sound::play_sound_cue(sound::Cue::take_two_sound, sound_flags);
    }
    return stones_restored;
}

} // namespace engine
