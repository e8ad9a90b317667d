// MAKE 5, which completes an exact four, and TAKE 2, which brackets an opponent pair.
#include "ai/scan.h"
#include "ai/tactics.h"

namespace ai {

// The back end first: below a vertical four, left of a horizontal one.
bool make_five() {
    return scan_runs(4, engine::cur_color, [](Point a, Point b, int) {
        if (holds(a, engine::empty) && play(a)) return true;
        return holds(b, engine::empty) && play(b);
    });
}

bool take_two() {
    return scan_runs(2, engine::opp_color,
                     [](Point a, Point b, int) { return bracket_pair(a, b); });
}

} // namespace ai
