// What a move of the computer player answered, as text for the assertions.
#pragma once

#include <string>

namespace tactic_answer {

// The point the last move went to, as "x,y".
std::string last_point();

// What a tactic did: the point it played, or "none"; fails the test if it showed any stone
// other than the one it reports. The stone's image is taken away again and the board is left
// as it was, so that the same position can be asked again.
std::string answer(bool (*tactic)());

} // namespace tactic_answer
