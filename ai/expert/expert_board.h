// The position that the Expert player searches: the game's rules on a padded board, with every
// move taken back exactly, an incremental hash and an incremental score.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace ai {

// A game as the search needs it, copied out of the engine: the stones of the 19 x 19 grid, the
// side to move, the pairs each side has taken and the number of moves made.
struct BoardSnapshot {
    // color[x - 1][y - 1] for the point (x, y): 0 empty, 1 GREEN, 2 RED.
    std::array<std::array<std::int8_t, 19>, 19> color{};
    int to_move = 1;
    std::array<int, 2> pairs_taken{};
    int move_count = 0;
};

// A point of the search's board, an index into its padded array.
using Square = int;

class ExpertBoard {
public:
    // The padded array: rows of `stride` cells, wide enough that a walk of five steps from any
    // playable point stays inside it.
    static constexpr int stride = 32;
    static constexpr int cells = stride * stride;
    static constexpr int wall = 3;
    static constexpr int pairs_to_win = 5;
    // Steps along the four line orientations; the opposite ways are their negatives.
    static constexpr std::array<int, 4> line_steps{1, stride, stride + 1, stride - 1};

    explicit ExpertBoard(const BoardSnapshot& snapshot);

    static Square square(int x, int y) { return (y + 6) * stride + x + 6; }
    static int x_of(Square s) { return s % stride - 6; }
    static int y_of(Square s) { return s / stride - 6; }

    int at(Square s) const { return cell_[s]; }
    int to_move() const { return side_; }
    int pairs(int color) const { return pairs_[color - 1]; }
    int move_count() const { return move_count_; }
    std::uint64_t hash() const { return hash_; }
    // True for an empty point of 2..18 within two points of a stone: the moves worth trying.
    bool is_candidate(Square s) const { return cell_[s] == 0 && near_[s] > 0; }
    bool is_empty_board() const { return stones_ == 0; }

    // Plays a stone of the side to move at the empty square s, takes what it brackets and passes
    // the turn; true iff the move won (five or more in a row through s, or five pairs).
    bool make(Square s);
    // Takes back the last move made, putting back what it took.
    void unmake();
    // Passes the turn without a stone, so that a threat search can ask what a side could do.
    void pass();
    void unpass();

    // The pairs a stone of color at the empty square s would take.
    int captures_at(Square s, int color) const;
    // True iff a stone of color at s would stand in a pair the other side can take next move.
    bool exposes_pair(Square s, int color) const;
    // The squares where a stone of color wins at once, by five or by the fifth pair; appends to
    // out and returns how many it found (without duplicates).
    int winning_squares(int color, std::vector<Square>& out) const;
    // True iff color could win with its next stone.
    bool can_win_now(int color) const;
    // The empty squares that would give color a line of five with one more stone: the points of
    // every window of five that holds three of its stones and none of the other side's.
    void four_making_squares(int color, std::vector<Square>& out) const;

    // The score of the position for the side to move, from the windows of five and the pairs.
    int evaluate() const;
    // How much a stone of color at s adds to its windows and takes from the other side's: the
    // first measure for ordering the moves.
    int window_gain(Square s, int color) const;

    // What a stone at the empty square s would do, for each side: the windows it grows and
    // blocks, the pairs it takes, whether it stands in a pair that can be taken.
    struct SquareOutlook {
        std::array<int, 2> gain{};
        std::array<int, 2> takes{};
        std::array<bool, 2> exposed{};
    };
    SquareOutlook outlook(Square s) const;

    // Windows of five playable points along one line, as indexes into the tables of stones.
    struct Window {
        std::array<Square, 5> squares;
    };

private:
    struct Undo {
        Square square;
        std::int8_t taken;
        std::array<Square, 16> captured;
    };

    void put(Square s, int color);
    void lift(Square s);
    void change_stone(Square s, int color, int one);
    void touch_near(Square s, int delta);
    void set_pairs(int color, int pairs);

    std::array<std::uint8_t, cells> cell_{};
    std::array<std::uint8_t, cells> near_{};
    // Stones of each color in each window.
    std::vector<std::array<std::uint8_t, 2>> window_stones_;
    std::array<int, 2> pairs_{};
    std::array<int, 2> four_windows_{};
    int side_ = 1;
    int move_count_ = 0;
    int stones_ = 0;
    // The windows' worth, from GREEN's side.
    int window_score_ = 0;
    std::uint64_t hash_ = 0;
    std::vector<Undo> history_;
};

// The windows of the board and the windows through each square, built once.
const std::vector<ExpertBoard::Window>& all_windows();

} // namespace ai
