// Names of the main window's controls, as the window knows them.
#include "app/window_ops.h"

#include <array>

namespace app {

namespace {

constexpr std::array<const char*, control_count> names = {
    "Panel3D2",         "Panel3D1",       "scode_lab",         "moves_panel",
    "Label4",           "Label2",         "r_games_won",       "g_games_won",
    "Zero_games_won",   "Label5",         "r_taken",           "g_taken",
    "Label1",           "Frame3D1",       "two_player_button", "one_player_button",
    "no_player_button", "Frame3D5",       "run_button",        "halt_button",
    "step_button",      "restart_button", "back_button",       "quit_button",
};

} // namespace

const char* control_name(Control control) { return names[static_cast<int>(control)]; }

} // namespace app
