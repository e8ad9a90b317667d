// The four sound cues and the media folder their files are looked up in.
#pragma once

#include <string>

namespace settings {

enum class Cue {
    put_piece_sound,
    take_two_sound,
    victory_sound,
    bad_sound
};

// Sets windows_dir and media_dir from the system's directory.
void init_media_dir();

// The file a cue plays: the media folder followed directly by the cue's file name.
std::string cue_path(Cue cue);

// Plays the cue's file with the given sound flags, unless sound is off.
void play_sound_cue(Cue cue, int flags);

} // namespace settings
