// The menus' handlers: File > Exit, the Options menu and the Help menu.
#include "app/controller.h"

#include "app/window_ops.h"
#include "help/help_platform.h"
#include "platform/program_dir.h"
#include "settings/settings.h"

namespace app {

namespace {

// The settings file's levels are the game's.
static_assert(settings::novice == engine::novice && settings::advanced == engine::advanced &&
              settings::expert == engine::expert);

void set_skill(int level) {
    game.skill_level = static_cast<i16>(level);
    settings::show_skill_marks(level);
}

} // namespace

void exit_menu_Click() { quit_button_Click(); }

void sound_menu_Click() {
    settings::sound_on = !settings::sound_on;
    settings::show_sound_mark();
}

void novice_menu_Click() { set_skill(settings::novice); }

void advanced_menu_Click() { set_skill(settings::advanced); }

void expert_menu_Click() { set_skill(settings::expert); }

void save_menu_Click() { settings::save_settings(game.skill_level); }

// Nothing is reported when the file is missing: the viewer then simply does not open.
void q_help_menu_Click() {
    help::show_help_topic(platform::program_dir() + "/vellox.qch", "Introduction");
}

void about_menu_Click() { show_about(); }

} // namespace app
