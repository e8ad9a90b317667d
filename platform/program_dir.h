// The program's folder, beside which the settings file, the cues, the help file and the modules
// lie.
#pragma once

#include <string>

namespace platform {

// The directory of the program, without a trailing separator.
std::string program_dir();

} // namespace platform
