// Positions for the logic tests, written as rows of text: 'G' a GREEN stone, 'R' a RED stone,
// '.' an empty point; any other character leaves its point as it is.
#pragma once

#include "engine/events.h"

#include <string>
#include <vector>

namespace board_text {

// Puts the stones of rows on the board, the first character of the first row at (left, top),
// as if each had been played in turn without taking anything: reading order gives the move
// numbers, each stone gets its picture and the bounding box grows. The side to move stays as it
// is. Returns the pictures' events, for a window that shows the game.
engine::Events place(engine::Game& game, int left, int top, const std::vector<std::string>& rows);

} // namespace board_text
