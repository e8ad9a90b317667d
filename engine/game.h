// One game: the board, the turn, the counters, the flags and the capture log, in one value that
// copies, compares and resets, with the board's basic operations.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>

using i16 = std::int16_t;

namespace engine {

// Color codes; a color c indexes two-element arrays at c - 1.
constexpr int empty = 0;
constexpr int green = 1;
constexpr int red = 2;

constexpr std::array<std::string_view, 2> color_names = {"GREEN", "RED"};

// Grid points run 1..19; stones only ever go on 2..18.
constexpr int grid_size = 19;
constexpr int board_low = -1;
constexpr int board_high = 21;
constexpr int board_span = board_high - board_low + 1;

// Modes of play, the values of game_mode.
constexpr int comp_vs_comp = 0;
constexpr int one_vs_comp = 1;
constexpr int two_players = 2;

// Skill levels, the values of skill_level: the ladder without and with its Advanced-only
// tactics, and the search ahead.
constexpr int novice = 0;
constexpr int advanced = 1;
constexpr int expert = 2;

constexpr int no_direction = 9;

struct BoardCell {
    i16 color;
    i16 x;
    i16 y;
    i16 move_no;
    i16 capture_dir;
    bool operator==(const BoardCell&) const = default;
};

struct Direction {
    i16 dx;
    i16 dy;
};

// The eight line directions, clockwise from up; entries 0 and 9 stand still.
constexpr std::array<Direction, 10> dir_table = {
    {{0, 0}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, 0}}};

struct CapturedStone {
    i16 move_no;
    i16 taken_on;
    i16 x;
    i16 y;
    i16 color;
    bool operator==(const CapturedStone&) const = default;
};

// The game ends as soon as a side holds five pairs, so before the last move each side holds at
// most four; the last move can take a pair in each of the eight directions. Two stones a pair,
// entry 0 unused.
constexpr int most_pairs_before_win = 4;
constexpr int capture_log_capacity = 2 * (2 * most_pairs_before_win + 8);

using BoardArray = std::array<std::array<BoardCell, board_span>, board_span>;

struct Game {
    BoardArray board{};
    i16 cur_color = green;
    i16 opp_color = red;
    i16 move_count = 0;
    // The point of the move being made, or of the move last taken back.
    i16 move_x = 0;
    i16 move_y = 0;
    i16 game_mode = one_vs_comp;
    i16 skill_level = advanced; // as a settings file without the key gives
    // The tactic of the computer's last move, of this game or an earlier one.
    std::string strategy_code;
    std::array<i16, 2> pairs_taken{};
    std::array<i16, 2> games_won{};
    bool running = false;
    bool game_over = false;
    bool five_found = false;
    bool capture_made = false;
    bool markers_shown = false;
    bool stones_restored = false;
    // The box around every stone played in this game; it never narrows.
    i16 min_x = 10;
    i16 max_x = 10;
    i16 min_y = 10;
    i16 max_y = 10;
    std::array<CapturedStone, capture_log_capacity + 1> capture_log{};
    i16 capture_log_count = 0;

    // The cell at grid point (x, y); both coordinates lie in -1..21.
    BoardCell& cell(int x, int y) { return board[slot(x)][slot(y)]; }
    const BoardCell& cell(int x, int y) const { return board[slot(x)][slot(y)]; }

    bool operator==(const Game&) const = default;

private:
    static std::size_t slot(int coordinate) {
        assert(coordinate >= board_low && coordinate <= board_high);
        return static_cast<std::size_t>(coordinate - board_low);
    }
};

// True for the points that may hold a stone: columns and rows 2..18.
inline bool is_interior(int x, int y) {
    return x >= 2 && x <= grid_size - 1 && y >= 2 && y <= grid_size - 1;
}

// Empties every cell of the board, margin included.
void clear_board(Game& game);

// Sets up the next game: an empty board with GREEN to move and nothing counted, logged or won
// in it. The mode, the skill, the games won and the last tactic carry over.
void reset_for_new_game(Game& game);

} // namespace engine
