// The scans that the tactics make, of the runs and of the points of the bounding box, and the
// tests that tactics share.
#pragma once

#include "ai/board_runs.h"
#include "ai/primitives.h"

namespace ai {

// Visits the points of the bounding box, x in the outer loop and y in the inner one, until
// at(x, y) is true. Each loop reads its bounds when it starts; only a placed stone could widen
// the box, and that ends the scan.
template <typename At> bool scan_points(At at) {
    const int last_x = engine::max_x;
    for (int x = engine::min_x; x <= last_x; ++x) {
        const int last_y = engine::max_y;
        for (int y = engine::min_y; y <= last_y; ++y)
            if (at(x, y)) return true;
    }
    return false;
}

// scan_points with the four line orientations of each point, as at(x, y, d).
template <typename At> bool scan_lines(At at) {
    return scan_points([&](int x, int y) {
        for (int d = 1; d <= 4; ++d)
            if (at(x, y, d)) return true;
        return false;
    });
}

// The runs of exactly n stones of color, as at(back end, forward end, d), in the order in which
// scan_lines first meets them. Meeting a run again at its later stones would ask the same
// question of the same board, so each run is asked once.
template <typename At> bool scan_runs(int n, int color, At at) {
    for (const Run& run : board_runs())
        if (run.length == n && run.color == color && at(run.a, run.b, run.d)) return true;
    return false;
}

// The gap of a split shape: the end e of a run when it is empty and followed, along direction
// way, by one more stone of color; beyond is then the point past that stone.
inline bool gap_before_stone(Point e, int color, int way, Point& beyond) {
    return holds(e, engine::empty) && stones_follow(e.x, e.y, 1, color, way, beyond);
}

inline bool is_safe(Point p) { return !move_exposes_pair(p.x, p.y); }

// Plays the empty end e of a three that a stone of `other` closes at its far end, if e is safe
// and no `other` stone stands at `beyond`, the point past e.
inline bool play_open_end(Point closed, Point e, Point beyond, int other) {
    return holds(closed, other) && holds(e, engine::empty) && !holds(beyond, other) && is_safe(e) &&
           play(e);
}

// The run from back end a to forward end b along d is a three closed by `other` on one side:
// plays the other side as play_open_end allows, the forward end first.
inline bool play_closed_three(Point a, Point b, int d, int other) {
    return play_open_end(a, b, step(b, d), other) || play_open_end(b, a, step(a, d, -1), other);
}

} // namespace ai
