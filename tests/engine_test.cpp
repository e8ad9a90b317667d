// The board, the directions and placing a stone, through the recording window.
#include "engine/game_state.h"
#include "engine/moves.h"
#include "recording/recording.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace engine;

namespace {

auto fields(const BoardCell& c) {
    return std::make_tuple(c.color, c.x, c.y, c.move_no, c.capture_dir);
}

using Point = std::pair<int, int>;

auto box() { return std::make_tuple(min_x, max_x, min_y, max_y); }

class Engine : public ::testing::Test {
protected:
    void SetUp() override { recording::start_program(); }
};

} // namespace

TEST_F(Engine, ClearBoardLeavesEveryCellEmptyAndSelfAddressed) {
    set_cell(green, 5, 6, 3, 7);
    clear_board();
    EXPECT_EQ(fields(cell(-1, -1)), std::make_tuple(0, -1, -1, 0, 9));
    EXPECT_EQ(fields(cell(21, 21)), std::make_tuple(0, 21, 21, 0, 9));
    for (int x = board_low; x <= board_high; ++x)
        for (int y = board_low; y <= board_high; ++y)
            ASSERT_EQ(fields(cell(x, y)), std::make_tuple(0, x, y, 0, 9)) << x << "," << y;
}

TEST_F(Engine, TryMoveRefusesEdgePointsWithoutAnyEffect) {
    move_x = 7;
    move_y = 8;
    for (auto [x, y] : {std::pair{1, 10}, {19, 10}, {10, 1}, {10, 19}}) {
        EXPECT_FALSE(try_move(x, y));
        EXPECT_EQ(Point(move_x, move_y), Point(7, 8));
        EXPECT_EQ(box(), std::make_tuple(10, 10, 10, 10));
    }
    EXPECT_TRUE(recording::calls.empty());
    EXPECT_EQ(view::image(view::ImageArray::g_stone, 1), nullptr);
}

TEST_F(Engine, FirstMoveShowsGreenImageOneCentredAndWidensTheBox) {
    ASSERT_TRUE(try_move(12, 7));
    EXPECT_EQ(Point(move_x, move_y), Point(12, 7));
    EXPECT_EQ(box(), std::make_tuple(10, 12, 7, 10));
    EXPECT_EQ(recording::calls,
              (std::vector<std::string>{"create_image g_stone 1",
                                        "move_image g_stone 1 " +
                                            std::to_string(view::point_left(12) - 240) + " " +
                                            std::to_string(view::point_top(7) - 240),
                                        "set_image_visible g_stone 1 1"}));
    EXPECT_EQ(cell(12, 7).color, empty) << "try_move must not write the cell";
}

TEST_F(Engine, CornerMovesSucceedAndTheBoxNeverNarrows) {
    EXPECT_TRUE(try_move(2, 2));
    move_count = 1;
    cur_color = red;
    EXPECT_TRUE(try_move(18, 18));
    EXPECT_EQ(box(), std::make_tuple(2, 18, 2, 18));
    ASSERT_NE(view::image(view::ImageArray::r_stone, 2), nullptr);
    EXPECT_TRUE(view::image(view::ImageArray::r_stone, 2)->visible);
    move_count = 2;
    cur_color = green;
    EXPECT_TRUE(try_move(10, 10));
    EXPECT_EQ(box(), std::make_tuple(2, 18, 2, 18));
}
