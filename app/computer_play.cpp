// Step, Run and Halt: the computer's moves without a click on the board, and the timer that
// paces a run.
#include "app/controller.h"

#include "app/window_ops.h"

#include <initializer_list>
#include <utility>

namespace app {

bool move_delay_timer_enabled = false;

namespace {

void set_move_delay_timer_enabled(bool enabled) {
    move_delay_timer_enabled = enabled;
    set_timer_enabled(enabled);
}

void set_enabled_in_order(std::initializer_list<std::pair<Control, bool>> controls) {
    for (const auto& [control, enabled] : controls) set_enabled(control, enabled);
}

// Half a second between the moves of a run, with the window live all the while: the tick
// stops the timer and so ends the wait.
void wait_move_delay() {
    set_move_delay_timer_enabled(true);
    while (move_delay_timer_enabled) wait_for_events();
}

} // namespace

void step_button_Click() {
    if (!game.game_over) {
        set_busy_pointer(true);
        make_computer_move();
        show_move_status();
        set_busy_pointer(false);
    }
    if (!game.game_over) set_enabled(Control::back_button, true);
}

// Other handlers run during the delays and may end the run ("Halt", "Back", "Clear") or the
// game; both are read again before every move. With no point left to play the run halts.
void run_button_Click() {
    if (game.game_mode != engine::comp_vs_comp) return;
    game.running = true;
    set_enabled_in_order({{Control::back_button, false},
                          {Control::halt_button, true},
                          {Control::run_button, false},
                          {Control::step_button, false},
                          {Control::one_player_button, false},
                          {Control::two_player_button, false}});
    while (game.running && !game.game_over) {
        if (!make_computer_move()) {
            // Whatever stopped the search has already set the buttons.
            if (search_abandoned) continue;
            halt_button_Click();
            return;
        }
        wait_move_delay();
        show_move_status();
        process_events();
    }
}

void halt_button_Click() {
    game.running = false;
    set_enabled_in_order({{Control::back_button, true},
                          {Control::step_button, true},
                          {Control::run_button, true},
                          {Control::halt_button, false},
                          {Control::one_player_button, true},
                          {Control::two_player_button, true}});
    show_move_status();
}

void move_delay_timer_Timer() { set_move_delay_timer_enabled(false); }

} // namespace app
