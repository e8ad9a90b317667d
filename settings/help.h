// The Help menu: the help file beside the program and the About window.
#pragma once

namespace settings {

// Opens the help file at its first topic.
void q_help_menu_Click();

// Shows the About window and returns once it has been closed.
void about_menu_Click();

} // namespace settings
