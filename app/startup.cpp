// Start-up, the new-game reset, the mode option buttons and quitting.
#include "app/controller.h"

#include "app/window_ops.h"
#include "engine/game_state.h"
#include "help/help_platform.h"
#include "settings/settings.h"
#include "sound/cues.h"
#include "view/board_view.h"

namespace app {

namespace {

using engine::game_mode;
using engine::game_over;

void reset_capture_log() {
    for (int i = 1; i <= engine::capture_log_capacity; ++i) engine::capture_log[i].color = 0;
    engine::capture_log_count = 0;
}

void reset_bounding_box() { engine::min_x = engine::max_x = engine::min_y = engine::max_y = 10; }

// The buttons a fresh game starts with: nothing to take back or halt, Run and Step as the mode
// allows.
void enable_new_game_buttons() {
    app::set_enabled(Control::back_button, false);
    app::set_enabled(Control::halt_button, false);
    app::set_enabled(Control::one_player_button, true);
    app::set_enabled(Control::two_player_button, true);
    const bool computer_plays_both = game_mode == engine::comp_vs_comp;
    app::set_enabled(Control::run_button, computer_plays_both);
    app::set_enabled(Control::step_button, computer_plays_both);
    if (game_mode == engine::two_players) app::set_enabled(Control::step_button, true);
}

} // namespace

void Form_Load() {
    app::center_main_window();
    initialize_program();
    view::draw_board();
    new_game();
}

void initialize_program() {
    sound::init_media_dir();
    settings::init_ini_path();
    engine::skill_level = static_cast<i16>(settings::load_settings());
    engine::color_names = {"GREEN", "RED"};
    engine::fill_dir_table();
    engine::cur_color = engine::green;
    engine::opp_color = engine::red;
    game_mode = engine::one_vs_comp;
    engine::running = false;
    game_over = false;
    engine::games_won = {0, 0};
    engine::sound_flags = 1;
}

void new_game() {
    reset_capture_log();
    view::set_turn_indicator(engine::green);
    view::clear_stone_images(engine::move_count);
    engine::move_count = 0;
    app::set_caption(Control::moves_panel, 0);
    app::set_caption(Control::scode_lab, "TACTICS");
    engine::cur_color = engine::green;
    engine::opp_color = engine::red;
    engine::clear_board();
    engine::pairs_taken = {0, 0};
    game_over = false;
    app::set_caption(Control::r_taken, 0);
    app::set_caption(Control::g_taken, 0);
    reset_bounding_box();
    engine::running = false;
    enable_new_game_buttons();
    if (engine::markers_shown) {
        engine::markers_shown = false;
        view::remove_markers();
    }
}

void restart_button_Click() { new_game(); }

void quit_button_Click() {
    help::close_help_viewer();
    app::end_program();
}

void Form_Unload() { help::close_help_viewer(); }

void no_player_button_Click() {
    game_mode = engine::comp_vs_comp;
    if (game_over) return;
    app::set_enabled(Control::run_button, true);
    app::set_enabled(Control::step_button, true);
}

void one_player_button_Click() {
    game_mode = engine::one_vs_comp;
    app::set_enabled(Control::run_button, false);
    app::set_enabled(Control::step_button, false);
}

void two_player_button_Click() {
    game_mode = engine::two_players;
    app::set_enabled(Control::run_button, false);
    if (!game_over) app::set_enabled(Control::step_button, true);
}

} // namespace app
