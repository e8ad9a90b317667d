// What the settings need from the desktop: the settings file and the Options menu's check marks.
#pragma once

#include <string>

namespace settings {

enum class MenuItem {
    sound_menu,
    novice_menu,
    advanced_menu,
    expert_menu
};

// Everything in the settings file, read in one go; empty when there is no such file or it cannot
// be read, which then reads as a file without the section. Where the user cannot write the
// folder of the file, this and write_setting work on a copy of the user's own.
std::string read_settings_text(const std::string& file);

// Creates or replaces the line of key in section; true when the file was written.
bool write_setting(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file);

void set_checked(MenuItem item, bool checked);

} // namespace settings
