// What must hold between any two moves of any game: the rules' bookkeeping agrees with itself
// and with the picture arrays.
#pragma once

#include "engine/game.h"

#include <string>

namespace invariants {

// The first fault found, or an empty text when all is well: stones only on interior points,
// each with a unique move number in 1..move_count, odd numbers GREEN and even RED; images for
// exactly the moves 1..move_count, in the array of their color, shown exactly while their
// stone is on the board; the capture log within its capacity and matching both tallies.
std::string first_fault(const engine::Game& game);

} // namespace invariants
