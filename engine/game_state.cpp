// Storage of the board and the game-wide variables, with the board's basic operations.
#include "engine/game_state.h"

#include <cassert>

namespace engine {

BoardArray board{};
std::array<Direction, 10> dir_table{};
std::array<std::string, 2> color_names{};

i16 cur_color = green;
i16 opp_color = red;
i16 move_count = 0;
i16 move_x = 0;
i16 move_y = 0;
i16 game_mode = one_vs_comp;
i16 skill_level = 1;
std::string strategy_code;
std::array<i16, 2> pairs_taken{};
std::array<i16, 2> games_won{};
bool running = false;
bool game_over = false;
bool five_found = false;
bool capture_made = false;
i16 min_x = 10;
i16 max_x = 10;
i16 min_y = 10;
i16 max_y = 10;
std::array<CapturedStone, capture_log_capacity + 1> capture_log{};
i16 capture_log_count = 0;
bool markers_shown = false;
bool stones_restored = false;
std::string crlf;
std::string windows_dir;
std::string media_dir;
std::string ini_path;
bool sound_on = true;
i16 sound_flags = 1;

BoardCell& cell(int x, int y) {
    assert(x >= board_low && x <= board_high && y >= board_low && y <= board_high);
    return board[x - board_low][y - board_low];
}

bool is_interior(int x, int y) {
    return x >= 2 && x <= grid_size - 1 && y >= 2 && y <= grid_size - 1;
}

void clear_board() {
    for (int x = board_low; x <= board_high; ++x)
        for (int y = board_low; y <= board_high; ++y)
            cell(x, y) =
                BoardCell{empty, static_cast<i16>(x), static_cast<i16>(y), 0, no_direction};
}

void fill_dir_table() {
    dir_table = {
        {{0, 0}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, 0}}};
}

} // namespace engine
