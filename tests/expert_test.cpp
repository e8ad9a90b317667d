// The Expert player: its board plays the game's rules move for move, and its search wins what can
// be won at once, stops what must be stopped and finds wins a few moves deep that the ladder
// does not see.
#include "ai/computer_move.h"
#include "ai/expert/expert_player.h"
#include "engine/moves.h"
#include "support/board_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using ai::BoardSnapshot;
using ai::ExpertBoard;

// A snapshot of rows of text ('G', 'R', '.') with the first character at (left, top).
BoardSnapshot snapshot_of(int left, int top, const std::vector<std::string>& rows, int to_move,
                          std::array<int, 2> pairs = {0, 0}) {
    BoardSnapshot s;
    int stones = 0;
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            const char c = rows[row][column];
            if (c != 'G' && c != 'R') continue;
            s.color[static_cast<std::size_t>(left) + column - 1]
                   [static_cast<std::size_t>(top) + row - 1] = c == 'G' ? 1 : 2;
            stones += 1;
        }
    s.to_move = to_move;
    s.pairs_taken = pairs;
    s.move_count = stones;
    return s;
}

// The first difference between the search's board and a snapshot, or "".
std::string difference(const ExpertBoard& board, const BoardSnapshot& s) {
    for (int x = 1; x <= 19; ++x)
        for (int y = 1; y <= 19; ++y) {
            const int expected =
                s.color[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)];
            const int held = board.at(ExpertBoard::square(x, y));
            if (held != (expected == 0 && (x < 2 || x > 18 || y < 2 || y > 18) ? ExpertBoard::wall
                                                                               : expected))
                return "point (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    if (board.to_move() != s.to_move) return "side to move";
    if (board.pairs(1) != s.pairs_taken[0] || board.pairs(2) != s.pairs_taken[1]) return "pairs";
    if (board.move_count() != s.move_count) return "move count";
    if (board.hash() != ExpertBoard(s).hash()) return "hash";
    return "";
}

void play_point(engine::Game& game, int x, int y) {
    engine::Events events;
    engine::try_move(game, x, y, events);
    engine::finish_move(game, events);
}

// A point near the stones, so that captures come often.
std::pair<int, int> random_point_near_stones(const engine::Game& game, std::mt19937& random) {
    std::uniform_int_distribution<int> xs(std::max(2, game.min_x - 2),
                                          std::min(18, game.max_x + 2));
    std::uniform_int_distribution<int> ys(std::max(2, game.min_y - 2),
                                          std::min(18, game.max_y + 2));
    for (;;) {
        const int x = xs(random), y = ys(random);
        if (game.cell(x, y).color == engine::empty) return {x, y};
    }
}

} // namespace

// Games of the ladder mixed with stones dropped at random near the others, played by the game
// itself; after every move the search's board, given the same move, must hold the same stones,
// pairs and turn, say the same about the win, and take the move back to the position before.
TEST(ExpertRules, TheSearchBoardPlaysEveryMoveAsTheGameDoes) {
    std::mt19937 random(5);
    ai::Dice dice([&] { return std::uniform_int_distribution<int>(1, 5)(random); });
    int captures = 0, pair_wins = 0, five_wins = 0;
    for (int game_no = 0; game_no < 300; ++game_no) {
        engine::Game game;
        game.skill_level = static_cast<i16>(game_no % 2);
        while (!game.game_over && game.move_count < 250) {
            const BoardSnapshot before = ai::snapshot_of(game);
            ExpertBoard board(before);
            const auto taken_before = game.pairs_taken;
            if (std::uniform_int_distribution<int>(0, 2)(random) == 0 || game.move_count < 2) {
                const auto [x, y] = random_point_near_stones(game, random);
                play_point(game, x, y);
            } else {
                const std::optional<ai::Choice> choice = ai::computer_move(game, dice);
                if (!choice) break;
                play_point(game, choice->at.x, choice->at.y);
            }
            const bool won = board.make(ExpertBoard::square(game.move_x, game.move_y));
            captures += game.pairs_taken != taken_before;
            ASSERT_EQ(won, game.game_over) << "game " << game_no << " move " << game.move_count;
            if (won) {
                // The game keeps the winner to move; the search's board has passed the turn.
                pair_wins += game.pairs_taken[game.cur_color - 1] >= 5;
                five_wins += game.five_found;
                board.pass();
            }
            ASSERT_EQ(difference(board, ai::snapshot_of(game)), "")
                << "game " << game_no << " move " << game.move_count;
            if (won) board.unpass();
            board.unmake();
            ASSERT_EQ(difference(board, before), "") << "game " << game_no << " taken back";
        }
    }
    // The games must have tried what they are meant to.
    EXPECT_GT(captures, 300);
    EXPECT_GT(pair_wins, 5);
    EXPECT_GT(five_wins, 50);
}

