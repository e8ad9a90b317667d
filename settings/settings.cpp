// Reading the settings at start-up, the Options menu's handlers and saving the settings.
#include "settings/settings.h"

#include "engine/game_state.h"
#include "settings/profile.h"
#include "settings/system_platform.h"

#include <algorithm>
#include <cctype>

namespace settings {

std::string sound_setting;
std::string skill_setting;
std::string victory_sound_file;
std::string bad_sound_file;
std::string put_piece_sound_file;
std::string take_two_sound_file;

namespace {

const std::string section = "OPTIONS";
const std::string missing_value = " ";
constexpr int value_buffer_size = 128;

std::string read_setting(std::string_view text, const std::string& key) {
    return profile::read_value(text, section, key, missing_value, value_buffer_size);
}

// True when value, upper-cased, begins with prefix; "of" turns the sound off, "nov" picks Novice.
bool starts_with_upper(const std::string& value, const std::string& prefix) {
    if (value.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), value.begin(), [](char want, char got) {
        return want == std::toupper(static_cast<unsigned char>(got));
    });
}

void show_skill_marks() {
    platform::set_checked(MenuItem::novice_menu, engine::skill_level == 0);
    platform::set_checked(MenuItem::advanced_menu, engine::skill_level == 1);
}

void set_skill(int level) {
    engine::skill_level = static_cast<i16>(level);
    show_skill_marks();
}

} // namespace

void init_ini_path() { engine::ini_path = platform::program_dir() + "/" + "VELLOX.INI"; }

// The file is read once, and every key is then looked up in its text.
void load_settings() {
    const std::string text = platform::read_profile_text(engine::ini_path);
    victory_sound_file = read_setting(text, "VictorySoundFIle");
    bad_sound_file = read_setting(text, "BadSoundFile");
    put_piece_sound_file = read_setting(text, "PutAPieceSoundFile");
    take_two_sound_file = read_setting(text, "TakeTwoPiecesSoundFile");
    sound_setting = read_setting(text, "Sound");
    engine::sound_on = !starts_with_upper(sound_setting, "OF");
    platform::set_checked(MenuItem::sound_menu, engine::sound_on);
    skill_setting = read_setting(text, "Skill");
    set_skill(starts_with_upper(skill_setting, "NOV") ? 0 : 1);
}

void sound_menu_Click() {
    engine::sound_on = !engine::sound_on;
    platform::set_checked(MenuItem::sound_menu, engine::sound_on);
}

void novice_menu_Click() { set_skill(0); }

void advanced_menu_Click() { set_skill(1); }

void save_menu_Click() {
    platform::write_profile_string(section, "Skill", engine::skill_level == 1 ? "ADV" : "NOV",
                                   engine::ini_path);
    platform::write_profile_string(section, "Sound", engine::sound_on ? "ON" : "OFF",
                                   engine::ini_path);
}

} // namespace settings
