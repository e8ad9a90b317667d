// Storage of the board and the game-wide variables, with the board's basic operations.
#include "engine/game_state.h"

namespace engine {

// Zero, empty or false until start-up gives them their first values: initialize_program,
// load_settings and new_game.
BoardArray board{};
std::array<Direction, 10> dir_table{};
std::array<std::string, 2> color_names{};

i16 cur_color{};
i16 opp_color{};
i16 move_count{};
i16 move_x{};
i16 move_y{};
i16 game_mode{};
i16 skill_level{};
std::string strategy_code;
std::array<i16, 2> pairs_taken{};
std::array<i16, 2> games_won{};
bool running{};
bool game_over{};
bool five_found{};
bool capture_made{};
i16 min_x{};
i16 max_x{};
i16 min_y{};
i16 max_y{};
std::array<CapturedStone, capture_log_capacity + 1> capture_log{};
i16 capture_log_count{};
bool markers_shown{};
bool stones_restored{};
i16 sound_flags{};

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