// The corners of the rules, each shown by a position: a stone between two of the other side's is
// not taken, two pairs fall to one stone, six in a row wins, a capture needs its bracketing stone
// on the board.
TEST(ExpertRules, CapturesAndLinesAtTheirLimits) {
    {
        // RED plays between GREEN stones: nothing is taken, and G R R G . would be, by GREEN.
        ExpertBoard board(snapshot_of(5, 10, {"GR.G"}, 2));
        EXPECT_FALSE(board.make(ExpertBoard::square(7, 10)));
        EXPECT_EQ(board.at(ExpertBoard::square(6, 10)), 2);
        EXPECT_EQ(board.at(ExpertBoard::square(7, 10)), 2);
    }
    {
        // One GREEN stone at (8, 10) takes a pair to its left and one below.
        ExpertBoard board(snapshot_of(5, 10, {"GRR.", "...R", "...R", "...G"}, 1, {1, 0}));
        EXPECT_FALSE(board.make(ExpertBoard::square(8, 10)));
        EXPECT_EQ(board.pairs(1), 3);
        for (auto [x, y] : {std::pair{6, 10}, {7, 10}, {8, 11}, {8, 12}})
            EXPECT_EQ(board.at(ExpertBoard::square(x, y)), 0);
        board.unmake();
        EXPECT_EQ(board.pairs(1), 1);
        EXPECT_EQ(board.at(ExpertBoard::square(8, 12)), 2);
    }
    {
        // GREEN at three pairs takes two at once: five pairs win.
        ExpertBoard board(snapshot_of(5, 10, {"GRR.", "...R", "...R", "...G"}, 1, {3, 0}));
        EXPECT_TRUE(board.make(ExpertBoard::square(8, 10)));
    }
    {
        // Filling the gap of G G G G . G makes six: a win. Four and a gap and one is none.
        ExpertBoard six(snapshot_of(5, 10, {"GGGG.G"}, 1));
        EXPECT_TRUE(six.make(ExpertBoard::square(9, 10)));
        ExpertBoard four(snapshot_of(5, 10, {"GGG..G"}, 1));
        EXPECT_FALSE(four.make(ExpertBoard::square(8, 10)));
    }
    {
        // A pair against the edge has no bracketing point: RED on rows 2 and 3 above GREEN on
        // row 4 cannot be taken, since no stone goes on row 1.
        ExpertBoard board(snapshot_of(10, 2, {"R", "R", "G"}, 1));
        EXPECT_EQ(board.at(ExpertBoard::square(10, 1)), ExpertBoard::wall);
        EXPECT_FALSE(board.is_candidate(ExpertBoard::square(10, 1)));
        EXPECT_TRUE(board.is_candidate(ExpertBoard::square(10, 5)));
    }
}

// Expert wins at once when it can, by five or by the fifth pair, rather than do anything else.
TEST(ExpertMove, TakesAWinInOne) {
    // GREEN has an open four and RED has four too: GREEN finishes its own.
    const auto five = ai::choose_expert_move(snapshot_of(5, 10, {".GGGG.", "......", ".RRRR."}, 1));
    ASSERT_TRUE(five.found);
    EXPECT_EQ(five.reason, ai::ExpertReason::win_now);
    EXPECT_TRUE(five.y == 10 && (five.x == 5 || five.x == 10)) << five.x << ", " << five.y;

    // RED holds four pairs and can take a fifth at (8, 10).
    const auto pair =
        ai::choose_expert_move(snapshot_of(5, 10, {"RGG.", "....", ".G..", "....R"}, 2, {0, 4}));
    ASSERT_TRUE(pair.found);
    EXPECT_EQ(pair.reason, ai::ExpertReason::win_now);
    EXPECT_EQ(std::pair(pair.x, pair.y), std::pair(8, 10));
}

