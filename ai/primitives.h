// The line-scanning operations through which the computer player reads the board.
#pragma once

#include "engine/game_state.h"

namespace ai {

struct Point {
    i16 x;
    i16 y;
};

// The point `steps` steps from p along d; a negative count steps against d.
inline Point step(Point p, int d, int steps = 1) {
    const engine::Direction& s = engine::dir_table[d];
    return Point{static_cast<i16>(p.x + steps * s.dx), static_cast<i16>(p.y + steps * s.dy)};
}

// True iff the color of p's cell is color; empty is 0.
inline bool holds(Point p, int color) { return engine::cell(p.x, p.y).color == color; }

// Novice play has no exposure test, no capture to block and none of the Advanced-only tactics.
bool is_novice();

// try_move at p.
bool play(Point p);

// The direction opposite to d, for d = 1..8.
int opposite_dir(int d);

// The number of stones in the run of color through (x, y) along d, 0 when (x, y) does not hold
// color. Whenever it does, writes the first points beyond the run against d (back) and along d
// (forward); leaves them alone otherwise.
int run_length(int d, int x, int y, int color, Point& back, Point& forward);

// True iff the run of color through (x, y) along d has exactly n stones, n > 0; writes back and
// forward as run_length does.
bool exact_run(int d, int x, int y, int n, int color, Point& back, Point& forward);

// True iff the n points after (x, y) along d all hold color; then writes the point n + 1 steps
// away to after.
bool stones_follow(int x, int y, int n, int color, int d, Point& after);

// True iff (x, y) is empty, the next point along d holds opp_color and the one after is empty.
bool gap_opp_gap(int d, int x, int y);

// True iff a cur_color stone at (x, y) would form a pair the opponent can take next move. Novice
// players never see it.
bool move_exposes_pair(int x, int y);

// Places a cur_color stone that brackets the opponent pair from back end a to forward end b: at
// the forward end first.
bool bracket_pair(Point a, Point b);

// Places a cur_color stone that brackets an opponent pair through (x, y), trying the lines
// through it in the order 1 to 4.
bool capture_pair_at(int x, int y);

// Takes away a pair through one of the n points after (x, y) along d, nearest first. Never for
// Novice.
bool capture_in_line(int x, int y, int n, int d);

} // namespace ai
