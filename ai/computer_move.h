// The computer's choice of move: the ladder of tactics and the random last resort.
#pragma once

#include "ai/board_runs.h"

#include <functional>
#include <optional>
#include <random>

namespace ai {

// The draws of random_move: whole numbers uniformly from 1..5, from a generator reseeded from
// the clock at every random_move, or from a script of the tests' own.
class Dice {
public:
    Dice() = default;
    explicit Dice(std::function<int()> scripted) : scripted_(std::move(scripted)) {}

    // Called as random_move starts.
    void reseed();
    int draw_one_to_five();

private:
    std::mt19937 generator_;
    std::function<int()> scripted_;
};

struct Choice {
    Point at;
    const char* strategy_code;
};

// The point the computer plays for cur_color and the tactic that chose it; nothing only when no
// interior point is empty.
std::optional<Choice> computer_move(const engine::Game& game, Dice& dice);

// The strategy code of the first tactic of the ladder, in its order, that would itself choose p
// on this game; nullptr when none would.
const char* ladder_tactic_choosing(const engine::Game& game, Point p);

} // namespace ai
