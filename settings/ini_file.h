// Reading and writing INI files the way the settings file has always been treated:
// names match without regard to case, the first matching section and key win, and a write
// touches only the line of its key.
#pragma once

#include <string>
#include <string_view>

namespace settings {

// The value of key in section of an INI text as it arrives in a buffer of size characters: at
// most size - 1 characters, quotes around it removed, cut at a NUL. default_value (cut the same
// way) when the section or the key is missing, or when a name could never have been written.
std::string read_value(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view default_value, int size);

// The text with key in section set to value; every other line stays byte for byte. The text
// comes back unchanged when a name or the value would not read back as itself (an empty name,
// blanks around a name, '=' or a leading ';' or '[' in a key, a line break or NUL anywhere).
std::string write_value(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

// A descriptor open for reading on the regular file at path, which never blocks to open; -1,
// with errno set, for anything else (ENOENT: nothing there).
int open_regular_file(const std::string& path);

// Everything in the file at path; empty when it is missing or cannot be read. Only a regular
// file is ever opened.
std::string read_file_text(const std::string& path);

// write_value on the file at path, creating it when missing; a missing file starts from the
// text of the file at start_from, when one is named. A symbolic link is saved through, never
// replaced. The new text goes to a temporary file in the same directory that is renamed over the
// old one; false, with the old file left as it was, when anything fails, when the file is
// read-only or when write_value would refuse the setting.
bool write_file_value(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value, const std::string& start_from = {});

// The settings file at path as one user keeps it. While the user can write the folder of path,
// that is path itself. Otherwise it is the file of the same name in config_dir, made from path's
// text by the first save and read instead of path from then on.
std::string read_user_text(const std::string& path, const std::string& config_dir);
bool write_user_value(const std::string& path, const std::string& config_dir,
                      std::string_view section, std::string_view key, std::string_view value);

} // namespace settings
