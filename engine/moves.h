// Placing a stone: the one road by which every stone enters the game.
#pragma once

#include "engine/events.h"

namespace engine {

// Shows a stone of cur_color at (x, y) and makes it the current move; false, with no effect at
// all, when the point is not interior. Neither tests nor writes the cell.
bool try_move(Game& game, int x, int y, Events& events);

// Shows the stone of the move being made (image number move_count + 1).
void show_stone(const Game& game, int x, int y, int color, Events& events);

// Writes the five fields of the cell (x, y).
void set_cell(Game& game, int color, int x, int y, int capture_dir, int move_no);

// The first half of finishing the move that try_move began: takes the pairs, counts the move
// and records its stone.
void record_move(Game& game, Events& events);

// The second half: judges the move and passes the turn unless it won. True iff the move ended
// the game.
bool end_move(Game& game, Events& events);

// Both halves, for a move with nothing to do between them.
bool finish_move(Game& game, Events& events);

} // namespace engine
