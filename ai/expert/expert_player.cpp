// The Expert player on the game: a snapshot for the search, and the caption of its move.
#include "ai/expert/expert_player.h"

namespace ai {

BoardSnapshot snapshot_of(const engine::Game& game) {
    BoardSnapshot s;
    for (int x = 1; x <= engine::grid_size; ++x)
        for (int y = 1; y <= engine::grid_size; ++y)
            s.color[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)] =
                static_cast<std::int8_t>(game.cell(x, y).color);
    s.to_move = game.cur_color;
    s.pairs_taken = {game.pairs_taken[0], game.pairs_taken[1]};
    s.move_count = game.move_count;
    return s;
}

const char* expert_strategy_code(const engine::Game& game, Point p) {
    engine::Game advanced = game;
    advanced.skill_level = 1;
    const char* code = ladder_tactic_choosing(advanced, p);
    return code ? code : look_ahead_code;
}

std::optional<Choice> expert_move(const engine::Game& game, const ExpertLimits& limits) {
    const ExpertChoice choice = choose_expert_move(snapshot_of(game), limits);
    if (!choice.found) return std::nullopt;
    const Point p{static_cast<i16>(choice.x), static_cast<i16>(choice.y)};
    return Choice{p, expert_strategy_code(game, p)};
}

} // namespace ai
