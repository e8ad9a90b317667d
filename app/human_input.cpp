// Presses on the window: the person's moves, the win markers and the side panel.
#include "app/controller.h"

#include "app/window_ops.h"
#include "engine/moves.h"
#include "engine/turns.h"
#include "sound/cues.h"
#include "view/board_view.h"

namespace app {

i16 mouse_x{};
i16 mouse_y{};

namespace {

// The person's stone, with Back enabled once it is recorded, then, once pending events have had
// their turn, the computer's answer if the mode (as it is now) asks for one.
void make_persons_move() {
    engine::Events events = engine::events_of_a_move();
    engine::try_move(game, game.move_x, game.move_y, events);
    engine::record_move(game, events);
    show_events(events);
    set_enabled(Control::back_button, true);
    events.clear();
    engine::end_move(game, events);
    show_events(events);
    process_events();
    if ((game.game_mode == engine::one_vs_comp || game.game_mode == engine::comp_vs_comp) &&
        !game.game_over)
        make_computer_move();
    show_move_status();
}

} // namespace

bool mouse_point_ok() { return engine::is_interior(mouse_x, mouse_y); }

void Form_MouseDown(int, int, float X, float Y) {
    const view::GridPoint point = view::point_at(X, Y);
    board_point_pressed(point.x, point.y);
}

void board_point_pressed(int x, int y) {
    mouse_x = static_cast<i16>(x);
    mouse_y = static_cast<i16>(y);
    game.move_x = mouse_x;
    game.move_y = mouse_y;
    if (!mouse_point_ok() || game.game_over || game.game_mode == engine::comp_vs_comp ||
        computer_moving) {
        // Refused presses wait for their cue to end, so that a burst of clicks cannot pile up.
        sound::play_sound_cue(sound::Cue::bad_sound, sound::wait_for_the_sound);
        return;
    }
    set_busy_pointer(true);
    if (game.cell(game.move_x, game.move_y).color == engine::empty) make_persons_move();
    set_busy_pointer(false);
}

// Markers only exist after a five has ended the game, so this swaps the turn silently.
void x_image_Click(int) {
    engine::Events events = engine::events_of_a_move();
    engine::change_turn(game, events);
    show_events(events);
}

// The bare part of the side panel takes no input; a press there only says so.
void side_panel_MouseDown(int, int, float, float) {
    sound::play_sound_cue(sound::Cue::bad_sound, sound::in_the_background);
}

} // namespace app
