// Five in a row, the win and the end of a game.
#pragma once

#include "engine/events.h"

namespace engine {

// True iff the move at (move_x, move_y) won the game for the mover, by five pairs or by five or
// more in a row; a win is announced, counted and ends the game.
bool judge_move(Game& game, Events& events);

// True iff the stone at (x, y) stands in a run of five or more; sets five_found to the result.
bool five_check(Game& game, int x, int y, Events& events);

// True iff the run along direction d through (x, y) has five or more stones; it then shows the
// win markers on the five stones nearest the run's back end.
bool line_check(Game& game, int d, int x, int y, Events& events);

} // namespace engine
