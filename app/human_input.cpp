// Mouse presses on the window: the person's moves, the win markers and the side panel.
#include "app/controller.h"

#include "ai/computer_move.h"
#include "app/window_ops.h"
#include "engine/moves.h"
#include "engine/turns.h"
#include "sound/cues.h"
#include "view/board_view.h"

namespace app {

i16 mouse_x{};
i16 mouse_y{};

namespace {

using engine::game_mode;
using engine::game_over;

// Refused presses wait for their cue to end, so that a burst of clicks cannot pile up.
constexpr int wait_for_the_sound = 0;

void enable_back() { app::set_enabled(Control::back_button, true); }

// The person's stone, then, once pending events have had their turn, the computer's answer
// if the mode (as it is now) asks for one.
void make_persons_move() {
    engine::try_move(engine::move_x, engine::move_y);
    engine::finish_move(enable_back);
    app::process_events();
    if ((game_mode == engine::one_vs_comp || game_mode == engine::comp_vs_comp) && !game_over)
        ai::computer_move();
    show_move_status();
}

} // namespace

bool mouse_point_ok() { return engine::is_interior(mouse_x, mouse_y); }

void Form_MouseDown(int, int, float X, float Y) {
    const view::GridPoint point = view::point_at(X, Y);
    mouse_x = static_cast<i16>(point.x);
    mouse_y = static_cast<i16>(point.y);
    engine::move_x = mouse_x;
    engine::move_y = mouse_y;
    if (!mouse_point_ok() || game_over || game_mode == engine::comp_vs_comp) {
        sound::play_sound_cue(sound::Cue::bad_sound, wait_for_the_sound);
        return;
    }
    app::set_busy_pointer(true);
    if (engine::cell(engine::move_x, engine::move_y).color == engine::empty) make_persons_move();
    app::set_busy_pointer(false);
}

// Markers only exist after a five has ended the game, so this swaps the turn silently.
void x_image_Click(int) { engine::change_turn(); }

// The bare part of the side panel takes no input; a press there only says so.
void side_panel_MouseDown(int, int, float, float) {
    sound::play_sound_cue(sound::Cue::bad_sound, engine::sound_flags);
}

} // namespace app
