// Points on the board, and the runs of two or more stones, found once for all the tactics of a
// move.
#pragma once

#include "engine/game.h"

#include <array>

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
inline bool holds(const engine::Game& game, Point p, int color) {
    return game.cell(p.x, p.y).color == color;
}

// The number of stones in the run of color through (x, y) along d, 0 when (x, y) does not hold
// color. Whenever it does, writes the first points beyond the run against d (back) and along d
// (forward); leaves them alone otherwise.
int run_length(const engine::Game& game, int d, int x, int y, int color, Point& back,
               Point& forward);

// A run of `length` stones of color along d, from back end a to forward end b (the first
// points beyond its stones).
struct Run {
    Point a;
    Point b;
    i16 d;
    i16 length;
    i16 color;
};

// A stone lies in at most four runs, one a line orientation, and a run has two stones or more.
constexpr int most_runs = 4 * 17 * 17 / 2;

// The runs of a board, held in place: the computer finds them at every move.
class Runs {
public:
    void push_back(const Run& run) { runs_[count_++] = run; }
    const Run* begin() const { return runs_.data(); }
    const Run* end() const { return runs_.data() + count_; }

private:
    std::array<Run, most_runs> runs_;
    int count_ = 0;
};

// The runs of two or more stones, in the order in which a scan of the bounding box (x in the
// outer loop, y in the inner one, then the four line orientations) first meets each of them.
void find_runs(const engine::Game& game, Runs& runs);

} // namespace ai
