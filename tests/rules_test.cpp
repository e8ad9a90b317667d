// Captures and their undo on positions written as text.
#include "engine/captures.h"
#include "engine/game_state.h"
#include "engine/moves.h"
#include "engine/turns.h"
#include "recording/recording.h"
#include "support/board_text.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace engine;
using board_text::place;
using board_text::rows;

namespace {

bool play(int x, int y) {
    EXPECT_TRUE(try_move(x, y));
    return finish_move();
}

void red_to_move() { std::swap(cur_color, opp_color); }

class Rules : public ::testing::Test {
protected:
    void SetUp() override { recording::start_program(); }
};

} // namespace

// Each position lies at (4, 10); the move is made and then taken back.
TEST_F(Rules, ExactlyTwoBracketedStonesAreTakenAndUndoPutsThemBack) {
    const struct {
        std::vector<std::string> before;
        int x, y;
        bool red;
        std::vector<std::string> after;
        int pairs;
    } cases[] = {
        {{".RRG"}, 4, 10, false, {"G..G"}, 1},
        {{"GRR.RRG"}, 7, 10, false, {"G..G..G"}, 2},
        {{"...G", "..R.", ".R..", "...."}, 4, 13, false, {"...G", "....", "....", "G..."}, 1},
        {{"G.RG"}, 5, 10, true, {"GRRG"}, 0}, // a stone played into the bracket is safe
    };
    for (const auto& c : cases) {
        recording::start_program();
        place(4, 10, c.before);
        if (c.red) red_to_move();
        const int mover = cur_color;
        const int width = static_cast<int>(c.before[0].size());
        const int height = static_cast<int>(c.before.size());
        play(c.x, c.y);
        EXPECT_EQ(rows(4, 10, width, height), c.after) << c.before[0];
        EXPECT_EQ(pairs_taken[mover - 1], c.pairs);
        EXPECT_EQ(cell(c.x, c.y).capture_dir != no_direction, c.pairs > 0);
        undo_move();
        EXPECT_EQ(rows(4, 10, width, height), c.before);
        EXPECT_EQ(pairs_taken[mover - 1], 0);
    }
}

// Three steps from a point next but one to an edge lies the board's margin, where no stone
// can be played: a "bracket" there is none. Each direction is tried against each edge it leads
// to, the other coordinate in the middle of the board.
TEST_F(Rules, TheBracketMustLieOnTheGrid) {
    for (int d = 1; d <= 8; ++d) {
        const int dx = dir_table[d].dx, dy = dir_table[d].dy;
        for (auto [ex, ey] : {std::pair{dx, 0}, {0, dy}}) {
            if (ex == 0 && ey == 0) continue;
            const int x = 10 + 7 * ex, y = 10 + 7 * ey;
            recording::start_program();
            move_x = static_cast<i16>(x);
            move_y = static_cast<i16>(y);
            cell(x + dx, y + dy).color = cell(x + 2 * dx, y + 2 * dy).color = red;
            cell(x + 3 * dx, y + 3 * dy).color = green;
            EXPECT_TRUE(capture_off_board(d)) << d;
            EXPECT_FALSE(capture_test(d, x, y)) << d;
            move_x = static_cast<i16>(x - ex);
            move_y = static_cast<i16>(y - ey);
            EXPECT_FALSE(capture_off_board(d)) << d;
        }
    }
}
