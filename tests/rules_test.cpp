// Captures, five in a row, the end of a game, turns and undo, through the recording window.
#include "engine/captures.h"
#include "engine/game_state.h"
#include "engine/judge.h"
#include "engine/moves.h"
#include "engine/turns.h"
#include "recording/recording.h"
#include "settings/settings.h"
#include "settings/sound.h"
#include "support/board_text.h"
#include "support/invariants.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using namespace engine;
using recording::played;
using settings::Cue;

namespace {

auto fields(int x, int y) {
    const BoardCell& c = cell(x, y);
    return std::make_tuple(c.color, c.x, c.y, c.move_no, c.capture_dir);
}

auto box() { return std::make_tuple(min_x, max_x, min_y, max_y); }

std::size_t times_played(Cue cue) { return recording::count_calls(played(cue)); }

// The window's record of a stone's image: whether it exists and is visible.
std::pair<bool, bool> stone_image(int color, int number) {
    const auto* element =
        view::image(color == green ? view::ImageArray::g_stone : view::ImageArray::r_stone, number);
    return {element != nullptr, element && element->visible};
}

// Plays (x, y) for the side to move, as every move is made.
bool play(int x, int y) {
    EXPECT_TRUE(try_move(x, y));
    return finish_move();
}

class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        recording::start_program();
        recording::name_the_cues();
    }
};

} // namespace

TEST_F(Rules, ABracketedPairIsTakenLoggedHiddenAndCounted) {
    board_text::place(6, 10, {"RRG"});
    recording::calls.clear();
    play(5, 10);
    EXPECT_EQ(board_text::rows(5, 10, 4, 1), std::vector<std::string>{"G..G"});
    EXPECT_EQ(fields(6, 10), std::make_tuple(0, 6, 10, 0, 9));
    EXPECT_EQ(fields(7, 10), std::make_tuple(0, 7, 10, 0, 9));
    EXPECT_EQ(fields(5, 10), std::make_tuple(1, 5, 10, 4, 3));
    EXPECT_EQ(move_count, 4);
    EXPECT_EQ(pairs_taken, (std::array<i16, 2>{1, 0}));
    EXPECT_EQ(stone_image(red, 1), std::make_pair(true, false));
    EXPECT_EQ(stone_image(red, 2), std::make_pair(true, false));
    EXPECT_EQ(capture_log_count, 2);
    EXPECT_EQ(std::make_tuple(capture_log[1].move_no, capture_log[1].taken_on, capture_log[1].x,
                              capture_log[1].color),
              std::make_tuple(1, 4, 6, red));
    EXPECT_EQ(capture_log[2].move_no, 2);
    EXPECT_EQ(recording::calls_starting("set_caption"),
              (std::vector<std::string>{"set_caption g_taken 0", "set_caption r_taken 1"}));
    // The take-two cue is the move's only sound.
    EXPECT_EQ(times_played(Cue::take_two_sound), 1u);
    EXPECT_EQ(recording::count_calls("play_sound"), 1u);
    EXPECT_TRUE(capture_made);
    EXPECT_EQ(cur_color, red);
}

TEST_F(Rules, OnlyExactlyTwoStonesBracketedByTheMoverAreTaken) {
    board_text::place(6, 10, {"RRRG"});
    play(5, 10);
    EXPECT_EQ(board_text::rows(5, 10, 5, 1), std::vector<std::string>{"GRRRG"});
    EXPECT_FALSE(capture_made);
    EXPECT_EQ(fields(5, 10), std::make_tuple(1, 5, 10, 5, 9));

    // A stone played into the bracket is never taken: the pair is RED's own move.
    board_text::place(5, 12, {"G..G"});
    board_text::place(6, 12, {"R"});
    cur_color = red;
    opp_color = green;
    play(7, 12);
    EXPECT_EQ(board_text::rows(5, 12, 4, 1), std::vector<std::string>{"GRRG"});
    EXPECT_EQ(pairs_taken, (std::array<i16, 2>{0, 0}));
    EXPECT_EQ(capture_log_count, 0);
}

TEST_F(Rules, OneStoneTakesPairsInSeveralDirectionsAtOnce) {
    board_text::place(4, 10, {"GRR.RRG"});
    recording::calls.clear();
    play(7, 10);
    EXPECT_EQ(board_text::rows(4, 10, 7, 1), std::vector<std::string>{"G..G..G"});
    EXPECT_EQ(pairs_taken[0], 2);
    EXPECT_EQ(capture_log_count, 4);
    EXPECT_EQ(fields(7, 10), std::make_tuple(1, 7, 10, 7, 7));
    EXPECT_EQ(times_played(Cue::take_two_sound), 2u);
}

// (0, 10) lies in the board's margin, not on the grid, so it never brackets a pair.
TEST_F(Rules, TheBracketMustLieOnTheGrid) {
    board_text::place(2, 10, {"R"});
    cell(1, 10).color = red;
    cell(0, 10).color = green;
    move_x = 3;
    move_y = 10;
    EXPECT_TRUE(capture_off_board(7));
    EXPECT_FALSE(capture_test(7, 3, 10));
    move_x = 4;
    EXPECT_FALSE(capture_off_board(7));
}

