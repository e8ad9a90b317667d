// The settings file: sound on or off, the skill level and the names of the four sound files.
#pragma once

#include <string>

namespace settings {

// The values as the settings file gave them, for the cues and for saving.
extern std::string sound_setting;
extern std::string skill_setting;
extern std::string victory_sound_file;
extern std::string bad_sound_file;
extern std::string put_piece_sound_file;
extern std::string take_two_sound_file;

// The settings file beside the program.
extern std::string ini_path;

// Whether the cues play: read from the file, switched by Options > Sound.
extern bool sound_on;

// Skill levels as the settings file and the Options menu know them.
constexpr int novice = 0;
constexpr int advanced = 1;
// Looks ahead: above the two levels of the ladder.
constexpr int expert = 2;

// Builds ini_path from the program's directory.
void init_ini_path();

// Reads the settings file into the live settings, sets the Options menu's check marks and
// returns the skill level the file names.
int load_settings();

void show_sound_mark();
void show_skill_marks(int skill_level);

// Writes the skill level and the sound setting to the settings file.
void save_settings(int skill_level);

} // namespace settings
