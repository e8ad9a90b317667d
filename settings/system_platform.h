// What the settings, sound and help code needs from the system: directories, the settings file,
// the sound device, menu check marks, the help viewer and the About window.
#pragma once

#include <string>

namespace settings {

enum class MenuItem {
    sound_menu,
    novice_menu,
    advanced_menu
};

// Hands dir out the way the system's directory query does: copied with its NUL into a buffer of
// size characters, returning its length; a directory that does not fit leaves the buffer alone
// and returns the size it would need.
int copy_directory(const std::string& dir, char* buffer, int size);

} // namespace settings

namespace platform {

// The directory of the program, without a trailing separator.
std::string program_dir();

// Writes the directory under which the media folder lies into buffer and returns its length; 0
// when it cannot be told. A directory that does not fit gives the size it would need.
int get_windows_directory(char* buffer, int size);

// Everything in the settings file, read in one go; empty when there is no such file or it cannot
// be read, which then reads as a file without the section. Where the user cannot write the
// folder of the file, this and write_profile_string work on a copy of the user's own.
std::string read_profile_text(const std::string& file);

// Creates or replaces the line of key in section; true when the file was written.
bool write_profile_string(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file);

// flags 1: plays in the background and cuts off the sound playing; flags 0: returns when the
// sound has ended. A path that names no playable file gives the default alert sound.
void play_sound(const std::string& path, int flags);

void set_checked(settings::MenuItem item, bool checked);

// Shows the help file in the help viewer at topic, beside its table of contents; a viewer
// already open is brought forward. A file that cannot be read or that lacks the topic shows
// nothing.
void html_help(const std::string& file, const std::string& topic);

// Tells the help viewer that the program no longer needs it: an open viewer is closed.
void help_quit();

// Shows the About window, modal, and returns once it has been closed.
void show_about();

} // namespace platform
