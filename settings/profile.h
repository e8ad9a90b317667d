// Reading and writing INI (profile) files the way the settings file has always been treated:
// names match without regard to case, the first matching section and key win, and a write
// touches only the line of its key.
#pragma once

#include <string>
#include <string_view>

namespace settings::profile {

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

// read_value on the file at path; a file that is missing or cannot be read counts as empty.
std::string read_file_value(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view default_value, int size);

// write_value on the file at path, creating it when missing. The new text goes to a temporary
// file in the same directory that is renamed over the old one; false, with the old file left as
// it was, when anything fails or write_value would refuse the setting.
bool write_file_value(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value);

} // namespace settings::profile
