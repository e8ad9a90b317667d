// The computer player's tactics, each asked by itself, on positions written as text. GREEN is
// the computer; in the blocking positions RED is the opponent whose line is stopped.
#include "ai/tactics.h"
#include "engine/game_state.h"
#include "recording/recording.h"
#include "support/board_text.h"
#include "tactic_answer.h"

#include <gtest/gtest.h>

using namespace engine;
using board_text::place;
using tactic_answer::answer;

namespace {

class Tactics : public ::testing::Test {
protected:
    void SetUp() override {
        recording::start_program();
        skill_level = 1;
    }
};

// The tactic's answer to a position written from (left, top), in a fresh game at Advanced.
std::string answer_to(bool (*tactic)(), int left, int top, const std::vector<std::string>& rows) {
    recording::start_program();
    skill_level = 1;
    place(left, top, rows);
    return answer(tactic);
}

std::string on_row_ten(bool (*tactic)(), int left, const std::string& row) {
    return answer_to(tactic, left, 10, {row});
}

} // namespace

TEST_F(Tactics, MakeFivePrefersTheBackEndAndGoesOnPastARefusedOne) {
    EXPECT_EQ(on_row_ten(ai::make_five, 5, "GGGG"), "4,10");
    EXPECT_EQ(answer_to(ai::make_five, 10, 5, {"G", "G", "G", "G"}), "10,9") << "below a four";
    EXPECT_EQ(answer_to(ai::make_five, 10, 15, {"G", "G", "G", "G"}), "10,14")
        << "(10, 19) is refused";
    EXPECT_EQ(on_row_ten(ai::make_five, 4, "RGGGG."), "9,10");
}

TEST_F(Tactics, MakeFiveIgnoresDeadFoursLongRunsAndGaps) {
    place(4, 4, {"RGGGGR"});
    place(4, 8, {"GGGGG"});
    place(4, 12, {"GG.GG"});
    place(4, 16, {"GGG.G"});
    EXPECT_EQ(answer(ai::make_five), "none");
}

TEST_F(Tactics, TakeTwoBracketsAnExactOpponentPairFromEitherSide) {
    EXPECT_EQ(on_row_ten(ai::take_two, 4, "GRR"), "7,10");
    EXPECT_EQ(on_row_ten(ai::take_two, 4, ".RRG"), "4,10");
    EXPECT_EQ(on_row_ten(ai::take_two, 4, "GRRR"), "none");
    EXPECT_EQ(on_row_ten(ai::take_two, 4, ".RR."), "none");
}

TEST_F(Tactics, TakeTwoTakesThePairMetFirstInScanOrder) {
    place(4, 2, {".....RRG", ".R......", ".R......", ".G"});
    EXPECT_EQ(answer(ai::take_two), "5,2") << "column 5 before column 9, though row 2 is higher";
    EXPECT_EQ(answer_to(ai::take_two, 4, 3, {".G", "GRR.", ".R", ".."}), "5,6")
        << "at (5, 4) the vertical pair before the horizontal";
}

TEST_F(Tactics, BlockFourTakesTheFreeEndAndLeavesADeadFour) {
    EXPECT_EQ(on_row_ten(ai::block_four, 5, "RRRR"), "4,10");
    EXPECT_EQ(on_row_ten(ai::block_four, 4, "GRRRR"), "9,10");
    EXPECT_EQ(on_row_ten(ai::block_four, 4, "GRRRRG"), "none");
    EXPECT_EQ(on_row_ten(ai::block_four, 2, "RRRR"), "6,10") << "(1, 10) is refused";
}

TEST_F(Tactics, BlockFourCapturesACrossingPairAtAdvancedOnly) {
    place(5, 9, {"....", "RRRR", ".R..", ".G.."});
    EXPECT_EQ(answer(ai::block_four), "6,9");
    skill_level = 0;
    EXPECT_EQ(answer(ai::block_four), "4,10");
    EXPECT_EQ(answer_to(ai::block_four, 4, 9, {".....", "GRRRRG", "..R..", "..G.."}), "none")
        << "a four capped at both ends is dead and not attacked";
}

TEST_F(Tactics, BlockingAnswersTheFourMetFirstInScanOrder) {
    place(3, 5, {"R", "R", "R", "R"});
    place(5, 10, {"RRRR"});
    EXPECT_EQ(answer(ai::block_four), "3,9");
    EXPECT_EQ(answer_to(ai::block_four, 12, 12, {"RRRR", "R", "R", "R"}), "12,16")
        << "at (12, 12) direction 1 comes before 3";
}

