// Captures: the stone just played takes every pair of the opponent's stones it brackets.
#pragma once

#include "engine/events.h"

namespace engine {

// Takes every pair bracketed by the stone at (move_x, move_y); true iff it took any. When it
// does, it has also counted the move and recorded the new stone's cell.
bool take_captures(Game& game, Events& events);

// True when the pair along direction d from (x, y) is bracketed by the mover.
bool capture_test(const Game& game, int d, int x, int y);

// True when the bracketing point three steps along d from the move lies off the grid.
bool capture_off_board(const Game& game, int d);

// Takes the pair along d from (x, y), logs its stones for undo and records the capturing stone.
void remove_pair(Game& game, int d, int x, int y, Events& events);

// Adds a pair to the mover's tally and refreshes the "Pairs Lost" panels.
void count_pair_taken(Game& game, Events& events);

} // namespace engine
