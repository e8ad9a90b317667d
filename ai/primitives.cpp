// The line-scanning operations: runs, followers, gaps, the pair-exposure test and captures.
#include "ai/primitives.h"

#include "engine/moves.h"

namespace ai {

using engine::cur_color;
using engine::opp_color;

bool is_novice() { return engine::skill_level == 0; }

bool play(Point p) { return engine::try_move(p.x, p.y); }

int opposite_dir(int d) { return d < 5 ? d + 4 : (d + 5) % 9; }

int run_length(int d, int x, int y, int color, Point& back, Point& forward) {
    Point p{static_cast<i16>(x), static_cast<i16>(y)};
    if (!holds(p, color)) return 0;
    while (holds(p, color)) p = step(p, d);
    forward = p;
    // Walking back from the forward end counts the whole run, on both sides of (x, y).
    int steps = 0;
    do {
        p = step(p, d, -1);
        ++steps;
    } while (holds(p, color));
    back = p;
    return steps - 1;
}

bool exact_run(int d, int x, int y, int n, int color, Point& back, Point& forward) {
    return run_length(d, x, y, color, back, forward) == n;
}

bool stones_follow(int x, int y, int n, int color, int d, Point& after) {
    Point p{static_cast<i16>(x), static_cast<i16>(y)};
    int k = 0;
    do {
        ++k;
        p = step(p, d);
    } while (holds(p, color) && k <= n);
    if (k <= n) return false;
    after = p;
    return true;
}

bool gap_opp_gap(int d, int x, int y) {
    const Point p{static_cast<i16>(x), static_cast<i16>(y)};
    return holds(p, engine::empty) && holds(step(p, d), opp_color) &&
           holds(step(p, d, 2), engine::empty);
}

bool move_exposes_pair(int x, int y) {
    if (is_novice()) return false;
    const Point p{static_cast<i16>(x), static_cast<i16>(y)};
    for (int d = 1; d <= 8; ++d) {
        const Point a = step(p, d);
        const Point b = step(p, d, 2);
        const Point r = step(p, d, -1);
        if (holds(a, cur_color) && holds(b, opp_color) && holds(r, engine::empty)) return true;
        if (holds(a, cur_color) && holds(b, engine::empty) && holds(r, opp_color)) return true;
    }
    return false;
}

bool capture_pair_at(int x, int y) {
    for (int d = 1; d <= 4; ++d) {
        Point back{};
        Point forward{};
        if (exact_run(d, x, y, 2, opp_color, back, forward) && bracket_pair(back, forward))
            return true;
    }
    return false;
}

bool bracket_pair(Point a, Point b) {
    if (holds(a, cur_color) && holds(b, engine::empty) && play(b)) return true;
    return holds(b, cur_color) && holds(a, engine::empty) && play(a);
}

bool capture_in_line(int x, int y, int n, int d) {
    if (is_novice()) return false;
    Point p = step(Point{static_cast<i16>(x), static_cast<i16>(y)}, d);
    for (int i = 0; i < n; ++i, p = step(p, d))
        if (capture_pair_at(p.x, p.y)) return true;
    return false;
}

} // namespace ai
