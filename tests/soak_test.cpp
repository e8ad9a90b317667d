// Computer-against-computer games by the thousand at both skill levels, played and taken back
// through the window's handlers. The rules' invariants are checked after every move and every
// take-back, and everything the window is told folds into one digest: the games are seeded, so
// a change to any move, tactic, caption, cue or picture of any of them changes the digest.
#include "app/controller.h"
#include "recording/recording.h"
#include "support/invariants.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>

using app::game;

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
bool fold(std::uint64_t& digest, int game_no) {
    for (const std::string& call : recording::calls)
        for (const char c : call + '\n')
            digest = (digest ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    recording::calls.clear();
    const std::string fault = invariants::first_fault(game);
    EXPECT_EQ(fault, "") << "game " << game_no << " move " << game.move_count;
    return fault.empty();
}

// Steps to the end of the game, then takes every move back; a won game as if the turn had
// passed, since Back is not offered after a win. False after a fault.
bool play_and_take_back(std::uint64_t& digest, int game_no) {
    for (int moves = -1; !game.game_over && moves != game.move_count;) {
        moves = game.move_count;
        app::step_button_Click();
        if (!fold(digest, game_no)) return false;
    }
    if (game.game_over) {
        game.game_over = false;
        app::x_image_Click(1);
    }
    while (game.move_count > 0) {
        app::back_button_Click();
        if (!fold(digest, game_no)) return false;
    }
    return true;
}

} // namespace

TEST(Soak, ComputerGamesKeepTheBookkeepingAndPlayAsTheyAlwaysHave) {
    draws.seed(7);
    app::dice = ai::Dice(seeded_draw);
    for (int skill : {0, 1}) {
        std::uint64_t digest = 0xcbf29ce484222325;
        for (int game_no = 0; game_no < games_per_level(); ++game_no) {
            recording::start_program();
            recording::name_the_cues();
            game.skill_level = static_cast<i16>(skill);
            app::no_player_button_Click();
            recording::calls.clear();
            ASSERT_TRUE(play_and_take_back(digest, game_no));
        }
        std::printf("skill %d: digest %#llx\n", skill, static_cast<unsigned long long>(digest));
        if (games_per_level() == default_games) {
            EXPECT_EQ(digest, expected_digest[skill]);
        }
    }
    app::dice = ai::Dice();
}
