// Writing positions into the board.
#include "support/board_text.h"

#include "engine/game_state.h"
#include "engine/moves.h"
#include "view/board_view.h"

#include <stdexcept>

namespace board_text {

namespace {

int color_of(char c) { return c == 'G' ? engine::green : c == 'R' ? engine::red : engine::empty; }

// A stone as a move that took nothing would leave it.
void put_stone(int color, int x, int y) {
    if (!engine::is_interior(x, y) || engine::cell(x, y).color != engine::empty)
        throw std::invalid_argument("test position puts a stone where none can go");
    const auto mover = engine::cur_color;
    engine::cur_color = static_cast<i16>(color);
    engine::try_move(x, y);
    engine::cur_color = mover;
    engine::move_count += 1;
    engine::set_cell(color, x, y, engine::no_direction, engine::move_count);
}

} // namespace

void place(int left, int top, const std::vector<std::string>& rows) {
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            const char c = rows[row][column];
            const int x = left + static_cast<int>(column);
            const int y = top + static_cast<int>(row);
            if (c == '.') engine::cell(x, y).color = engine::empty;
            if (color_of(c) != engine::empty) put_stone(color_of(c), x, y);
        }
}

} // namespace board_text
