// Placing a stone: the one road by which every stone enters the game.
#pragma once

namespace engine {

// Shows a stone of cur_color at (x, y) and makes it the current move; false, with no effect at
// all, when the point is not interior. Neither tests nor writes the cell.
bool try_move(int x, int y);

// Shows the stone of the move being made (image number move_count + 1).
void show_stone(int x, int y, int color);

// Writes the five fields of the cell (x, y).
void set_cell(int color, int x, int y, int capture_dir, int move_no);

// Finishes the move that try_move began, for whoever chose it: takes the pairs, counts and
// records the move, runs after_record if given, judges the move and passes the turn unless it
// won. True iff the move ended the game.
bool finish_move(void (*after_record)() = nullptr);

} // namespace engine