// Against a threat to win at once Expert leaves the other side no win: it closes a four, breaks
// an open four by taking a pair out of it, and stops the capture of a fifth pair.
TEST(ExpertMove, StopsEveryWinAtOnce) {
    struct Case {
        const char* what;
        BoardSnapshot position;
    };
    const std::vector<Case> cases{
        {"a four closed at one end",
         snapshot_of(5, 8, {"..G...", "..G...", "GRRRR.", "......", "..G..."}, 1)},
        // The open four R R R R of row 10 loses its second stone to GREEN at (6, 8), which
        // brackets (6, 10) and (6, 9) against (6, 11); no block could stop both ends.
        {"an open four with a pair to take",
         snapshot_of(4, 8, {"......", "..R...", ".RRRR.", "..G...", "......", "G....."}, 1)},
        {"a capture of the fifth pair",
         snapshot_of(5, 8, {"......", "RGG...", "......", "...R..", "....R."}, 1, {1, 4})},
    };
    for (const Case& c : cases) {
        const ai::ExpertChoice choice = ai::choose_expert_move(c.position);
        ASSERT_TRUE(choice.found) << c.what;
        ExpertBoard board(c.position);
        board.make(ExpertBoard::square(choice.x, choice.y));
        EXPECT_FALSE(board.can_win_now(2))
            << c.what << ": played (" << choice.x << ", " << choice.y << ")";
    }
}

// GREEN to move has a closed three on row 10 and an open two on column 8. The stone at (8, 10)
// makes a four and an open three at once: RED must close the four, and the three becomes an open
// four. The ladder sees neither, and extends the two; Expert finds the chain and plays (8, 10).
TEST(ExpertMove, FindsAForcedWinThatTheLadderMisses) {
    const std::vector<std::string> rows{
        "........R", "....G....", "....G....", "RGGG.....",
        ".........", ".........", "........R", "R.R......",
    };
    const BoardSnapshot position = snapshot_of(4, 7, rows, 1);
    const ai::ExpertChoice choice = ai::choose_expert_move(position);
    ASSERT_TRUE(choice.found);
    EXPECT_EQ(std::pair(choice.x, choice.y), std::pair(8, 10));
    EXPECT_EQ(choice.reason, ai::ExpertReason::forced_win);

    // The same position, answered by the ladder at Advanced.
    engine::Game game;
    board_text::place(game, 4, 7, rows);
    game.cur_color = engine::green;
    game.opp_color = engine::red;
    game.skill_level = 1;
    ai::Dice dice;
    const std::optional<ai::Choice> ladder = ai::computer_move(game, dice);
    ASSERT_TRUE(ladder);
    const std::pair<int, int> ladder_point(ladder->at.x, ladder->at.y);
    EXPECT_NE(ladder_point, std::pair(8, 10)) << ladder->strategy_code;
    // The panel names the move by the rung that would also play it, though the ladder prefers
    // another rung first.
    EXPECT_STREQ(ai::expert_strategy_code(game, ai::Point{8, 10}), "EXTEND CLOSED 3");
    EXPECT_STREQ(ai::expert_strategy_code(game, ai::Point{15, 15}), ai::look_ahead_code);

    // And the chain holds against whatever RED does: Expert against Expert, GREEN wins.
    ExpertBoard board(position);
    BoardSnapshot now = position;
    for (int move = 0; move < 12; ++move) {
        const ai::ExpertChoice next = ai::choose_expert_move(now);
        ASSERT_TRUE(next.found);
        const bool won = board.make(ExpertBoard::square(next.x, next.y));
        if (won) {
            EXPECT_EQ(move % 2, 0) << "RED won";
            EXPECT_LE(move, 4);
            return;
        }
        for (int x = 1; x <= 19; ++x)
            for (int y = 1; y <= 19; ++y) {
                const int held = board.at(ExpertBoard::square(x, y));
                now.color[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)] =
                    static_cast<std::int8_t>(held == ExpertBoard::wall ? 0 : held);
            }
        now.to_move = board.to_move();
        now.pairs_taken = {board.pairs(1), board.pairs(2)};
        now.move_count = board.move_count();
    }
    ADD_FAILURE() << "no win within twelve moves";
}

// The same position and budget always give the same point; a search told to stop chooses none.
// The time cap is off, as a slow build on a busy machine could reach it.
TEST(ExpertMove, RepeatsItselfAndStopsWhenTold) {
    const BoardSnapshot position =
        snapshot_of(7, 7, {"..R....", ".GRG...", "..GRR..", "...G...", "....G.R"}, 2);
    ai::ExpertLimits uncapped;
    uncapped.time_cap_ms = 0;
    const ai::ExpertChoice first = ai::choose_expert_move(position, uncapped);
    const ai::ExpertChoice again = ai::choose_expert_move(position, uncapped);
    ASSERT_TRUE(first.found);
    EXPECT_EQ(std::pair(first.x, first.y), std::pair(again.x, again.y));
    EXPECT_EQ(first.nodes, again.nodes);

    std::atomic<bool> abandon{true};
    ai::ExpertLimits limits;
    limits.abandon = &abandon;
    EXPECT_FALSE(ai::choose_expert_move(position, limits).found);
}
