// The board, the line directions, the colors and every game-wide variable.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

using i16 = std::int16_t;

namespace engine {

// Color codes; a color c indexes two-element arrays at c - 1.
constexpr int empty = 0;
constexpr int green = 1;
constexpr int red = 2;

// Grid points run 1..19; stones only ever go on 2..18.
constexpr int grid_size = 19;
constexpr int board_low = -1;
constexpr int board_high = 21;
constexpr int board_span = board_high - board_low + 1;

constexpr int no_direction = 9;

struct BoardCell {
    i16 color;
    i16 x;
    i16 y;
    i16 move_no;
    i16 capture_dir;
};

struct Direction {
    i16 dx;
    i16 dy;
};

struct CapturedStone {
    i16 move_no;
    i16 taken_on;
    i16 x;
    i16 y;
    i16 color;
};

// The game ends as soon as a side holds five pairs, so before the last move each side holds at
// most four; the last move can take a pair in each of the eight directions. Two stones a pair,
// entry 0 unused.
constexpr int most_pairs_before_win = 4;
constexpr int capture_log_capacity = 2 * (2 * most_pairs_before_win + 8);

using BoardArray = std::array<std::array<BoardCell, board_span>, board_span>;

extern BoardArray board;
extern std::array<Direction, 10> dir_table;
extern std::array<std::string, 2> color_names;

extern i16 cur_color;
extern i16 opp_color;
extern i16 move_count;
extern i16 move_x;
extern i16 move_y;
extern i16 game_mode;
extern i16 skill_level;
extern std::string strategy_code;
extern std::array<i16, 2> pairs_taken;
extern std::array<i16, 2> games_won;
extern bool running;
extern bool game_over;
extern bool five_found;
extern bool capture_made;
extern i16 min_x;
extern i16 max_x;
extern i16 min_y;
extern i16 max_y;
extern std::array<CapturedStone, capture_log_capacity + 1> capture_log;
extern i16 capture_log_count;
extern bool markers_shown;
extern bool stones_restored;
extern i16 sound_flags;

// Modes of play, the values of game_mode.
constexpr int comp_vs_comp = 0;
constexpr int one_vs_comp = 1;
constexpr int two_players = 2;

// The cell at grid point (x, y); both coordinates lie in -1..21.
inline BoardCell& cell(int x, int y) {
    assert(x >= board_low && x <= board_high && y >= board_low && y <= board_high);
    return board[x - board_low][y - board_low];
}

// True for the points that may hold a stone: columns and rows 2..18.
inline bool is_interior(int x, int y) {
    return x >= 2 && x <= grid_size - 1 && y >= 2 && y <= grid_size - 1;
}

// Empties every cell of the board, margin included.
void clear_board();

// Fills dir_table with the eight line directions, clockwise from up.
void fill_dir_table();

} // namespace engine
