// Names of the main window's controls, as the window knows them.
#include "app/window_ops.h"

#include <array>

namespace app {

namespace {

constexpr std::array<const char*, control_count> names = {
    "side_panel",       "title_panel",         "scode_lab",         "moves_panel",
    "moves_label",      "games_won_label",     "r_games_won",       "g_games_won",
    "Zero_games_won",   "columns_label",       "r_taken",           "g_taken",
    "pairs_lost_label", "mode_frame",          "two_player_button", "one_player_button",
    "no_player_button", "computer_play_frame", "run_button",        "halt_button",
    "step_button",      "restart_button",      "back_button",       "quit_button",
};

} // namespace

const char* control_name(Control control) { return names[static_cast<int>(control)]; }

} // namespace app
