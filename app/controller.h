// The main window's handlers: every user event and timer tick enters the game here.
#pragma once

#include "ai/computer_move.h"
#include "engine/events.h"

namespace app {

// The one game the window shows, and the draws its computer player makes.
extern engine::Game game;
extern ai::Dice dice;

// Shows what the rules did, in order, in the window, the sound and the screen reader.
void show_events(const engine::Events& events);

// The computer's whole move for the side to move, as described for computer_move: false, with no
// effect at all, when no interior point is empty, or when Expert's search ahead was abandoned
// because the game, the mode, the skill or the run changed while it thought (see
// search_abandoned).
bool make_computer_move();

// True when the last make_computer_move played nothing because its search was abandoned.
extern bool search_abandoned;

// True while Expert searches, for a move or a hint, the window answering meanwhile.
extern bool computer_thinking;
// True while Expert searches for the computer's move: the board refuses presses then, as the
// move is not the person's.
extern bool computer_moving;

// Expert's choice for the side to move, searched on a copy of the game on a thread of its own
// while the window goes on answering (expert_play.cpp); for_move when it is the computer's move.
// Nothing when the search is no longer wanted: the game, its mode, the skill or the run changed
// while it thought.
std::optional<ai::Choice> think_ahead(bool for_move);

// Help > Hint: the point Expert would play for the side to move, shown on the board and told,
// not played. Does nothing once the game is over or while the computer plays.
void hint_menu_Click();
// Whether the Hint command can be given now.
bool hint_available();

// Start-up and new game (startup.cpp).
void Form_Load();
void Form_Unload();
void initialize_program();
void new_game();
void restart_button_Click();
void quit_button_Click();
void no_player_button_Click();
void one_player_button_Click();
void two_player_button_Click();

// Presses on the window (human_input.cpp).
void Form_MouseDown(int button, int shift, float X, float Y);
// A press on the grid point (x, y), however it was made: the mouse or the keyboard's cursor.
void board_point_pressed(int x, int y);
bool mouse_point_ok();
void x_image_Click(int index);
void side_panel_MouseDown(int button, int shift, float X, float Y);

// The grid point of the last press on the board.
extern i16 mouse_x;
extern i16 mouse_y;

// Computer play (computer_play.cpp).
void step_button_Click();
void run_button_Click();
void halt_button_Click();
void move_delay_timer_Timer();

// Whether the move delay timer is running; only Run's move delay and the tick change it.
extern bool move_delay_timer_enabled;

// The menus (menus.cpp).
void exit_menu_Click();
void sound_menu_Click();
void novice_menu_Click();
void advanced_menu_Click();
void expert_menu_Click();
void save_menu_Click();
void q_help_menu_Click();
void about_menu_Click();

// Taking moves back (back_command.cpp).
void back_button_Click();

// Scoreboard (scoreboard.cpp).
void show_move_status();
void Zero_games_won_Click();

} // namespace app
