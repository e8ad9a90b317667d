// The computer's whole move: the order of the ladder, the random last resort and what happens
// when no point is left, through the recording window.
#include "ai/computer_move.h"
#include "engine/game_state.h"
#include "engine/moves.h"
#include "recording/recording.h"
#include "support/board_text.h"
#include "tactic_answer.h"

#include <gtest/gtest.h>

#include <set>

using namespace engine;
using board_text::place;
using tactic_answer::answer;
using tactic_answer::last_point;

namespace {

// The draws random_move is given, in order; running out fails the test.
std::vector<int> script;
std::size_t drawn = 0;

int scripted_draw() {
    if (drawn >= script.size()) {
        ADD_FAILURE() << "random_move drew more numbers than scripted";
        return 3;
    }
    return script[drawn++];
}

class ComputerMove : public ::testing::Test {
protected:
    void SetUp() override {
        recording::start_program();
        skill_level = 1;
        script.clear();
        drawn = 0;
        ai::draw_one_to_five = scripted_draw;
    }
    void TearDown() override { ai::draw_one_to_five = ai::clock_seeded_draw; }
};

// The computer's move in the current position, as "x,y CODE".
std::string move() {
    EXPECT_TRUE(ai::computer_move());
    return last_point() + " " + strategy_code;
}

// The computer moves for RED, as it does in "One vs Comp".
void red_to_move() {
    cur_color = red;
    opp_color = green;
}

} // namespace

// Each rung is shown with the position of the next rung on the board as well: if every rung is
// tried before the next one, the whole ladder is in order.
TEST_F(ComputerMove, EachRungIsTriedBeforeTheNextOne) {
    struct Rung {
        int left;
        const char* row;
        int answer_x;
        const char* code;
    } ladder[] = {
        {5, "GGGG", 4, "MAKE 5"},          {5, "RRRR", 4, "BLOCK 4"},
        {5, "GG.G", 7, "EXTEND SPLIT 3"},  {5, "RRR.R", 8, "BLOCK SPLIT 4"},
        {5, "RR.R", 7, "BLOCK SPLIT 3"},   {5, "GGG", 8, "EXTEND OPEN 3"},
        {5, "RRR", 8, "BLOCK OPEN 3"},     {4, "GRR", 7, "TAKE 2"},
        {4, "RGG", 7, "EXTEND CLOSED 2"},  {5, "GG", 7, "EXTEND OPEN 2"},
        {5, "RR", 4, "BLOCK OPEN 2"},      {4, "GRRR", 8, "BLOCK CLOSED 3"},
        {4, "RGGG", 8, "EXTEND CLOSED 3"}, {5, "R.R", 6, "BLOCK SPLIT 2"},
    };
    const std::size_t rungs = std::size(ladder);
    for (std::size_t k = 0; k < rungs; ++k) {
        recording::start_program();
        skill_level = 1;
        place(ladder[k].left, 4, {ladder[k].row});
        if (k + 1 < rungs) place(ladder[k + 1].left, 14, {ladder[k + 1].row});
        move_count = 6;
        EXPECT_EQ(move(), std::to_string(ladder[k].answer_x) + ",4 " + ladder[k].code);
    }
    recording::start_program();
    place(ladder[rungs - 1].left, 14, {ladder[rungs - 1].row});
    skill_level = 0;
    move_count = 6;
    EXPECT_EQ(move(), "10,10 RANDOM") << "after the last rung";
}

TEST_F(ComputerMove, MakingFiveComesBeforeBlockingFourAndEndsTheGame) {
    place(5, 10, {"GGGG", "....", "RRRR"});
    recording::calls.clear();
    EXPECT_EQ(move(), "4,10 MAKE 5");
    EXPECT_TRUE(game_over);
    EXPECT_EQ(cur_color, green) << "the turn does not pass after a win";
    EXPECT_EQ(recording::calls_starting("show_message"),
              std::vector<std::string>{"show_message GREEN WINS WITH FIVE IN A ROW"});
}

TEST_F(ComputerMove, SplitFourBeforeOpenThreeBeforeTakingAPair) {
    const std::vector<std::string> split_four{"RRR.R"}, open_three{".RRR."}, pair{"GRR."};
    place(3, 3, split_four);
    place(3, 8, open_three);
    place(12, 14, pair);
    EXPECT_EQ(move(), "6,3 BLOCK SPLIT 4");
    recording::start_program();
    place(3, 8, open_three);
    place(12, 14, pair);
    EXPECT_EQ(move(), "7,8 BLOCK OPEN 3");
}

TEST_F(ComputerMove, APairTakenByATacticIsGoneWhenTheMoveIsFinished) {
    place(4, 10, {"GRR"});
    const i16 before = move_count;
    EXPECT_EQ(move(), "7,10 TAKE 2");
    EXPECT_EQ(board_text::rows(4, 10, 4, 1), std::vector<std::string>{"G..G"});
    EXPECT_EQ(move_count, before + 1);
    EXPECT_EQ(cell(7, 10).move_no, move_count);
    EXPECT_TRUE(capture_made);
    EXPECT_EQ(pairs_taken[0], 1);
    EXPECT_EQ(cur_color, red);
}

