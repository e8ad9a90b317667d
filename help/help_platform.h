// What the Help menu needs from the desktop: the program's help viewer.
#pragma once

#include <string>

namespace help {

// Shows the help file in the help viewer at topic, beside its table of contents; a viewer
// already open is brought forward. A file that cannot be read or that lacks the topic shows
// nothing.
void show_help_topic(const std::string& file, const std::string& topic);

// Tells the help viewer that the program no longer needs it: an open viewer is closed.
void close_help_viewer();

} // namespace help
