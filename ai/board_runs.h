// The runs of two or more stones on the board, found once for all the tactics of a move.
#pragma once

#include "ai/primitives.h"

#include <vector>

namespace ai {

// A run of `length` stones of color along d, from back end a to forward end b (the first
// points beyond its stones).
struct Run {
    Point a;
    Point b;
    i16 d;
    i16 length;
    i16 color;
};

// The runs of two or more stones, in the order in which a scan of the bounding box (x in the
// outer loop, y in the inner one, then the four line orientations) first meets each of them.
// While a StillBoard lives they are those found when it was made; otherwise they are found
// afresh at every call.
const std::vector<Run>& board_runs();

// The computer's move places no stone on the board until it is chosen, so one finding of the
// runs serves every tactic of the move; a StillBoard holds it while it lives.
class StillBoard {
public:
    StillBoard();
    ~StillBoard();
    StillBoard(const StillBoard&) = delete;
    StillBoard& operator=(const StillBoard&) = delete;
};

} // namespace ai
