// The Expert player: a search ahead over the game's rules, for the strongest skill and the hint.
#pragma once

#include "ai/expert/expert_board.h"

#include <atomic>

namespace ai {

// How far the Expert player may think. The budgets count positions, not time, so that the same
// position always gets the same answer on any machine.
struct ExpertLimits {
    // Positions of the main search; a new depth is begun only while less than half is spent.
    long node_budget = 30000;
    // Positions of the search for a win by an unbroken chain of threats.
    long threat_budget = 8000;
    int max_depth = 16;
    // A safety net for a slow or busy machine: past this many milliseconds the search plays the
    // best it has found. Below it, the budgets alone decide, and the choice repeats exactly.
    int time_cap_ms = 400;
    // When set, the search gives up as soon as it sees it, and chooses nothing.
    const std::atomic<bool>* abandon = nullptr;
};

// Why the Expert player chose its point, for the caption of its move.
enum class ExpertReason {
    // The first stone of the game, at the centre.
    opening,
    // The point wins at once.
    win_now,
    // The other side would win at once elsewhere; this point stops it or is the best try.
    stop_win,
    // The point begins a chain of threats that wins whatever the other side does.
    forced_win,
    // The best point that the search ahead found.
    look_ahead,
};

struct ExpertChoice {
    // False when there is no empty point, or the search was abandoned.
    bool found = false;
    int x = 0;
    int y = 0;
    ExpertReason reason = ExpertReason::look_ahead;
    // The search's score for the side to move, and how deep it looked.
    int score = 0;
    int depth = 0;
    long nodes = 0;
};

// Chooses the Expert player's point for the side to move of the snapshot. The same snapshot and
// limits give the same choice every time.
ExpertChoice choose_expert_move(const BoardSnapshot& snapshot, const ExpertLimits& limits = {});

// Scores at or beyond this are wins (for the side to move) or losses that the search has proved.
constexpr int proven_win = 900000;

} // namespace ai
