// The computer player on positions written as text: tactics asked by themselves where the
// board's edge or a capture matters, and the random last resort. GREEN is the computer; RED is the
// opponent.
#include "ai/computer_move.h"
#include "ai/primitives.h"
#include "ai/tactics.h"
#include "engine/game_state.h"
#include "recording/recording.h"
#include "support/board_text.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

#include <set>

using namespace engine;
using namespace ai;
using board_text::place;

namespace {

std::string last_point() { return std::to_string(move_x) + "," + std::to_string(move_y); }

// The point a tactic played, or "none"; the stone is taken away again so that the position can
// be asked again. Fails the test if the tactic showed any other stone.
std::string answer(bool (*tactic)()) {
    const std::size_t before = recording::count_calls("create_image");
    const bool placed = tactic();
    EXPECT_EQ(recording::count_calls("create_image") - before, placed ? 1u : 0u);
    if (!placed) return "none";
    view::remove_stone_image(cur_color, move_count + 1);
    return last_point();
}

// The computer's whole move, as "x,y CODE".
std::string move() {
    EXPECT_TRUE(computer_move());
    return last_point() + " " + strategy_code;
}

class Computer : public ::testing::Test {
protected:
    void SetUp() override {
        recording::start_program();
        skill_level = 1;
        // None of these positions leaves anything to chance.
        draw_one_to_five = [] {
            ADD_FAILURE() << "random_move drew a number";
            return 3;
        };
    }
    void TearDown() override { draw_one_to_five = clock_seeded_draw; }
};

} // namespace

// Where the board's edge or a capture changes what a tactic plays.
TEST_F(Computer, TacticsAtTheEdgeAndWithACaptureAtHand) {
    const struct {
        bool (*tactic)();
        int left, top;
        std::vector<std::string> rows;
        const char* at;
    } cases[] = {
        {make_five, 10, 15, {"G", "G", "G", "G"}, "10,14"}, // (10, 19) is refused
        {take_two, 4, 2, {".....RRG", ".R......", ".R......", ".G"}, "5,2"},
        {block_four, 2, 10, {"RRRR"}, "6,10"},
        {block_four, 5, 9, {"....", "RRRR", ".R..", ".G.."}, "6,9"},
        {block_open_three, 4, 10, {".RRR.", "G...G", "R...R"}, "4,10"},
        {extend_open_two, 17, 10, {"GG"}, "16,10"},
        {extend_open_three, 10, 2, {"G", "G", "G"}, "none"},
    };
    for (const auto& c : cases) {
        recording::start_program();
        skill_level = 1;
        place(c.left, c.top, c.rows);
        EXPECT_EQ(answer(c.tactic), c.at) << c.rows[0] << " at " << c.left << "," << c.top;
    }
}

// The stones of a run are tried for a capture from its back end, and only as many as asked.
TEST_F(Computer, CaptureInLineTriesOnlyTheRunsStonesFromTheBackEnd) {
    place(5, 9, {"...G", "RRRR", ".R.R", ".G.."});
    EXPECT_EQ(answer([] { return capture_in_line(4, 10, 4, 3); }), "6,9");
    EXPECT_EQ(answer([] { return capture_in_line(4, 10, 1, 3); }), "none");
    EXPECT_EQ(answer([] { return capture_in_line(6, 10, 2, 3); }), "5,12");
}

// Only a made-up position refuses every candidate of the opening: the centre would expose the
// pair (10, 10), (10, 11). The first empty point is played then.
TEST_F(Computer, WithEveryCandidateRefusedTheFirstEmptyPointIsPlayed) {
    place(10, 11, {"G", "R"});
    move_count = 1;
    EXPECT_EQ(answer(random_move), "none");
    EXPECT_EQ(move(), "10,10 RANDOM");
}

TEST_F(Computer, TheClockSeededDrawGivesEachOfOneToFive) {
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) seen.insert(clock_seeded_draw());
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5}));
}
