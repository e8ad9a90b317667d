// Where a capture may reach: the board's margin brackets nothing.
#include "engine/captures.h"

#include <gtest/gtest.h>

using namespace engine;

// Three steps from a point next but one to an edge lies the board's margin, where no stone
// can be played: a "bracket" there is none. Each direction is tried against each edge it leads
// to, the other coordinate in the middle of the board.
TEST(Rules, TheBracketMustLieOnTheGrid) {
    for (int d = 1; d <= 8; ++d) {
        const int dx = dir_table[d].dx, dy = dir_table[d].dy;
        for (auto [ex, ey] : {std::pair{dx, 0}, {0, dy}}) {
            if (ex == 0 && ey == 0) continue;
            const int x = 10 + 7 * ex, y = 10 + 7 * ey;
            Game game;
            clear_board(game);
            game.move_x = static_cast<i16>(x);
            game.move_y = static_cast<i16>(y);
            game.cell(x + dx, y + dy).color = game.cell(x + 2 * dx, y + 2 * dy).color = red;
            game.cell(x + 3 * dx, y + 3 * dy).color = green;
            EXPECT_TRUE(capture_off_board(game, d)) << d;
            EXPECT_FALSE(capture_test(game, d, x, y)) << d;
            game.move_x = static_cast<i16>(x - ex);
            game.move_y = static_cast<i16>(y - ey);
            EXPECT_FALSE(capture_off_board(game, d)) << d;
        }
    }
}
