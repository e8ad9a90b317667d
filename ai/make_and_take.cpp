// MAKE 5, which completes an exact four, and TAKE 2, which brackets an opponent pair.
#include "ai/primitives.h"
#include "ai/scan.h"

namespace ai {

// The back end first: below a vertical four, left of a horizontal one.
bool Chooser::make_five() {
    return scan_runs(runs_, 4, cur_color, [this](Point a, Point b, int) {
        if (holds(a, engine::empty) && play(a)) return true;
        return holds(b, engine::empty) && play(b);
    });
}

bool Chooser::take_two() {
    return scan_runs(runs_, 2, opp_color,
                     [this](Point a, Point b, int) { return bracket_pair(a, b); });
}

} // namespace ai
