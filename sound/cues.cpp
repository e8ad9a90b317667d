// Where the sound cues' files are and how a cue is played.
#include "sound/cues.h"

#include "settings/settings.h"
#include "sound/sound_platform.h"

#include <cstring>

namespace sound {

std::string media_base_dir;
std::string media_dir;

namespace {

constexpr int media_base_dir_size = 200;

const std::string& cue_file(Cue cue) {
    switch (cue) {
    case Cue::put_piece_sound: return settings::put_piece_sound_file;
    case Cue::take_two_sound: return settings::take_two_sound_file;
    case Cue::victory_sound: return settings::victory_sound_file;
    case Cue::bad_sound: return settings::bad_sound_file;
    }
    return settings::bad_sound_file;
}

} // namespace

int copy_directory(const std::string& dir, char* buffer, int size) {
    const int length = static_cast<int>(dir.size());
    if (length >= size) return length + 1;
    std::memcpy(buffer, dir.c_str(), dir.size() + 1);
    return length;
}

// A directory that did not fit the buffer counts as a failed query, as the buffer then holds
// nothing usable.
void init_media_dir() {
    media_base_dir.assign(media_base_dir_size, '\0');
    int length = sound::get_media_base_dir(media_base_dir.data(), media_base_dir_size);
    if (length < 0 || length >= media_base_dir_size) length = 0;
    media_dir = media_base_dir.substr(0, static_cast<std::size_t>(length)) + "/media/";
}

std::string cue_path(Cue cue) { return media_dir + cue_file(cue); }

void play_sound_cue(Cue cue, int flags) {
    if (settings::sound_on) sound::play_sound(cue_path(cue), flags);
}

} // namespace sound