TEST_F(Tactics, BlockSplitFourFillsTheGapOnEitherSide) {
    EXPECT_EQ(on_row_ten(ai::block_split_four, 5, "RRR.R"), "8,10");
    EXPECT_EQ(on_row_ten(ai::block_split_four, 5, "R.RRR"), "6,10");
    EXPECT_EQ(on_row_ten(ai::block_split_four, 4, "GRRR.RG"), "8,10");
    EXPECT_EQ(on_row_ten(ai::block_split_four, 5, "RR.RR"), "none");
    EXPECT_EQ(answer_to(ai::block_split_four, 5, 10, {"RRR.R", "..R..", "..G.."}), "7,9")
        << "the pair through the run's third stone is taken";
    EXPECT_EQ(answer_to(ai::block_split_four, 5, 10, {"RRR.R", "....R", "....G"}), "8,10")
        << "the stone beyond the gap is not the run's";
}

TEST_F(Tactics, BlockSplitThreeLeavesOnlyAThreeCappedAtBothOuterEnds) {
    EXPECT_EQ(on_row_ten(ai::block_split_three, 5, "RR.R"), "7,10");
    EXPECT_EQ(on_row_ten(ai::block_split_three, 4, "GRR.RG"), "none");
    EXPECT_EQ(on_row_ten(ai::block_split_three, 4, "GRR.R"), "7,10");
    EXPECT_EQ(on_row_ten(ai::block_split_three, 5, "RR.RG"), "7,10");
    EXPECT_EQ(on_row_ten(ai::block_split_three, 5, "R.RR"), "6,10");
    EXPECT_EQ(on_row_ten(ai::block_split_three, 4, "GR.RRG"), "none");
    EXPECT_EQ(on_row_ten(ai::block_split_three, 5, "R.RRG"), "6,10");
}

TEST_F(Tactics, BlockOpenThreeTestsOnlyTheForwardEndForSafety) {
    place(4, 10, {".RRR.", "G...G", "R...R"});
    EXPECT_EQ(answer(ai::block_open_three), "4,10") << "(8, 10) would expose (8, 10), (8, 11)";
    skill_level = 0;
    EXPECT_EQ(answer(ai::block_open_three), "8,10");
    EXPECT_EQ(on_row_ten(ai::block_open_three, 5, "RRR"), "8,10");
    EXPECT_EQ(on_row_ten(ai::block_open_three, 4, "GRRR"), "none");
}

TEST_F(Tactics, BlockOpenThreeCapturesFirstAtAdvanced) {
    place(5, 10, {"RRR", ".R", ".G"});
    EXPECT_EQ(answer(ai::block_open_three), "6,9");
    skill_level = 0;
    EXPECT_EQ(answer(ai::block_open_three), "8,10");
}

TEST_F(Tactics, BlockOpenTwoPrefersTheSafeBackEndAndIsAdvancedOnly) {
    EXPECT_EQ(on_row_ten(ai::block_open_two, 5, "RR"), "4,10");
    EXPECT_EQ(answer_to(ai::block_open_two, 4, 10, {".RR.", "G..G", "R..."}), "7,10");
    place(7, 12, {"R"});
    EXPECT_EQ(answer(ai::block_open_two), "none");
    EXPECT_EQ(on_row_ten(ai::block_open_two, 4, "GRR"), "none");
}

TEST_F(Tactics, BlockClosedThreeBlocksTheOpenEndUnlessAlreadyCapped) {
    EXPECT_EQ(on_row_ten(ai::block_closed_three, 4, "GRRR"), "8,10");
    EXPECT_EQ(on_row_ten(ai::block_closed_three, 4, "GRRR.G"), "none");
    EXPECT_EQ(on_row_ten(ai::block_closed_three, 5, "RRRG"), "4,10");
    EXPECT_EQ(on_row_ten(ai::block_closed_three, 3, "G.RRRG"), "none");
    EXPECT_EQ(on_row_ten(ai::block_closed_three, 5, "RRR"), "none");
    EXPECT_EQ(on_row_ten(ai::block_closed_three, 4, "GRRRG"), "none");
    EXPECT_EQ(answer_to(ai::block_closed_three, 4, 10, {"GRRR.", "....G", "....R"}), "none")
        << "(8, 10) would expose a pair";
}

