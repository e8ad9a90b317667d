// Computer-against-computer games by the thousand at both skill levels, with the invariants of
// the rules checked after every move and the whole game taken back at the end.
#include "ai/computer_move.h"
#include "engine/game_state.h"
#include "engine/turns.h"
#include "recording/recording.h"
#include "support/invariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

using namespace engine;

namespace {

std::mt19937 draws;

int seeded_draw() { return std::uniform_int_distribution<int>(1, 5)(draws); }

// VELLOX_SOAK_GAMES sets the number of games per skill level.
int games_per_level() {
    const char* games = std::getenv("VELLOX_SOAK_GAMES");
    return games ? std::max(1, std::atoi(games)) : 2500;
}

// Plays one game to its end and returns how it ended: 'f' five, 'p' pairs, 'n' nowhere to play.
char play_game(int game) {
    while (!game_over) {
        if (!ai::computer_move()) return 'n';
        recording::calls.clear();
        const std::string fault = invariants::first_fault();
        if (!fault.empty())
            ADD_FAILURE() << "game " << game << " move " << move_count << ": " << fault;
        if (!fault.empty()) return '!';
    }
    return five_found ? 'f' : 'p';
}

// A won game is taken back as if the turn had passed, since Back is not offered after a win.
void take_back_everything() {
    if (game_over) {
        game_over = false;
        change_turn();
    }
    while (move_count > 0) undo_move();
}

} // namespace

TEST(Soak, ComputerGamesKeepTheRulesBookkeepingAtBothLevels) {
    draws.seed(7);
    ai::draw_one_to_five = seeded_draw;
    for (int skill : {0, 1}) {
        std::map<char, int> endings;
        for (int game = 0; game < games_per_level(); ++game) {
            recording::start_program();
            sound_on = false;
            skill_level = static_cast<i16>(skill);
            game_mode = comp_vs_comp;
            const char ending = play_game(game);
            ASSERT_NE(ending, '!');
            endings[ending] += 1;
            take_back_everything();
            ASSERT_EQ(move_count, 0);
            ASSERT_EQ(invariants::first_fault(), "") << "after taking back game " << game;
        }
        EXPECT_GT(endings['f'] + endings['p'], 0) << "skill " << skill;
        std::printf("skill %d: %d fives, %d five pairs, %d with nowhere to play\n", skill,
                    endings['f'], endings['p'], endings['n']);
    }
    ai::draw_one_to_five = ai::clock_seeded_draw;
}
