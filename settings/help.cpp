// The Help menu's handlers.
#include "settings/help.h"

#include "settings/system_platform.h"

namespace settings {

// Nothing is reported when the file is missing: the viewer then simply does not open.
void q_help_menu_Click() {
    platform::html_help(platform::program_dir() + "/vellox.qch", "Introduction");
}

void about_menu_Click() { platform::show_about(); }

} // namespace settings
