// The main window's handlers: every user event and timer tick enters the game here.
#pragma once

#include "engine/game_state.h"

namespace app {

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
void save_menu_Click();
void q_help_menu_Click();
void about_menu_Click();

// Taking moves back (back_command.cpp).
void back_button_Click();

// Scoreboard (scoreboard.cpp).
void show_move_status();
void Zero_games_won_Click();

} // namespace app
