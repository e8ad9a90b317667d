// The computer's whole move: the ladder of tactics, the random last resort and the move's end.
#pragma once

namespace ai {

// Makes one complete move for cur_color and names it in strategy_code. False, with no effect at
// all, only when no interior point is empty; the caller then stops as if halted.
bool computer_move();

// Places a stone near the centre: random in the first moves, then the nearest acceptable point.
// False when every candidate was refused.
bool random_move();

// Draws a whole number uniformly from 1..5 for random_move; tests replace it to script the
// candidates. Defaults to clock_seeded_draw.
extern int (*draw_one_to_five)();

// The generator that random_move reseeds from the clock at every call.
int clock_seeded_draw();

} // namespace ai
