// The scans that the tactics make, of the runs and of the points of the bounding box.
#pragma once

#include "ai/board_runs.h"

namespace ai {

// Visits the points of the bounding box, x in the outer loop and y in the inner one, until
// at(x, y) is true. The box stands still while the computer chooses, so its bounds are read once.
template <typename At> bool scan_points(const engine::Game& game, At at) {
    const int first_x = game.min_x, last_x = game.max_x;
    const int first_y = game.min_y, last_y = game.max_y;
    for (int x = first_x; x <= last_x; ++x)
        for (int y = first_y; y <= last_y; ++y)
            if (at(x, y)) return true;
    return false;
}

// scan_points with the four line orientations of each point, as at(x, y, d).
template <typename At> bool scan_lines(const engine::Game& game, At at) {
    return scan_points(game, [&](int x, int y) {
        for (int d = 1; d <= 4; ++d)
            if (at(x, y, d)) return true;
        return false;
    });
}

// The runs of exactly n stones of color, as at(back end, forward end, d), in the order in which
// scan_lines first meets them. Meeting a run again at its later stones would ask the same
// question of the same board, so each run is asked once.
template <typename At> bool scan_runs(const Runs& runs, int n, int color, At at) {
    for (const Run& run : runs)
        if (run.length == n && run.color == color && at(run.a, run.b, run.d)) return true;
    return false;
}

} // namespace ai