TEST_F(Rules, FiveInARowWinsAndIsMarkedFromTheBackEnd) {
    struct Case {
        std::vector<std::string> rows;
        int x, y;
        std::vector<std::pair<int, int>> markers;
    };
    const Case cases[] = {
        {{"GGGG."}, 9, 10, {{5, 10}, {6, 10}, {7, 10}, {8, 10}, {9, 10}}},
        // A run of six: d = 3 reaches back to (4, 10), so the markers leave out (10, 10).
        {{"GGGG.G"}, 9, 10, {{5, 10}, {6, 10}, {7, 10}, {8, 10}, {9, 10}}},
        // A run of six found upwards: the back end lies below, so the five lowest are marked.
        {{"G", "G", "G", "G", "G", "."}, 5, 15, {{5, 15}, {5, 14}, {5, 13}, {5, 12}, {5, 11}}},
        {{"G", ".G", "..G", "...G", "...."}, 9, 14, {{5, 10}, {6, 11}, {7, 12}, {8, 13}, {9, 14}}},
    };
    for (const Case& c : cases) {
        recording::start_program();
        board_text::place(5, 10, c.rows);
        recording::calls.clear();
        EXPECT_TRUE(play(c.x, c.y));
        EXPECT_EQ(recording::calls_starting("show_message"),
                  std::vector<std::string>{"show_message GREEN WINS WITH FIVE IN A ROW"});
        for (int i = 1; i <= 5; ++i) {
            const auto* marker = view::image(view::ImageArray::x_image, i);
            ASSERT_TRUE(marker && marker->visible);
            const auto [mx, my] = c.markers[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(marker->left, view::point_left(mx) - marker->width / 2) << i;
            EXPECT_EQ(marker->top, view::point_top(my) - marker->height / 2) << i;
        }
        EXPECT_TRUE(markers_shown);
    }
}

TEST_F(Rules, AGapBreaksTheRun) {
    board_text::place(5, 10, {"GGG.G", "RRR.R"});
    EXPECT_FALSE(five_check(9, 10));
    cur_color = red;
    opp_color = green;
    EXPECT_FALSE(play(9, 12));
    EXPECT_FALSE(game_over);
    EXPECT_EQ(recording::count_calls("show_message"), 0u);
    EXPECT_EQ(view::image(view::ImageArray::x_image, 1), nullptr);
}

TEST_F(Rules, AWinIsAnnouncedCountedAndEndsTheGame) {
    pairs_taken = {0, 4};
    cur_color = red;
    opp_color = green;
    board_text::place(6, 10, {"GGR"});
    recording::calls.clear();
    EXPECT_TRUE(play(5, 10));
    const std::vector<std::string> expected = {
        "set_caption g_taken 5",
        "set_caption r_taken 0",
        played(Cue::take_two_sound),
        played(Cue::victory_sound),
        "show_message RED WINS BY TAKING FIVE PAIRS",
        "set_caption r_games_won 1",
        "set_caption g_games_won 0",
        "set_enabled back_button 0",
        "set_enabled halt_button 0",
        "set_enabled step_button 0",
        "set_enabled run_button 0",
    };
    std::vector<std::string> seen;
    for (const auto& line : recording::calls)
        if (line.rfind("play_sound", 0) == 0 || line.rfind("set_", 0) == 0 ||
            line.rfind("show_message", 0) == 0)
            if (line.rfind("set_image_visible", 0) != 0) seen.push_back(line);
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(game_over);
    EXPECT_EQ(cur_color, red);
    EXPECT_EQ(games_won, (std::array<i16, 2>{0, 1}));
}

TEST_F(Rules, FivePairsAndFiveInARowWithOneMoveGiveTheThreeLineMessage) {
    pairs_taken = {4, 0};
    board_text::place(5, 8, {"....G", "....R", "....R", "GGGG.GG"});
    recording::calls.clear();
    EXPECT_TRUE(play(9, 11));
    EXPECT_EQ(recording::calls_starting("show_message"),
              std::vector<std::string>{"show_message GREEN WINS BY TAKING FIVE PAIRS\r\n AND "
                                       "MAKING FIVE IN A ROW\r\n WITH THE SAME MOVE!"});
    EXPECT_TRUE(markers_shown);
    EXPECT_EQ(games_won, (std::array<i16, 2>{1, 0}));
    EXPECT_EQ(pairs_taken[0], 5);
}

TEST_F(Rules, TheTurnPassesWithTheIndicatorAndTheMoveCue) {
    recording::calls.clear();
    play(10, 10);
    EXPECT_EQ(cur_color, red);
    EXPECT_EQ(opp_color, green);
    EXPECT_EQ(
        recording::calls_since(recording::calls.size() - 3),
        (std::vector<std::string>{"set_image_visible g_stone 0 0", "set_image_visible r_stone 0 1",
                                  played(Cue::put_piece_sound)}));
    sound_on = false;
    play(11, 10);
    EXPECT_EQ(cur_color, green);
    EXPECT_EQ(times_played(Cue::put_piece_sound), 1u);
}

TEST_F(Rules, UndoTakesBackTheLastMoveOnly) {
    play(10, 10);
    play(11, 10);
    recording::calls.clear();
    undo_move();
    EXPECT_EQ(move_count, 1);
    EXPECT_EQ(cur_color, red);
    EXPECT_EQ(fields(11, 10), std::make_tuple(0, 11, 10, 0, 9));
    EXPECT_EQ(std::make_pair(move_x, move_y), std::make_pair(i16{11}, i16{10}));
    EXPECT_EQ(stone_image(red, 2).first, false);
    EXPECT_EQ(stone_image(green, 1), std::make_pair(true, true));
    EXPECT_TRUE(view::image(view::ImageArray::r_stone, 0)->visible);
    EXPECT_FALSE(view::image(view::ImageArray::g_stone, 0)->visible);
    EXPECT_EQ(recording::calls_starting("set_caption"),
              std::vector<std::string>{"set_caption moves_panel 1"});
}

TEST_F(Rules, UndoPutsBackTheStonesTheMoveTook) {
    board_text::place(4, 10, {"GRR.RRG"});
    play(7, 10);
    recording::calls.clear();
    undo_move();
    EXPECT_EQ(board_text::rows(4, 10, 7, 1), std::vector<std::string>{"GRR.RRG"});
    for (int m : {2, 3, 4, 5}) EXPECT_EQ(stone_image(red, m), std::make_pair(true, true)) << m;
    EXPECT_EQ(fields(5, 10), std::make_tuple(2, 5, 10, 2, 9));
    EXPECT_EQ(pairs_taken, (std::array<i16, 2>{0, 0}));
    EXPECT_EQ(capture_log_count, 0);
    EXPECT_TRUE(stones_restored);
    EXPECT_EQ(recording::calls_starting("set_caption"),
              (std::vector<std::string>{"set_caption g_taken 0", "set_caption r_taken 0",
                                        "set_caption moves_panel 6"}));
    EXPECT_EQ(times_played(Cue::take_two_sound), 1u);
    EXPECT_EQ(cur_color, green);
}

TEST_F(Rules, UndoWithNoMoveOnlyRefuses) {
    recording::calls.clear();
    undo_move();
    EXPECT_EQ(recording::calls, std::vector<std::string>{played(Cue::bad_sound)});
    sound_on = false;
    recording::calls.clear();
    undo_move();
    EXPECT_TRUE(recording::calls.empty());
    EXPECT_EQ(cur_color, green);
}

namespace {

void expect_empty_game() {
    for (int x = board_low; x <= board_high; ++x)
        for (int y = board_low; y <= board_high; ++y)
            ASSERT_EQ(std::make_pair(cell(x, y).color, cell(x, y).move_no),
                      std::make_pair(i16{0}, i16{0}));
    EXPECT_EQ(move_count, 0);
    EXPECT_EQ(pairs_taken, (std::array<i16, 2>{0, 0}));
    EXPECT_EQ(capture_log_count, 0);
    EXPECT_EQ(cur_color, green);
    EXPECT_EQ(opp_color, red);
    for (int m = 1; m <= 400; ++m) {
        ASSERT_EQ(view::image(view::ImageArray::g_stone, m), nullptr);
        ASSERT_EQ(view::image(view::ImageArray::r_stone, m), nullptr);
    }
}

} // namespace

// Random games on a small patch of the board, so that pairs are taken and fives are made often.
TEST_F(Rules, RandomGamesKeepTheirBookkeepingAndUndoToTheEmptyGame) {
    std::mt19937 generator(20261207);
    int captures = 0, wins = 0, pair_wins = 0;
    for (int game = 0; game < 600; ++game) {
        recording::start_program();
        sound_on = false;
        const int low = 2 + game % 4, high = low + 6 + game % 3;
        std::uniform_int_distribution<int> coordinate(low, high);
        bool won = false;
        while (!won && move_count < (high - low + 1) * (high - low + 1) - 4) {
            int x, y;
            do {
                x = coordinate(generator);
                y = coordinate(generator);
            } while (cell(x, y).color != empty);
            won = play(x, y);
            captures += capture_made;
            ASSERT_EQ(invariants::first_fault(), "") << "game " << game << " move " << move_count;
        }
        wins += won;
        pair_wins += won && !five_found;
        const auto box_after_game = box();
        if (won) {
            // Back is disabled after a win; take it back as the turn had passed.
            game_over = false;
            change_turn();
        }
        while (move_count > 0) {
            undo_move();
            ASSERT_EQ(invariants::first_fault(), "") << "game " << game << " move " << move_count;
        }
        expect_empty_game();
        EXPECT_EQ(box(), box_after_game);
    }
    EXPECT_GT(captures, 1000);
    EXPECT_GT(wins, 400);
    EXPECT_GT(pair_wins, 5);
}
