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
using ai::Square;

Square at(int x, int y) { return ExpertBoard::square(x, y); }

// A game holding rows of text ('G', 'R', '.') with the first character at (left, top).
engine::Game game_of(int left, int top, const std::vector<std::string>& rows, int to_move,
                     std::array<int, 2> pairs = {0, 0}) {
    engine::Game game;
    board_text::place(game, left, top, rows);
    game.cur_color = static_cast<i16>(to_move);
    game.opp_color = static_cast<i16>(3 - to_move);
    game.pairs_taken = {static_cast<i16>(pairs[0]), static_cast<i16>(pairs[1])};
    return game;
}

BoardSnapshot snapshot_of(int left, int top, const std::vector<std::string>& rows, int to_move,
                          std::array<int, 2> pairs = {0, 0}) {
    return ai::snapshot_of(game_of(left, top, rows, to_move, pairs));
}

// The first difference between the search's board and a snapshot, or "".
std::string difference(const ExpertBoard& board, const BoardSnapshot& s) {
    for (int x = 1; x <= 19; ++x)
        for (int y = 1; y <= 19; ++y) {
            const int stone =
                s.color[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)];
            const bool edge = x < 2 || x > 18 || y < 2 || y > 18;
            if (board.at(at(x, y)) != (edge && stone == 0 ? ExpertBoard::wall : stone))
                return "point (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    if (board.to_move() != s.to_move || board.pairs(1) != s.pairs_taken[0] ||
        board.pairs(2) != s.pairs_taken[1] || board.move_count() != s.move_count)
        return "turn, pairs or move count";
    return board.hash() == ExpertBoard(s).hash() ? "" : "hash";
}

void play_point(engine::Game& game, int x, int y) {
    engine::Events events;
    engine::try_move(game, x, y, events);
    engine::finish_move(game, events);
}

} // namespace

