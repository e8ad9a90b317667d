// The Expert player on the game: its choice for the side to move, with the caption of its move.
#pragma once

#include "ai/computer_move.h"
#include "ai/expert/expert_search.h"

namespace ai {

// The caption of a move the ladder would not name.
constexpr const char* look_ahead_code = "LOOK AHEAD";

// The game as the search sees it.
BoardSnapshot snapshot_of(const engine::Game& game);

// What the panel calls Expert's move at p: the tactic of the ladder (as Advanced plays it) that
// would choose the same point, else look_ahead_code.
const char* expert_strategy_code(const engine::Game& game, Point p);

// Expert's point for the side to move and its caption; nothing when no interior point is empty
// or the search was abandoned.
std::optional<Choice> expert_move(const engine::Game& game, const ExpertLimits& limits = {});

} // namespace ai
