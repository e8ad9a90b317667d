// Where the sound cues' files are and how a cue is played.
#include "settings/sound.h"

#include "engine/game_state.h"
#include "settings/settings.h"
#include "settings/system_platform.h"

#include <cstring>

namespace settings {

namespace {

constexpr int windows_dir_size = 200;

const std::string& cue_file(Cue cue) {
    switch (cue) {
    case Cue::put_piece_sound: return put_piece_sound_file;
    case Cue::take_two_sound: return take_two_sound_file;
    case Cue::victory_sound: return victory_sound_file;
    case Cue::bad_sound: return bad_sound_file;
    }
    return bad_sound_file;
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
    engine::windows_dir.assign(windows_dir_size, '\0');
    int length = platform::get_windows_directory(engine::windows_dir.data(), windows_dir_size);
    if (length < 0 || length >= windows_dir_size) length = 0;
    engine::media_dir = engine::windows_dir.substr(0, static_cast<std::size_t>(length)) + "/media/";
}

std::string cue_path(Cue cue) { return engine::media_dir + cue_file(cue); }

void play_sound_cue(Cue cue, int flags) {
    if (engine::sound_on) platform::play_sound(cue_path(cue), flags);
}

} // namespace settings
