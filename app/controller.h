// The main window's handlers: every user event and timer tick enters the game here.
#pragma once

namespace app {

// Start-up and new game (startup.cpp).
void Form_Load();
void Form_Unload();
void initialize_program();
void new_game();
void restart_button_Click();
void quit_button_Click();
void exit_menu_Click();
void no_player_button_Click();
void one_player_button_Click();
void two_player_button_Click();

// Presses on the window (human_input.cpp).
void Panel3D2_MouseDown(int button, int shift, float X, float Y);

// Computer play (computer_play.cpp).
void Timer1_Timer();

// Scoreboard (scoreboard.cpp).
void show_move_status();
void Zero_games_won_Click();

} // namespace app
