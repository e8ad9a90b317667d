// Mouse presses on the window's own surfaces.
#include "app/controller.h"

#include "engine/game_state.h"
#include "settings/sound.h"

namespace app {

// The bare part of the side panel takes no input; a press there only says so.
void Panel3D2_MouseDown(int, int, float, float) {
    settings::play_sound_cue(settings::Cue::bad_sound, engine::sound_flags);
}

} // namespace app
