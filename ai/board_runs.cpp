// Finding the runs on the board, and holding them while the computer chooses its move.
#include "ai/board_runs.h"

#include "ai/scan.h"

namespace ai {

namespace {

std::vector<Run> runs;
bool held = false;

bool in_box(Point p) {
    return p.x >= engine::min_x && p.x <= engine::max_x && p.y >= engine::min_y &&
           p.y <= engine::max_y;
}

// The neighbour of p on line d that a scan of the box reaches before p, if it reaches it.
Point neighbour_before(Point p, int d) {
    const Point ahead = step(p, d);
    const Point behind = step(p, d, -1);
    return ahead.x < p.x || (ahead.x == p.x && ahead.y < p.y) ? ahead : behind;
}

// True when a scan of the box has already met the run of color through p along d. The box
// being convex, a run whose stone next to p lies outside it has no stone inside it before p.
bool met_before(Point p, int d, int color) {
    const Point q = neighbour_before(p, d);
    return in_box(q) && holds(q, color);
}

// True when neither neighbour of p on line d holds color: p is a run of one.
bool alone_on_line(Point p, int d, int color) {
    return !holds(step(p, d), color) && !holds(step(p, d, -1), color);
}

void find_runs() {
    runs.clear();
    scan_points([](int x, int y) {
        const Point p{static_cast<i16>(x), static_cast<i16>(y)};
        const int color = engine::cell(x, y).color;
        if (color == engine::empty) return false;
        for (int d = 1; d <= 4; ++d) {
            if (alone_on_line(p, d, color) || met_before(p, d, color)) continue;
            Run run{{}, {}, static_cast<i16>(d), 0, static_cast<i16>(color)};
            run.length = static_cast<i16>(run_length(d, x, y, color, run.a, run.b));
            runs.push_back(run);
        }
        return false;
    });
}

} // namespace

const std::vector<Run>& board_runs() {
    if (!held) find_runs();
    return runs;
}

StillBoard::StillBoard() {
    find_runs();
    held = true;
}

StillBoard::~StillBoard() { held = false; }

} // namespace ai