TEST_F(ComputerMove, NoviceSkipsTheCaptureAndTheAdvancedOnlyRungs) {
    const std::vector<std::string> four{"....", "RRRR", ".R..", ".G.."};
    place(5, 9, four);
    EXPECT_EQ(move(), "6,9 BLOCK 4");
    EXPECT_EQ(board_text::rows(6, 9, 1, 4), (std::vector<std::string>{"G", ".", ".", "G"}));
    recording::start_program();
    skill_level = 0;
    place(5, 9, four);
    EXPECT_EQ(move(), "4,10 BLOCK 4");

    recording::start_program();
    place(5, 10, {"RR"});
    place(2, 2, {"G...............G"});
    place(2, 18, {"G...............G"});
    EXPECT_EQ(move(), "4,10 BLOCK OPEN 2");
    recording::start_program();
    skill_level = 0;
    place(5, 10, {"RR"});
    place(2, 2, {"G...............G"});
    place(2, 18, {"G...............G"});
    EXPECT_EQ(move(), "10,10 RANDOM");
}

TEST_F(ComputerMove, OnAnEmptyBoardTheComputerOpensOnTheCentre) {
    EXPECT_EQ(move(), "10,10 RANDOM");
    EXPECT_EQ(move_count, 1);
    EXPECT_EQ(cell(10, 10).color, green);
    EXPECT_EQ(cell(10, 10).move_no, 1);
    EXPECT_EQ(cur_color, red);
    EXPECT_EQ(drawn, 0u);
}

TEST_F(ComputerMove, AFirstStoneOffTheCentreIsAnsweredOnTheCentre) {
    place(12, 7, {"G"});
    red_to_move();
    EXPECT_EQ(move(), "10,10 RANDOM");
    EXPECT_EQ(drawn, 0u);
}

TEST_F(ComputerMove, AFirstStoneOnTheCentreIsAnsweredByDrawsNearIt) {
    place(10, 10, {"G"});
    red_to_move();
    script = {2, 2, 1, 5};
    EXPECT_EQ(move(), "8,12 RANDOM")
        << "(10, 10) is drawn and refused; then the square of k = 1 starts at (9, 9)";
    EXPECT_EQ(drawn, 4u);
}

TEST_F(ComputerMove, TheOpeningMovesAreDrawnEvenWhenTheCentreIsFree) {
    place(3, 3, {"GR"});
    script = {5, 1};
    EXPECT_EQ(answer(ai::random_move), "13,9");
    script = {1, 1, 3, 3};
    drawn = 0;
    place(9, 9, {"R"});
    EXPECT_EQ(answer(ai::random_move), "10,10") << "(9, 9) is taken";
}

TEST_F(ComputerMove, LaterTheNearestAcceptablePointIsPlayedXBeforeY) {
    place(2, 18, {"GRGRG"});
    place(10, 10, {"R"});
    const char* expected[] = {"9,9", "9,10", "9,11", "10,9", "10,11", "11,9"};
    for (const char* point : expected) {
        const std::string played = answer(ai::random_move);
        EXPECT_EQ(played, point);
        const auto comma = played.find(',');
        place(std::stoi(played.substr(0, comma)), std::stoi(played.substr(comma + 1)), {"R"});
    }
    EXPECT_EQ(drawn, 0u);
}

TEST_F(ComputerMove, AdvancedRefusesARandomPointThatWouldExposeAPair) {
    place(2, 18, {"GRGRG"});
    place(9, 7, {"R", "G"});
    place(10, 10, {"R"});
    EXPECT_EQ(answer(ai::random_move), "9,10") << "(9, 9) would expose (9, 9), (9, 8)";
    skill_level = 0;
    EXPECT_EQ(answer(ai::random_move), "9,9");
}

TEST_F(ComputerMove, WhenEveryCandidateIsRefusedTheFirstEmptyPointIsPlayed) {
    // Only a made-up position refuses every opening candidate: the centre would expose the
    // pair (10, 10), (10, 11).
    place(10, 11, {"G", "R"});
    move_count = 1;
    EXPECT_EQ(answer(ai::random_move), "none");
    EXPECT_EQ(move(), "10,10 RANDOM");
    EXPECT_EQ(cell(10, 10).color, green);
    EXPECT_EQ(move_count, 2);
    EXPECT_EQ(cur_color, red);
    EXPECT_EQ(drawn, 0u);
}

TEST_F(ComputerMove, WithNoEmptyPointNothingOfTheMoveHappens) {
    for (int x = 2; x <= 18; ++x)
        for (int y = 2; y <= 18; ++y) set_cell(1 + (x + 2 * y) % 2, x, y, no_direction, 1);
    min_x = min_y = 2;
    max_x = max_y = 18;
    move_count = 289;
    move_x = 7;
    move_y = 8;
    strategy_code = "BLOCK 4";
    recording::calls.clear();
    EXPECT_FALSE(ai::computer_move());
    EXPECT_EQ(move_count, 289);
    EXPECT_EQ(strategy_code, "BLOCK 4");
    EXPECT_EQ(last_point(), "7,8");
    EXPECT_EQ(cur_color, green);
    EXPECT_TRUE(recording::calls.empty());
}

TEST_F(ComputerMove, TheClockSeededDrawGivesEachOfOneToFive) {
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) seen.insert(ai::clock_seeded_draw());
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5}));
}
