// The Back button: one move taken back, or the person's and the computer's in "One vs Comp".
#include "app/controller.h"

#include "app/window_ops.h"
#include "engine/turns.h"
#include "sound/cues.h"

namespace app {

namespace {

// A take-back after one that gave captured stones back has had its sound already.
void take_back_one_move() {
    if (!game.stones_restored)
        sound::play_sound_cue(sound::Cue::put_piece_sound, sound::in_the_background);
    engine::Events events = engine::events_of_a_move();
    engine::undo_move(game, events);
    show_events(events);
}

} // namespace

void back_button_Click() {
    const bool one_vs_comp = game.game_mode == engine::one_vs_comp;
    if (game.move_count <= 1 || (one_vs_comp && game.move_count == 2))
        set_enabled(Control::back_button, false);
    game.running = false;
    take_back_one_move();
    if (one_vs_comp) take_back_one_move();
}

} // namespace app
