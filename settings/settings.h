// The settings file: sound on or off, the skill level and the names of the four sound files.
#pragma once

#include <string>

namespace settings {

extern std::string sound_setting;
extern std::string skill_setting;
extern std::string victory_sound_file;
extern std::string bad_sound_file;
extern std::string put_piece_sound_file;
extern std::string take_two_sound_file;

// Builds ini_path from the program's directory.
void init_ini_path();

// Reads the settings file into the live settings and sets the Options menu's check marks.
void load_settings();

void sound_menu_Click();
void novice_menu_Click();
void advanced_menu_Click();
void save_menu_Click();

} // namespace settings
