// Reading runs of stones off the board.
#include "ai/board_runs.h"

#include "ai/scan.h"

namespace ai {

namespace {

bool in_box(const engine::Game& game, Point p) {
    return p.x >= game.min_x && p.x <= game.max_x && p.y >= game.min_y && p.y <= game.max_y;
}

// The neighbour of p on line d that a scan of the box reaches before p, if it reaches it.
Point neighbour_before(Point p, int d) {
    const Point ahead = step(p, d);
    const Point behind = step(p, d, -1);
    return ahead.x < p.x || (ahead.x == p.x && ahead.y < p.y) ? ahead : behind;
}

// True when a scan of the box has already met the run of color through p along d. The box
// being convex, a run whose stone next to p lies outside it has no stone inside it before p.
bool met_before(const engine::Game& game, Point p, int d, int color) {
    const Point q = neighbour_before(p, d);
    return in_box(game, q) && holds(game, q, color);
}

// True when neither neighbour of p on line d holds color: p is a run of one.
bool alone_on_line(const engine::Game& game, Point p, int d, int color) {
    return !holds(game, step(p, d), color) && !holds(game, step(p, d, -1), color);
}

} // namespace

int run_length(const engine::Game& game, int d, int x, int y, int color, Point& back,
               Point& forward) {
    Point p{static_cast<i16>(x), static_cast<i16>(y)};
    if (!holds(game, p, color)) return 0;
    while (holds(game, p, color)) p = step(p, d);
    forward = p;
    // Walking back from the forward end counts the whole run, on both sides of (x, y).
    int steps = 0;
    do {
        p = step(p, d, -1);
        ++steps;
    } while (holds(game, p, color));
    back = p;
    return steps - 1;
}

void find_runs(const engine::Game& game, Runs& runs) {
    scan_points(game, [&](int x, int y) {
        const Point p{static_cast<i16>(x), static_cast<i16>(y)};
        const int color = game.cell(x, y).color;
        if (color == engine::empty) return false;
        for (int d = 1; d <= 4; ++d) {
            if (alone_on_line(game, p, d, color) || met_before(game, p, d, color)) continue;
            Run run{{}, {}, static_cast<i16>(d), 0, static_cast<i16>(color)};
            run.length = static_cast<i16>(run_length(game, d, x, y, color, run.a, run.b));
            runs.push_back(run);
        }
        return false;
    });
}

} // namespace ai
