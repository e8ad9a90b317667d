// The computer player's line-scanning operations, on positions written as text.
#include "ai/primitives.h"
#include "engine/game_state.h"
#include "engine/moves.h"
#include "recording/recording.h"
#include "support/board_text.h"
#include "tactic_answer.h"

#include <gtest/gtest.h>

using namespace engine;
using ai::Point;
using board_text::place;

namespace {

class Primitives : public ::testing::Test {
protected:
    void SetUp() override {
        recording::start_program();
        skill_level = 1;
    }
};

std::string text(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// exact_run's verdict and the two ends it reported, as "verdict back forward".
std::string run(int d, int x, int y, int n, int colour) {
    Point back{0, 0};
    Point forward{0, 0};
    const bool exact = ai::exact_run(d, x, y, n, colour, back, forward);
    return (exact ? "yes " : "no ") + text(back) + " " + text(forward);
}

std::string follow(int x, int y, int n, int colour, int d) {
    Point after{0, 0};
    const bool found = ai::stones_follow(x, y, n, colour, d, after);
    return (found ? "yes " : "no ") + text(after);
}

bool capture_at(int x, int y) { return ai::capture_pair_at(x, y); }

} // namespace

TEST_F(Primitives, OppositeDirReversesEachOfTheEightDirections) {
    const int opposite[] = {5, 6, 7, 8, 1, 2, 3, 4};
    for (int d = 1; d <= 8; ++d) EXPECT_EQ(ai::opposite_dir(d), opposite[d - 1]) << d;
}

TEST_F(Primitives, ExactRunCountsTheWholeRunAndReportsItsEnds) {
    place(5, 10, {"RRR"});
    EXPECT_EQ(run(3, 6, 10, 3, red), "yes 4,10 8,10");
    EXPECT_EQ(run(3, 6, 10, 2, red), "no 4,10 8,10");
    EXPECT_EQ(run(3, 5, 10, 3, red), "yes 4,10 8,10");
    EXPECT_EQ(run(7, 7, 10, 3, red), "yes 8,10 4,10");
    EXPECT_EQ(run(1, 6, 10, 1, red), "yes 6,11 6,9");
    EXPECT_EQ(run(3, 6, 10, 3, green), "no 0,0 0,0");
    EXPECT_EQ(run(3, 9, 10, 0, red), "no 0,0 0,0");
}

TEST_F(Primitives, ARunAgainstTheEdgeEndsOnTheEmptyOuterLine) {
    place(16, 3, {"GGG"});
    place(4, 2, {"G", "G"});
    EXPECT_EQ(run(3, 17, 3, 3, green), "yes 15,3 19,3");
    EXPECT_EQ(run(1, 4, 3, 2, green), "yes 4,4 4,1");
}

TEST_F(Primitives, StonesFollowLooksOnlyPastThePointAndReportsTheNextOne) {
    place(5, 10, {"RRR"});
    EXPECT_EQ(follow(4, 10, 1, red, 3), "yes 6,10");
    EXPECT_EQ(follow(4, 10, 3, red, 3), "yes 8,10");
    EXPECT_EQ(follow(4, 10, 4, red, 3), "no 0,0");
    EXPECT_EQ(follow(8, 10, 1, red, 3), "no 0,0");
    EXPECT_EQ(follow(8, 10, 1, red, 7), "yes 6,10");
    EXPECT_EQ(follow(5, 10, 2, red, 3), "yes 8,10");
    EXPECT_EQ(follow(6, 10, 2, red, 3), "no 0,0");
    EXPECT_EQ(follow(12, 12, 0, red, 1), "yes 12,11");
}

TEST_F(Primitives, GapOppGapWantsEmptyOpponentEmptyInThatOrder) {
    place(5, 10, {".R.RG"});
    EXPECT_TRUE(ai::gap_opp_gap(3, 5, 10));
    EXPECT_TRUE(ai::gap_opp_gap(7, 7, 10));
    EXPECT_FALSE(ai::gap_opp_gap(3, 7, 10)) << "two steps on is a GREEN stone";
    EXPECT_FALSE(ai::gap_opp_gap(3, 6, 10)) << "the point itself holds a stone";
    EXPECT_FALSE(ai::gap_opp_gap(3, 4, 10)) << "the next point is empty";
}

TEST_F(Primitives, MoveExposesPairSeesAnOwnNeighbourBetweenOpponentAndGap) {
    place(10, 10, {"G.R"});
    EXPECT_FALSE(ai::move_exposes_pair(9, 10));
    EXPECT_TRUE(ai::move_exposes_pair(11, 10));
    skill_level = 0;
    EXPECT_FALSE(ai::move_exposes_pair(11, 10));
}

TEST_F(Primitives, MoveExposesPairCountsTheOuterLineAsTheOpponentsPoint) {
    place(2, 10, {"G.R"});
    place(3, 5, {"GR"});
    EXPECT_TRUE(ai::move_exposes_pair(3, 10)) << "the gap is (1, 10)";
    EXPECT_TRUE(ai::move_exposes_pair(2, 5)) << "the gap is (1, 5)";
}

TEST_F(Primitives, MoveExposesPairLooksInEachOfTheEightDirections) {
    const Point p{10, 10};
    auto put = [](Point q, int colour) { set_cell(colour, q.x, q.y, no_direction, 1); };
    for (int d = 1; d <= 8; ++d) {
        clear_board();
        put(ai::step(p, d), green);
        EXPECT_FALSE(ai::move_exposes_pair(p.x, p.y)) << d;
        put(ai::step(p, d, 2), red);
        EXPECT_TRUE(ai::move_exposes_pair(p.x, p.y)) << d;
        put(ai::step(p, d, -1), green);
        EXPECT_FALSE(ai::move_exposes_pair(p.x, p.y)) << d << ": bracketed, no gap";
        clear_board();
        put(ai::step(p, d), green);
        put(ai::step(p, d, -1), red);
        EXPECT_TRUE(ai::move_exposes_pair(p.x, p.y)) << d;
    }
}

TEST_F(Primitives, CapturePairAtTakesTheFirstLineInOrderAndPlacesOneStone) {
    place(9, 8, {"....", "..G.", "GRR.", "..R.", "...."});
    EXPECT_EQ(tactic_answer::answer([] { return capture_at(11, 10); }), "11,12");
    EXPECT_EQ(tactic_answer::answer([] { return capture_at(10, 10); }), "12,10");
}

TEST_F(Primitives, CapturePairAtPlaysEitherEndAndGoesOnPastARefusedOne) {
    place(10, 2, {"R..", "RRG", "G.."});
    EXPECT_EQ(tactic_answer::answer([] { return capture_at(10, 3); }), "9,3")
        << "the vertical pair ends on row 1; the horizontal one is taken from the left";
    EXPECT_EQ(tactic_answer::answer([] { return capture_at(10, 2); }), "none")
        << "its other pair, on the falling diagonal, is open at both ends";
}

TEST_F(Primitives, CaptureInLineTriesTheRunsStonesFromTheBackEnd) {
    place(5, 9, {"...G", "RRRR", ".R.R", ".G.."});
    EXPECT_EQ(tactic_answer::answer([] { return ai::capture_in_line(4, 10, 4, 3); }), "6,9")
        << "(6, 10) and (6, 11) come before (8, 10) and (8, 11)";
    EXPECT_EQ(tactic_answer::answer([] { return ai::capture_in_line(9, 10, 4, 7); }), "8,12");
    EXPECT_EQ(tactic_answer::answer([] { return ai::capture_in_line(4, 10, 1, 3); }), "none");
    EXPECT_EQ(tactic_answer::answer([] { return ai::capture_in_line(6, 10, 2, 3); }), "5,12")
        << "(7, 10) comes first after (6, 10); (8, 9) brackets it with (6, 11)";
    skill_level = 0;
    EXPECT_EQ(tactic_answer::answer([] { return ai::capture_in_line(4, 10, 4, 3); }), "none");
}
