// Reading the settings at start-up, the Options menu's check marks and saving the settings.
#include "settings/settings.h"

#include "platform/program_dir.h"
#include "settings/ini_file.h"
#include "settings/settings_platform.h"

#include <algorithm>
#include <cctype>

namespace settings {

std::string sound_setting;
std::string skill_setting;
std::string victory_sound_file;
std::string bad_sound_file;
std::string put_piece_sound_file;
std::string take_two_sound_file;
std::string ini_path;
bool sound_on{};

namespace {

const std::string section = "OPTIONS";
const std::string missing_value = " ";
constexpr int value_buffer_size = 128;

std::string read_setting(std::string_view text, const std::string& key) {
    return read_value(text, section, key, missing_value, value_buffer_size);
}

// True when value, upper-cased, begins with prefix; "of" turns the sound off, "nov" picks Novice
// and "exp" Expert.
bool starts_with_upper(const std::string& value, const std::string& prefix) {
    if (value.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), value.begin(), [](char want, char got) {
        return want == std::toupper(static_cast<unsigned char>(got));
    });
}

} // namespace

void init_ini_path() { ini_path = platform::program_dir() + "/" + "VELLOX.INI"; }

// The file is read once, and every key is then looked up in its text.
int load_settings() {
    const std::string text = read_settings_text(ini_path);
    victory_sound_file = read_setting(text, "VictorySoundFIle");
    bad_sound_file = read_setting(text, "BadSoundFile");
    put_piece_sound_file = read_setting(text, "PutAPieceSoundFile");
    take_two_sound_file = read_setting(text, "TakeTwoPiecesSoundFile");
    sound_setting = read_setting(text, "Sound");
    sound_on = !starts_with_upper(sound_setting, "OF");
    show_sound_mark();
    skill_setting = read_setting(text, "Skill");
    const int skill_level = starts_with_upper(skill_setting, "NOV")   ? novice
                            : starts_with_upper(skill_setting, "EXP") ? expert
                                                                      : advanced;
    show_skill_marks(skill_level);
    return skill_level;
}

void show_sound_mark() { set_checked(MenuItem::sound_menu, sound_on); }

void show_skill_marks(int skill_level) {
    set_checked(MenuItem::novice_menu, skill_level == novice);
    set_checked(MenuItem::advanced_menu, skill_level == advanced);
    set_checked(MenuItem::expert_menu, skill_level == expert);
}

void save_settings(int skill_level) {
    const char* skill = skill_level == expert ? "EXP" : skill_level == advanced ? "ADV" : "NOV";
    write_setting(section, "Skill", skill, ini_path);
    write_setting(section, "Sound", sound_on ? "ON" : "OFF", ini_path);
}

} // namespace settings
