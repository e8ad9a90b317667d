// Computer-against-computer games by the thousand at both skill levels, played and taken back
// through the window's handlers. The rules' invariants are checked after every move and every
// take-back, and everything the window is told folds into one digest: the games are seeded, so
// a change to any move, tactic, caption, cue or picture of any of them changes the digest.
#include "ai/computer_move.h"
#include "app/controller.h"
#include "engine/game_state.h"
#include "engine/turns.h"
#include "recording/recording.h"
#include "support/invariants.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>

using namespace engine;

namespace {

constexpr int default_games = 2500;
// The digests of the default games at Novice and Advanced, as the game has always played them.
constexpr std::uint64_t expected_digest[] = {0x9968c25827a559bb, 0x87226313b4d5698b};

std::mt19937 draws;
int seeded_draw() { return std::uniform_int_distribution<int>(1, 5)(draws); }

// VELLOX_SOAK_GAMES sets the number of games per skill level.
int games_per_level() {
    const char* games = std::getenv("VELLOX_SOAK_GAMES");
    return games ? std::max(1, std::atoi(games)) : default_games;
}

// Folds the calls recorded since the last fold into the digest (FNV-1a) and checks the
// invariants; false after a fault.
bool fold(std::uint64_t& digest, int game) {
    for (const std::string& call : recording::calls)
        for (const char c : call + '\n')
            digest = (digest ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    recording::calls.clear();
    const std::string fault = invariants::first_fault();
    EXPECT_EQ(fault, "") << "game " << game << " move " << move_count;
    return fault.empty();
}

// Steps to the end of the game, then takes every move back; a won game as if the turn had
// passed, since Back is not offered after a win. False after a fault.
bool play_and_take_back(std::uint64_t& digest, int game) {
    for (int moves = -1; !game_over && moves != move_count;) {
        moves = move_count;
        app::step_button_Click();
        if (!fold(digest, game)) return false;
    }
    if (game_over) {
        game_over = false;
        change_turn();
    }
    while (move_count > 0) {
        app::back_button_Click();
        if (!fold(digest, game)) return false;
    }
    return true;
}

} // namespace

TEST(Soak, ComputerGamesKeepTheBookkeepingAndPlayAsTheyAlwaysHave) {
    draws.seed(7);
    ai::draw_one_to_five = seeded_draw;
    for (int skill : {0, 1}) {
        std::uint64_t digest = 0xcbf29ce484222325;
        for (int game = 0; game < games_per_level(); ++game) {
            recording::start_program();
            recording::name_the_cues();
            skill_level = static_cast<i16>(skill);
            app::no_player_button_Click();
            recording::calls.clear();
            ASSERT_TRUE(play_and_take_back(digest, game));
        }
        std::printf("skill %d: digest %#llx\n", skill, static_cast<unsigned long long>(digest));
        if (games_per_level() == default_games) {
            EXPECT_EQ(digest, expected_digest[skill]);
        }
    }
    ai::draw_one_to_five = ai::clock_seeded_draw;
}
