// Judging a move: five pairs or five in a row, the victory message and the end of the game.
#include "engine/judge.h"

#include "app/window_ops.h"
#include "engine/game_state.h"
#include "sound/cues.h"
#include "view/board_view.h"

namespace engine {

namespace {

constexpr int pairs_to_win = 5;
constexpr int stones_to_win = 5;
// The message box breaks its lines where the text says so.
constexpr const char* crlf = "\r\n";

std::string win_text(bool pairs_win) {
    const std::string& name = color_names[cur_color - 1];
    if (pairs_win && five_found)
        return name + " WINS BY TAKING FIVE PAIRS" + crlf + " AND MAKING FIVE IN A ROW" + crlf +
               " WITH THE SAME MOVE!";
    if (pairs_win) return name + " WINS BY TAKING FIVE PAIRS";
    return name + " WINS WITH FIVE IN A ROW";
}

void count_game_won() {
    games_won[cur_color - 1] += 1;
    app::set_caption(app::Control::r_games_won, games_won[1]);
    app::set_caption(app::Control::g_games_won, games_won[0]);
}

void disable_play_buttons() {
    app::set_enabled(app::Control::back_button, false);
    app::set_enabled(app::Control::halt_button, false);
    app::set_enabled(app::Control::step_button, false);
    app::set_enabled(app::Control::run_button, false);
}

} // namespace

bool judge_move() {
    const bool pairs_win = pairs_taken[cur_color - 1] >= pairs_to_win;
    // Runs even after a pairs win, so that a five made by the same move is marked too.
    const bool five_win = five_check(move_x, move_y);
    if (!pairs_win && !five_win) return false;
    sound::play_sound_cue(sound::Cue::victory_sound, sound_flags);
    app::show_message(win_text(pairs_win));
    count_game_won();
    game_over = true;
    disable_play_buttons();
    return true;
}

bool five_check(int x, int y) {
    five_found = false;
    for (int d = 1; d <= 4 && !five_found; ++d) five_found = line_check(d, x, y);
    return five_found;
}

// Both walks end at the latest on the empty margin of the board.
bool line_check(int d, int x, int y) {
    const int dx = dir_table[d].dx;
    const int dy = dir_table[d].dy;
    while (cell(x, y).color == cur_color) {
        x += dx;
        y += dy;
    }
    int count = 0;
    do {
        x -= dx;
        y -= dy;
        ++count;
    } while (cell(x, y).color == cur_color);
    if (count <= stones_to_win) return false;
    markers_shown = true;
    for (int i = 1; i <= stones_to_win; ++i) view::place_marker(i, x + i * dx, y + i * dy);
    return true;
}

} // namespace engine
