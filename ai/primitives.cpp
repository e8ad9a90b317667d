// The line-scanning operations: runs, followers, gaps, the pair-exposure test and captures.
#include "ai/primitives.h"

namespace ai {

Chooser::Chooser(const engine::Game& game)
    : game_(game), cur_color(game.cur_color), opp_color(game.opp_color) {
    find_runs(game, runs_);
}

bool Chooser::play(Point p) {
    if (!engine::is_interior(p.x, p.y)) return false;
    choice_ = p;
    return true;
}

int opposite_dir(int d) { return d < 5 ? d + 4 : (d + 5) % 9; }

bool Chooser::exact_run(int d, int x, int y, int n, int color, Point& back, Point& forward) const {
    return run_length(game_, d, x, y, color, back, forward) == n;
}

bool Chooser::stones_follow(int x, int y, int n, int color, int d, Point& after) const {
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

bool Chooser::gap_opp_gap(int d, int x, int y) const {
    const Point p{static_cast<i16>(x), static_cast<i16>(y)};
    return holds(p, engine::empty) && holds(step(p, d), opp_color) &&
           holds(step(p, d, 2), engine::empty);
}

bool Chooser::move_exposes_pair(int x, int y) const {
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

bool Chooser::capture_pair_at(int x, int y) {
    for (int d = 1; d <= 4; ++d) {
        Point back{};
        Point forward{};
        if (exact_run(d, x, y, 2, opp_color, back, forward) && bracket_pair(back, forward))
            return true;
    }
    return false;
}

bool Chooser::bracket_pair(Point a, Point b) {
    if (holds(a, cur_color) && holds(b, engine::empty) && play(b)) return true;
    return holds(b, cur_color) && holds(a, engine::empty) && play(a);
}

bool Chooser::capture_in_line(int x, int y, int n, int d) {
    if (is_novice()) return false;
    Point p = step(Point{static_cast<i16>(x), static_cast<i16>(y)}, d);
    for (int i = 0; i < n; ++i, p = step(p, d))
        if (capture_pair_at(p.x, p.y)) return true;
    return false;
}

bool Chooser::play_open_end(Point closed, Point e, Point beyond, int other) {
    return holds(closed, other) && holds(e, engine::empty) && !holds(beyond, other) && is_safe(e) &&
           play(e);
}

bool Chooser::play_closed_three(Point a, Point b, int d, int other) {
    return play_open_end(a, b, step(b, d), other) || play_open_end(b, a, step(a, d, -1), other);
}

} // namespace ai
