// Grid geometry, the board drawing and the picture arrays, through the recording window.
#include "recording/recording.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include <algorithm>

using namespace view;

namespace {

class View : public ::testing::Test {
protected:
    void SetUp() override { recording::start_program(); }
};

bool exists(ImageArray array, int index) { return image(array, index) != nullptr; }

bool visible(ImageArray array, int index) {
    const ImageElement* element = image(array, index);
    return element && element->visible;
}

} // namespace

TEST_F(View, PointAtGoesToTheNearestLineAndExactHalvesToTheEvenOne) {
    struct Case {
        float X;
        int column;
    } cases[] = {{2300, 1},       {2300 + 169, 1}, {2300 + 171, 2}, {2300 + 170, 2},
                 {2640 + 170, 2}, {2980 + 170, 4}, {8420, 19},      {0, -6}};
    for (const Case& c : cases) {
        EXPECT_EQ(point_at(c.X, 100).x, c.column) << c.X;
        EXPECT_EQ(point_at(2300, c.X - 2300 + 100).y, c.column) << c.X;
    }
    EXPECT_EQ(point_at(2640, 440).x, 2);
    EXPECT_EQ(point_at(2640, 440).y, 2);
    // Nothing a press can give, but nothing undefined either.
    EXPECT_EQ(point_at(1e12f, -1e12f).x, 32767);
    EXPECT_EQ(point_at(1e12f, -1e12f).y, -32768);
    EXPECT_EQ(point_at(std::nanf(""), 100).x, 32767);
}

TEST_F(View, BoardDrawingIsTheGridThenTheYellowFrameThenTheCentreCircle) {
    draw_board();
    const auto& calls = recording::calls;
    ASSERT_EQ(calls.size(), 38u + 4u + 1u);
    EXPECT_EQ(calls[0], "draw_line 2300 100 2300 6220 1 foreground");
    EXPECT_EQ(calls[1], "draw_line 2300 100 8420 100 1 foreground");
    EXPECT_EQ(calls[37], "draw_line 2300 6220 8420 6220 1 foreground");
    EXPECT_EQ(calls[38], "draw_line 2300 100 8420 100 2 yellow");
    EXPECT_EQ(calls[39], "draw_line 8420 100 8420 6220 2 yellow");
    EXPECT_EQ(calls[40], "draw_line 8420 6220 2300 6220 2 yellow");
    EXPECT_EQ(calls[41], "draw_line 2300 6220 2300 100 2 yellow");
    EXPECT_EQ(calls[42], "draw_circle 5360 3160 40 1 foreground");
}

TEST_F(View, StoneOfMoveOneOnTwoTwoHasItsCornerAt2400And200) {
    place_stone_image(1, 1, 2, 2);
    const ImageElement* stone = image(ImageArray::g_stone, 1);
    ASSERT_NE(stone, nullptr);
    EXPECT_EQ(stone->left, 2400);
    EXPECT_EQ(stone->top, 200);
    EXPECT_TRUE(stone->visible);
    EXPECT_EQ(recording::calls,
              (std::vector<std::string>{"create_image g_stone 1", "move_image g_stone 1 2400 200",
                                        "set_image_visible g_stone 1 1"}));
}

TEST_F(View, StonesAreHiddenShownAgainAndDestroyedByIndex) {
    place_stone_image(2, 4, 9, 9);
    hide_stone_image(2, 4);
    EXPECT_TRUE(exists(ImageArray::r_stone, 4));
    EXPECT_FALSE(visible(ImageArray::r_stone, 4));
    reshow_stone_image(2, 4);
    EXPECT_TRUE(visible(ImageArray::r_stone, 4));
    remove_stone_image(2, 4);
    EXPECT_FALSE(exists(ImageArray::r_stone, 4));
    EXPECT_EQ(recording::calls.back(), "destroy_image r_stone 4");
}

TEST_F(View, CallersMistakesNeitherDuplicateNorCrash) {
    place_stone_image(1, 3, 5, 5);
    const auto before = recording::calls.size();
    place_stone_image(1, 3, 6, 6);
    remove_stone_image(2, 8);
    hide_stone_image(1, 9);
    remove_stone_image(1, 0);
    place_stone_image(0, 5, 5, 5);
    EXPECT_EQ(recording::calls.size(), before);
    EXPECT_EQ(image(ImageArray::g_stone, 3)->left, point_left(5) - 240);
    EXPECT_TRUE(exists(ImageArray::g_stone, 0)) << "the indicator is not a stone";
}

TEST_F(View, ClearingAGameDestroysOddGreenAndEvenRedStones) {
    for (int n : {0, 3, 4}) {
        recording::start_program();
        for (int k = 1; k <= n; ++k) place_stone_image(k % 2 ? 1 : 2, k, k + 2, 5);
        recording::calls.clear();
        clear_stone_images(n);
        std::vector<std::string> expected;
        if (n >= 3)
            expected = {"destroy_image g_stone 1", "destroy_image r_stone 2",
                        "destroy_image g_stone 3"};
        if (n == 4) expected.push_back("destroy_image r_stone 4");
        EXPECT_EQ(recording::calls, expected) << n;
        EXPECT_TRUE(exists(ImageArray::g_stone, 0) && exists(ImageArray::r_stone, 0));
    }
}

TEST_F(View, TurnIndicatorShowsExactlyTheSideToMove) {
    EXPECT_TRUE(visible(ImageArray::g_stone, 0));
    EXPECT_FALSE(visible(ImageArray::r_stone, 0));
    set_turn_indicator(2);
    EXPECT_FALSE(visible(ImageArray::g_stone, 0));
    EXPECT_TRUE(visible(ImageArray::r_stone, 0));
    const ImageElement* indicator = image(ImageArray::r_stone, 0);
    EXPECT_EQ(std::make_pair(indicator->left, indicator->top), std::make_pair(900, 0));
}

TEST_F(View, MarkersComeAndGoAsASetWhileTheTemplateStaysHidden) {
    for (int i = 1; i <= 5; ++i) place_marker(i, 4 + i, 10);
    EXPECT_EQ(image(ImageArray::x_image, 1)->left, point_left(5) - 240);
    EXPECT_TRUE(visible(ImageArray::x_image, 5));
    remove_markers();
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(exists(ImageArray::x_image, i));
    EXPECT_TRUE(exists(ImageArray::x_image, 0));
    EXPECT_FALSE(visible(ImageArray::x_image, 0));
}
