// The board's basic operations and the reset between games.
#include "engine/game.h"

namespace engine {

void clear_board(Game& game) {
    for (int x = board_low; x <= board_high; ++x)
        for (int y = board_low; y <= board_high; ++y)
            game.cell(x, y) =
                BoardCell{empty, static_cast<i16>(x), static_cast<i16>(y), 0, no_direction};
}

void reset_for_new_game(Game& game) {
    for (int i = 1; i <= capture_log_capacity; ++i) game.capture_log[i].color = 0;
    game.capture_log_count = 0;
    game.move_count = 0;
    game.cur_color = green;
    game.opp_color = red;
    clear_board(game);
    game.pairs_taken = {0, 0};
    game.game_over = false;
    game.min_x = game.max_x = game.min_y = game.max_y = 10;
    game.running = false;
    game.markers_shown = false;
}

} // namespace engine
