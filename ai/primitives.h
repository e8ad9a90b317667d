// The line-scanning operations through which the computer player reads the board.
#pragma once

#include "engine/game_state.h"

namespace ai {

struct Point {
    i16 x;
    i16 y;
};

// The direction counter of the tactics' direction loops; holds nothing between calls.
extern i16 scan_dir;

// The point `steps` steps from p along d; a negative count steps against d.
Point step(Point p, int d, int steps = 1);

// True iff the colour of p's cell is colour; empty is 0.
bool holds(Point p, int colour);

// Novice play has no exposure test, no capture to block and none of the Advanced-only tactics.
bool is_novice();

// try_move at p.
bool play(Point p);

// The direction opposite to d, for d = 1..8.
int opposite_dir(int d);

// True iff the run of colour through (x, y) along d has exactly n stones. Whenever (x, y) holds
// colour, writes the first points beyond the run against d (back) and along d (forward); leaves
// them alone otherwise.
bool exact_run(int d, int x, int y, int n, int colour, Point& back, Point& forward);

// True iff the n points after (x, y) along d all hold colour; then writes the point n + 1 steps
// away to after.
bool stones_follow(int x, int y, int n, int colour, int d, Point& after);

// True iff (x, y) is empty, the next point along d holds opp_color and the one after is empty.
bool gap_opp_gap(int d, int x, int y);

// True iff a cur_color stone at (x, y) would form a pair the opponent can take next move. Novice
// players never see it.
bool move_exposes_pair(int x, int y);

// Places a cur_color stone that brackets an opponent pair through (x, y), trying the lines
// through it in the order 1 to 4.
bool capture_pair_at(int x, int y);

// Takes away a pair through one of the n points after (x, y) along d, nearest first. Never for
// Novice.
bool capture_in_line(int x, int y, int n, int d);

} // namespace ai
