// Start-up, the new-game reset, the mode option buttons and quitting.
#include "app/controller.h"

#include "app/window_ops.h"
#include "help/help_platform.h"
#include "settings/settings.h"
#include "sound/cues.h"
#include "view/board_view.h"

namespace app {

namespace {

// The buttons a fresh game starts with: nothing to take back or halt, Run and Step as the mode
// allows.
void enable_new_game_buttons() {
    set_enabled(Control::back_button, false);
    set_enabled(Control::halt_button, false);
    set_enabled(Control::one_player_button, true);
    set_enabled(Control::two_player_button, true);
    const bool computer_plays_both = game.game_mode == engine::comp_vs_comp;
    set_enabled(Control::run_button, computer_plays_both);
    set_enabled(Control::step_button, computer_plays_both);
    if (game.game_mode == engine::two_players) set_enabled(Control::step_button, true);
}

} // namespace

void Form_Load() {
    center_main_window();
    initialize_program();
    view::draw_board();
    new_game();
}

void initialize_program() {
    sound::init_media_dir();
    settings::init_ini_path();
    game.skill_level = static_cast<i16>(settings::load_settings());
    game.cur_color = engine::green;
    game.opp_color = engine::red;
    game.game_mode = engine::one_vs_comp;
    game.running = false;
    game.game_over = false;
    game.games_won = {0, 0};
}

// The stones and markers of the game that ends go from the window with it.
void new_game() {
    const int stones = game.move_count;
    const bool markers_shown = game.markers_shown;
    engine::reset_for_new_game(game);
    view::set_turn_indicator(engine::green);
    view::clear_stone_images(stones);
    set_caption(Control::moves_panel, 0);
    set_caption(Control::scode_lab, "TACTICS");
    set_caption(Control::r_taken, 0);
    set_caption(Control::g_taken, 0);
    enable_new_game_buttons();
    if (markers_shown) view::remove_markers();
}

void restart_button_Click() { new_game(); }

void quit_button_Click() {
    help::close_help_viewer();
    end_program();
}

void Form_Unload() { help::close_help_viewer(); }

void no_player_button_Click() {
    game.game_mode = engine::comp_vs_comp;
    if (game.game_over) return;
    set_enabled(Control::run_button, true);
    set_enabled(Control::step_button, true);
}

void one_player_button_Click() {
    game.game_mode = engine::one_vs_comp;
    set_enabled(Control::run_button, false);
    set_enabled(Control::step_button, false);
}

void two_player_button_Click() {
    game.game_mode = engine::two_players;
    set_enabled(Control::run_button, false);
    if (!game.game_over) set_enabled(Control::step_button, true);
}

} // namespace app