// Games of the ladder mixed with stones dropped at random near the others (so that captures come
// often), played by the game itself; after every move the search's board, given the same move,
// must hold the same stones, pairs and turn, say the same about the win, and take the move back.
TEST(ExpertRules, TheSearchBoardPlaysEveryMoveAsTheGameDoes) {
    std::mt19937 random(5);
    ai::Dice dice([&] { return std::uniform_int_distribution<int>(1, 5)(random); });
    int pair_wins = 0, five_wins = 0;
    for (int game_no = 0; game_no < 300; ++game_no) {
        engine::Game game;
        game.skill_level = static_cast<i16>(game_no % 2);
        while (!game.game_over && game.move_count < 250) {
            const BoardSnapshot before = ai::snapshot_of(game);
            ExpertBoard board(before);
            if (std::uniform_int_distribution<int>(0, 2)(random) == 0 || game.move_count < 2) {
                std::uniform_int_distribution<int> xs(std::max(2, game.min_x - 2),
                                                      std::min(18, game.max_x + 2));
                std::uniform_int_distribution<int> ys(std::max(2, game.min_y - 2),
                                                      std::min(18, game.max_y + 2));
                int x = 0, y = 0;
                do x = xs(random), y = ys(random);
                while (game.cell(x, y).color != engine::empty);
                play_point(game, x, y);
            } else {
                const std::optional<ai::Choice> choice = ai::computer_move(game, dice);
                if (!choice) break;
                play_point(game, choice->at.x, choice->at.y);
            }
            const bool won = board.make(at(game.move_x, game.move_y));
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
    // The games must have tried what they are meant to; a win by pairs takes many captures.
    EXPECT_GT(pair_wins, 5);
    EXPECT_GT(five_wins, 50);
}

// The corners of the rules, each shown by a position and one move: a stone played between two of
// the other side's is not taken, one stone takes two pairs (here the fourth and fifth, a win), six
// in a row wins, and a pair against the edge cannot be taken, since no stone goes on the edge.
TEST(ExpertRules, CapturesAndLinesAtTheirLimits) {
    ExpertBoard between(snapshot_of(5, 10, {"GR.G"}, 2));
    EXPECT_FALSE(between.make(at(7, 10)));
    EXPECT_EQ(between.at(at(6, 10)), 2);
    EXPECT_TRUE(ExpertBoard(snapshot_of(5, 10, {"GRR.", "...R", "...R", "...G"}, 1, {3, 0}))
                    .make(at(8, 10)));
    EXPECT_TRUE(ExpertBoard(snapshot_of(5, 10, {"GGGG.G"}, 1)).make(at(9, 10)));
    // RED on rows 2 and 3 above GREEN on row 4.
    const ExpertBoard edge(snapshot_of(10, 2, {"R", "R", "G"}, 1));
    EXPECT_EQ(edge.at(at(10, 1)), ExpertBoard::wall);
    EXPECT_FALSE(edge.is_candidate(at(10, 1)));
    EXPECT_TRUE(edge.is_candidate(at(10, 5)));
}

// Expert wins at once when it can, by five or by the fifth pair, rather than do anything else;
// against a threat to win at once it leaves the other side no win: it closes a four, breaks an
// open four by taking a pair out of it, and stops the capture of a fifth pair.
TEST(ExpertMove, TakesAWinInOneAndStopsEveryWinAtOnce) {
    struct Case {
        const char* what;
        BoardSnapshot position;
        bool wins;
    };
    const Case cases[] = {
        {"an open four against a four", snapshot_of(5, 10, {".GGGG.", "......", ".RRRR."}, 1),
         true},
        {"the fifth pair", snapshot_of(5, 10, {"RGG.", "....", ".G..", "....R"}, 2, {0, 4}), true},
        {"a four closed at one end",
         snapshot_of(5, 8, {"..G...", "..G...", "GRRRR.", "......", "..G..."}, 1), false},
        // The open four R R R R of row 10 loses its second stone to GREEN at (6, 8), which
        // brackets (6, 10) and (6, 9) against (6, 11); no block could stop both ends.
        {"an open four with a pair to take",
         snapshot_of(4, 8, {"......", "..R...", ".RRRR.", "..G...", "......", "G....."}, 1), false},
        {"a capture of the fifth pair",
         snapshot_of(5, 8, {"......", "RGG...", "......", "...R..", "....R."}, 1, {1, 4}), false},
    };
    for (const Case& c : cases) {
        const ai::ExpertChoice choice = ai::choose_expert_move(c.position);
        ASSERT_TRUE(choice.found) << c.what;
        ExpertBoard board(c.position);
        const bool won = board.make(at(choice.x, choice.y));
        if (c.wins)
            EXPECT_TRUE(won && choice.reason == ai::ExpertReason::win_now) << c.what;
        else
            EXPECT_FALSE(board.can_win_now(board.to_move()))
                << c.what << ": played (" << choice.x << ", " << choice.y << ")";
    }
}

// GREEN to move has a closed three on row 10 and an open two on column 8. The stone at (8, 10)
// makes a four and an open three at once: RED must close the four, and the three becomes an open
// four. The ladder sees neither, and extends the two; Expert finds the chain and plays (8, 10).
TEST(ExpertMove, FindsAForcedWinThatTheLadderMisses) {
    engine::Game game = game_of(4, 7,
                                {"........R", "....G....", "....G....", "RGGG.....", ".........",
                                 ".........", "........R", "R.R......"},
                                engine::green);
    const ai::ExpertChoice choice = ai::choose_expert_move(ai::snapshot_of(game));
    EXPECT_TRUE(choice.found && choice.x == 8 && choice.y == 10) << choice.x << ", " << choice.y;
    EXPECT_EQ(choice.reason, ai::ExpertReason::forced_win);

    // The same position, answered by the ladder at Advanced.
    game.skill_level = 1;
    ai::Dice dice;
    const std::optional<ai::Choice> ladder = ai::computer_move(game, dice);
    ASSERT_TRUE(ladder);
    EXPECT_FALSE(ladder->at.x == 8 && ladder->at.y == 10) << ladder->strategy_code;
    // A point no rung of the ladder would choose gets a caption of its own.
    EXPECT_STREQ(ai::expert_strategy_code(game, ai::Point{15, 15}), ai::look_ahead_code);

    // And the chain holds against whatever RED does: Expert against Expert, GREEN wins.
    for (int move = 0; move < 5 && !game.game_over; ++move) {
        const ai::ExpertChoice next = ai::choose_expert_move(ai::snapshot_of(game));
        ASSERT_TRUE(next.found);
        play_point(game, next.x, next.y);
    }
    EXPECT_TRUE(game.game_over && game.cur_color == engine::green);
}

// The same position and budget always give the same point; a search told to stop chooses none.
// The time cap is off, as a slow build on a busy machine could reach it.
TEST(ExpertMove, RepeatsItselfAndStopsWhenTold) {
    const BoardSnapshot position =
        snapshot_of(7, 7, {"..R....", ".GRG...", "..GRR..", "...G...", "....G.R"}, 2);
    ai::ExpertLimits limits;
    limits.time_cap_ms = 0;
    const ai::ExpertChoice first = ai::choose_expert_move(position, limits);
    const ai::ExpertChoice again = ai::choose_expert_move(position, limits);
    ASSERT_TRUE(first.found);
    EXPECT_EQ(std::tuple(first.x, first.y, first.nodes), std::tuple(again.x, again.y, again.nodes));

    std::atomic<bool> abandon{true};
    limits.abandon = &abandon;
    EXPECT_FALSE(ai::choose_expert_move(position, limits).found);
}
