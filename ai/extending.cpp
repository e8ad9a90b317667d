// The tactics that lengthen one of the computer's own lines.
#include "ai/primitives.h"
#include "ai/scan.h"

namespace ai {

using engine::empty;

// Two and one: filling the gap makes four with no opponent stone at either end.
bool Chooser::fill_two_and_one(Point a, Point b, int d) {
    Point beyond{};
    if (gap_before_stone(b, cur_color, d, beyond) && !holds(a, opp_color) &&
        !holds(beyond, opp_color) && play(b))
        return true;
    return gap_before_stone(a, cur_color, opposite_dir(d), beyond) && !holds(b, opp_color) &&
           !holds(beyond, opp_color) && play(a);
}

// Three and one: filling the gap makes at least five, whatever lies around.
bool Chooser::fill_three_and_one(Point a, Point b, int d) {
    Point beyond{};
    if (gap_before_stone(b, cur_color, d, beyond) && play(b)) return true;
    return gap_before_stone(a, cur_color, opposite_dir(d), beyond) && play(a);
}

// Every two-and-one shape on the board goes before any three-and-one.
bool Chooser::extend_split_three() {
    return scan_runs(runs_, 2, cur_color,
                     [this](Point a, Point b, int d) { return fill_two_and_one(a, b, d); }) ||
           scan_runs(runs_, 3, cur_color,
                     [this](Point a, Point b, int d) { return fill_three_and_one(a, b, d); });
}

// Only the forward end: a three whose forward end is off the board is passed over.
bool Chooser::extend_open_three() {
    return scan_runs(runs_, 3, cur_color, [this](Point a, Point b, int) {
        return holds(a, empty) && holds(b, empty) && play(b);
    });
}

bool Chooser::extend_closed_two() {
    return scan_runs(runs_, 2, cur_color, [this](Point a, Point b, int) {
        if (holds(a, opp_color) && holds(b, empty) && play(b)) return true;
        return holds(b, opp_color) && holds(a, empty) && play(a);
    });
}

bool Chooser::extend_open_two() {
    return scan_runs(runs_, 2, cur_color, [this](Point a, Point b, int) {
        if (!holds(a, empty) || !holds(b, empty)) return false;
        return (is_safe(b) && play(b)) || (is_safe(a) && play(a));
    });
}

// Never towards an opponent stone that stands two points past the run.
bool Chooser::extend_closed_three() {
    if (is_novice()) return false;
    return scan_runs(runs_, 3, cur_color, [this](Point a, Point b, int d) {
        return play_closed_three(a, b, d, opp_color);
    });
}

} // namespace ai
