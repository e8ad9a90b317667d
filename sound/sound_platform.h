// What the cues need from the desktop: the folder above the media folder and a sound output.
#pragma once

#include <string>

namespace sound {

// Writes the directory under which the media folder lies into buffer and returns its length; 0
// when it cannot be told. A directory that does not fit gives the size it would need.
int get_media_base_dir(char* buffer, int size);

// Hands dir out the way get_media_base_dir does: copied with its NUL into a buffer of size
// characters, returning its length; a directory that does not fit leaves the buffer alone and
// returns the size it would need.
int copy_directory(const std::string& dir, char* buffer, int size);

// flags 1: plays in the background and cuts off the sound playing; flags 0: returns when the
// sound has ended. A path that names no playable file gives the default alert sound.
void play_sound(const std::string& path, int flags);

} // namespace sound
