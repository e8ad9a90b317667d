// The tactics that stop an opponent line from growing into five.
#include "ai/primitives.h"
#include "ai/scan.h"

namespace ai {

using engine::empty;

bool Chooser::block_split_four_at(Point a, Point b, int d) {
    Point beyond{};
    if (gap_before_stone(b, opp_color, d, beyond) && (capture(a, 3, d) || play(b))) return true;
    return gap_before_stone(a, opp_color, opposite_dir(d), beyond) && (capture(a, 3, d) || play(a));
}

// A split three capped by own stones at both outer ends is dead and left alone.
bool Chooser::block_split_three_at(Point a, Point b, int d) {
    Point beyond{};
    if (gap_before_stone(b, opp_color, d, beyond) &&
        !(holds(a, cur_color) && holds(beyond, cur_color)) && (capture(a, 2, d) || play(b)))
        return true;
    return gap_before_stone(a, opp_color, opposite_dir(d), beyond) &&
           !(holds(b, cur_color) && holds(beyond, cur_color)) && (capture(a, 2, d) || play(a));
}

bool Chooser::block_four() {
    return scan_runs(runs_, 4, opp_color, [this](Point a, Point b, int d) {
        if (holds(a, cur_color) && holds(b, cur_color)) return false;
        if (capture(a, 4, d)) return true;
        if (holds(a, empty) && play(a)) return true;
        return holds(b, empty) && play(b);
    });
}

bool Chooser::block_split_four() {
    return scan_runs(runs_, 3, opp_color,
                     [this](Point a, Point b, int d) { return block_split_four_at(a, b, d); });
}

bool Chooser::block_split_three() {
    return scan_runs(runs_, 2, opp_color,
                     [this](Point a, Point b, int d) { return block_split_three_at(a, b, d); });
}

// Only the preferred forward end is tested for safety.
bool Chooser::block_open_three() {
    return scan_runs(runs_, 3, opp_color, [this](Point a, Point b, int d) {
        if (!holds(a, empty) || !holds(b, empty)) return false;
        return capture(a, 3, d) || (is_safe(b) && play(b)) || play(a);
    });
}

bool Chooser::block_open_two() {
    if (is_novice()) return false;
    return scan_runs(runs_, 2, opp_color, [this](Point a, Point b, int) {
        if (!holds(a, empty) || !holds(b, empty)) return false;
        return (is_safe(a) && play(a)) || (is_safe(b) && play(b));
    });
}

// A three that an own stone already caps two points away is left alone.
bool Chooser::block_closed_three() {
    if (is_novice()) return false;
    return scan_runs(runs_, 3, opp_color, [this](Point a, Point b, int d) {
        return play_closed_three(a, b, d, cur_color);
    });
}

// _ O _ O _ answered at its middle point.
bool Chooser::block_split_two() {
    if (is_novice()) return false;
    return scan_lines(game_, [this](int x, int y, int d) {
        const Point p{static_cast<i16>(x), static_cast<i16>(y)};
        return gap_opp_gap(d, x, y) && gap_opp_gap(opposite_dir(d), x, y) && is_safe(p) && play(p);
    });
}

} // namespace ai
