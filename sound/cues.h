// The four sound cues and the media folder their files are looked up in.
#pragma once

#include <string>

namespace sound {

enum class Cue {
    put_piece_sound,
    take_two_sound,
    victory_sound,
    bad_sound
};

// The sound flags of a cue: in the background, cutting off the cue playing, or waiting until
// the sound has ended.
constexpr int in_the_background = 1;
constexpr int wait_for_the_sound = 0;

// The folder above the media folder, as get_media_base_dir told it, and the media folder.
extern std::string media_base_dir;
extern std::string media_dir;

// Sets media_base_dir and media_dir from the desktop's answer.
void init_media_dir();

// The file a cue plays: the media folder followed directly by the cue's file name.
std::string cue_path(Cue cue);

// Plays the cue's file with the given sound flags, unless sound is off.
void play_sound_cue(Cue cue, int flags);

} // namespace sound
