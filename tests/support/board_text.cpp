// Writing positions into the board.
#include "support/board_text.h"

#include "engine/moves.h"

#include <stdexcept>

namespace board_text {

namespace {

int color_of(char c) { return c == 'G' ? engine::green : c == 'R' ? engine::red : engine::empty; }

// A stone as a move that took nothing would leave it.
void put_stone(engine::Game& game, int color, int x, int y, engine::Events& events) {
    if (!engine::is_interior(x, y) || game.cell(x, y).color != engine::empty)
        throw std::invalid_argument("test position puts a stone where none can go");
    const auto mover = game.cur_color;
    game.cur_color = static_cast<i16>(color);
    engine::try_move(game, x, y, events);
    game.cur_color = mover;
    game.move_count += 1;
    engine::set_cell(game, color, x, y, engine::no_direction, game.move_count);
}

} // namespace

engine::Events place(engine::Game& game, int left, int top, const std::vector<std::string>& rows) {
    engine::Events events;
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            const char c = rows[row][column];
            const int x = left + static_cast<int>(column);
            const int y = top + static_cast<int>(row);
            if (c == '.') game.cell(x, y).color = engine::empty;
            if (color_of(c) != engine::empty) put_stone(game, color_of(c), x, y, events);
        }
    return events;
}

} // namespace board_text
