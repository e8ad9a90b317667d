// The tactics that lengthen one of the computer's own lines.
#include "ai/scan.h"
#include "ai/tactics.h"

namespace ai {

using engine::cur_color;
using engine::empty;
using engine::opp_color;

namespace {

// Two and one: filling the gap makes four with no opponent stone at either end.
bool fill_two_and_one(Point a, Point b, int d) {
    Point beyond{};
    if (gap_before_stone(b, cur_color, d, beyond) && !holds(a, opp_color) &&
        !holds(beyond, opp_color) && play(b))
        return true;
    return gap_before_stone(a, cur_color, opposite_dir(d), beyond) && !holds(b, opp_color) &&
           !holds(beyond, opp_color) && play(a);
}

// Three and one: filling the gap makes at least five, whatever lies around.
bool fill_three_and_one(Point a, Point b, int d) {
    Point beyond{};
    if (gap_before_stone(b, cur_color, d, beyond) && play(b)) return true;
    return gap_before_stone(a, cur_color, opposite_dir(d), beyond) && play(a);
}

} // namespace

// Every two-and-one shape on the board goes before any three-and-one.
bool extend_split_three() {
    return scan_runs(2, cur_color, fill_two_and_one) || scan_runs(3, cur_color, fill_three_and_one);
}

// Only the forward end: a three whose forward end is off the board is passed over.
bool extend_open_three() {
    return scan_runs(3, cur_color, [](Point a, Point b, int) {
        return holds(a, empty) && holds(b, empty) && play(b);
    });
}

bool extend_closed_two() {
    return scan_runs(2, cur_color, [](Point a, Point b, int) {
        if (holds(a, opp_color) && holds(b, empty) && play(b)) return true;
        return holds(b, opp_color) && holds(a, empty) && play(a);
    });
}

bool extend_open_two() {
    return scan_runs(2, cur_color, [](Point a, Point b, int) {
        if (!holds(a, empty) || !holds(b, empty)) return false;
        return (is_safe(b) && play(b)) || (is_safe(a) && play(a));
    });
}

// Never towards an opponent stone that stands two points past the run.
bool extend_closed_three() {
    if (is_novice()) return false;
    return scan_runs(3, cur_color,
                     [](Point a, Point b, int d) { return play_closed_three(a, b, d, opp_color); });
}

} // namespace ai
