// The main window's controls and the window operations through which the game acts on them.
#pragma once

#include <string>

namespace app {

// Every control of the main window, by its name on the window.
enum class Control {
    side_panel,
    title_panel,
    scode_lab,
    moves_panel,
    moves_label,
    games_won_label,
    r_games_won,
    g_games_won,
    Zero_games_won,
    columns_label,
    r_taken,
    g_taken,
    pairs_lost_label,
    mode_frame,
    two_player_button,
    one_player_button,
    no_player_button,
    computer_play_frame,
    run_button,
    halt_button,
    step_button,
    restart_button,
    back_button,
    quit_button,
};

constexpr int control_count = static_cast<int>(Control::quit_button) + 1;

const char* control_name(Control control);

// Enables or disables a button or mode option button; a disabled control ignores clicks.
void set_enabled(Control control, bool enabled);

// Shows a value on a 3-D panel.
void set_caption(Control panel, const std::string& value);
inline void set_caption(Control panel, int value) { set_caption(panel, std::to_string(value)); }

void set_busy_pointer(bool busy);

// Dispatches every pending window event, handlers included, and returns when none is left.
void process_events();

// Like process_events, but when no event is pending it sleeps in the window's event loop until
// one arrives, so that a wait for the timer costs no processor time.
void wait_for_events();

// Ends the program at once: no further handler runs and this call does not return.
[[noreturn]] void end_program();

// A modal box with the information icon, the application's title and one OK button.
void show_message(const std::string& text);

// Centres the main window on the screen, keeping its size.
void center_main_window();

// Starts or stops the move delay timer; while it runs it raises move_delay_timer_Timer once per
// interval.
void set_timer_enabled(bool enabled);

// Shows the About window, modal, and returns once it has been closed.
void show_about();

// Safe from any thread: makes a wait_for_events of the window's thread return, so that it sees
// that a search running beside it has finished.
void wake_window();

// Enables or disables the Hint command as hint_available says.
void refresh_hint_command();

// Puts the board's cursor ring on the grid point (x, y) and shows text in the status line,
// telling the screen reader too; the game is not touched.
void show_hint(int x, int y, const std::string& text);

} // namespace app
