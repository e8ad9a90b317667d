// The one game the window shows, the computer's move on it, and what the rules' events become
// in the window and the sound.
#include "app/controller.h"

#include "ai/expert/expert_player.h"
#include "app/window_ops.h"
#include "engine/moves.h"
#include "sound/cues.h"
#include "view/board_view.h"

namespace app {

engine::Game game;
ai::Dice dice;

namespace {

sound::Cue sound_of(engine::Cue cue) {
    switch (cue) {
    case engine::Cue::put_piece: return sound::Cue::put_piece_sound;
    case engine::Cue::take_two: return sound::Cue::take_two_sound;
    case engine::Cue::victory: return sound::Cue::victory_sound;
    case engine::Cue::bad: return sound::Cue::bad_sound;
    }
    return sound::Cue::bad_sound;
}

void disable_play_buttons() {
    set_enabled(Control::back_button, false);
    set_enabled(Control::halt_button, false);
    set_enabled(Control::step_button, false);
    set_enabled(Control::run_button, false);
}

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };

} // namespace

// A panel that counts what a side has lost shows the other side's tally.
void show_events(const engine::Events& events) {
    for (const engine::Event& event : events)
        std::visit(
            Overloaded{
                [](const engine::StonePlaced& e) {
                    view::place_stone_image(e.color, e.index, e.x, e.y);
                },
                [](const engine::StoneTaken& e) { view::hide_stone_image(e.color, e.index); },
                [](const engine::StoneRestored& e) { view::reshow_stone_image(e.color, e.index); },
                [](const engine::StoneRemoved& e) { view::remove_stone_image(e.color, e.index); },
                [](const engine::TurnPassed& e) { view::set_turn_indicator(e.color); },
                [](const engine::PairsCounted& e) {
                    set_caption(Control::g_taken, e.pairs_taken[1]);
                    set_caption(Control::r_taken, e.pairs_taken[0]);
                },
                [](const engine::MovesCounted& e) {
                    set_caption(Control::moves_panel, e.move_count);
                },
                [](const engine::GamesWonCounted& e) {
                    set_caption(Control::r_games_won, e.games_won[1]);
                    set_caption(Control::g_games_won, e.games_won[0]);
                },
                [](const engine::CuePlayed& e) {
                    // The rules' cues all play in the background.
                    sound::play_sound_cue(sound_of(e.cue), sound::in_the_background);
                },
                [](const engine::MarkerPlaced& e) { view::place_marker(e.index, e.x, e.y); },
                [](const engine::WinAnnounced& e) { show_message(e.message); },
                [](const engine::GameEnded&) { disable_play_buttons(); },
            },
            event);
}

bool make_computer_move() {
    search_abandoned = false;
    const std::optional<ai::Choice> choice =
        game.skill_level == engine::expert ? think_ahead(true) : ai::computer_move(game, dice);
    if (!choice) return false;
    engine::Events events = engine::events_of_a_move();
    engine::try_move(game, choice->at.x, choice->at.y, events);
    game.strategy_code = choice->strategy_code;
    engine::finish_move(game, events);
    show_events(events);
    return true;
}

} // namespace app