TEST_F(Tactics, BlockSplitTwoPlaysTheSafeMiddleOfAnOpenSplitTwo) {
    EXPECT_EQ(on_row_ten(ai::block_split_two, 5, "R.R"), "6,10");
    EXPECT_EQ(on_row_ten(ai::block_split_two, 4, "GR.R"), "none");
    EXPECT_EQ(on_row_ten(ai::block_split_two, 3, "R.R.R"), "4,10") << "the first middle";
    EXPECT_EQ(on_row_ten(ai::block_split_two, 2, "RR.R.R"), "6,10");
    EXPECT_EQ(answer_to(ai::block_split_two, 5, 10, {"R.R", ".G.", ".R."}), "none")
        << "(6, 10) would expose a pair";
}

TEST_F(Tactics, TheFourAdvancedTacticsDoNothingForNovice) {
    struct Case {
        bool (*tactic)();
        int left;
        const char* row;
    } cases[] = {{ai::block_open_two, 5, "RR"},
                 {ai::block_closed_three, 4, "GRRR"},
                 {ai::extend_closed_three, 9, "RGGG"},
                 {ai::block_split_two, 5, "R.R"}};
    for (const Case& c : cases) {
        EXPECT_NE(on_row_ten(c.tactic, c.left, c.row), "none") << c.row;
        skill_level = 0;
        EXPECT_EQ(answer(c.tactic), "none") << c.row;
    }
}

TEST_F(Tactics, ExtendClosedTwoGrowsAwayFromTheOpponentStone) {
    EXPECT_EQ(on_row_ten(ai::extend_closed_two, 9, "RGG"), "12,10");
    EXPECT_EQ(on_row_ten(ai::extend_closed_two, 10, "GGR"), "9,10");
    EXPECT_EQ(on_row_ten(ai::extend_closed_two, 9, "RGGG"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_closed_two, 9, "RGGR"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_closed_two, 10, "GG"), "none");
}

TEST_F(Tactics, ExtendOpenTwoPrefersTheForwardEndWhenItIsSafe) {
    EXPECT_EQ(on_row_ten(ai::extend_open_two, 10, "GG"), "12,10");
    place(12, 11, {"G", "R"});
    EXPECT_EQ(answer(ai::extend_open_two), "9,10");
    skill_level = 0;
    EXPECT_EQ(answer(ai::extend_open_two), "12,10");
    EXPECT_EQ(on_row_ten(ai::extend_open_two, 17, "GG"), "16,10") << "(19, 10) is refused";
}

TEST_F(Tactics, ExtendOpenThreeOnlyEverPlaysTheForwardEnd) {
    EXPECT_EQ(answer_to(ai::extend_open_three, 10, 3, {"G", "G", "G"}), "10,2");
    EXPECT_EQ(answer_to(ai::extend_open_three, 10, 2, {"G", "G", "G"}), "none")
        << "(10, 1) is refused, (10, 5) not tried";
    EXPECT_EQ(on_row_ten(ai::extend_open_three, 9, "RGGG"), "none");
}

TEST_F(Tactics, ExtendClosedThreeAvoidsAnOpponentTwoPointsPastTheRun) {
    EXPECT_EQ(on_row_ten(ai::extend_closed_three, 9, "RGGG"), "13,10");
    EXPECT_EQ(on_row_ten(ai::extend_closed_three, 9, "RGGG.R"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_closed_three, 8, "R.GGGR"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_closed_three, 10, "GGGR"), "9,10");
    EXPECT_EQ(on_row_ten(ai::extend_closed_three, 9, "RGGG.G"), "13,10");
    EXPECT_EQ(answer_to(ai::extend_closed_three, 9, 10, {"RGGG.", "....G", "....R"}), "none")
        << "(13, 10) would expose a pair";
}

TEST_F(Tactics, ExtendSplitThreeFillsEveryTwoAndOneBeforeAnyThreeAndOne) {
    place(5, 5, {"GG.G"});
    place(5, 10, {"GGG.G"});
    EXPECT_EQ(answer(ai::extend_split_three), "7,5");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 5, "GGG.G"), "8,10");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 4, "RGGG.GR"), "8,10");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 5, "G.GGG"), "6,10");
}

TEST_F(Tactics, ExtendSplitThreeWantsNoOpponentAtTheEndsOfATwoAndOne) {
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 5, "GG.GR"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 4, "RGG.G"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 5, "G.GG"), "6,10");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 4, "RG.GG"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 5, "G.GGR"), "none");
    EXPECT_EQ(on_row_ten(ai::extend_split_three, 5, "GG.GG"), "7,10");
}
