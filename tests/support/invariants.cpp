// Checks the invariants of a game in progress and names the first that fails.
#include "support/invariants.h"

#include "engine/game.h"
#include "view/board_view.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace invariants {

namespace {

using namespace engine;

template <typename... Parts> std::string fault(const Parts&... parts) {
    std::ostringstream text;
    (text << ... << parts);
    return text.str();
}

int color_of_move(int m) { return m % 2 == 1 ? green : red; }

view::ImageArray stones_of(int color) {
    return color == green ? view::ImageArray::g_stone : view::ImageArray::r_stone;
}

// Fills on_board[m] with the number of stones carrying move number m.
std::string board_fault(const Game& game, std::vector<int>& on_board) {
    for (int x = board_low; x <= board_high; ++x)
        for (int y = board_low; y <= board_high; ++y) {
            const BoardCell& c = game.cell(x, y);
            if (c.color == empty) continue;
            if (!is_interior(x, y)) return fault("stone off the interior at ", x, ",", y);
            if (c.move_no < 1 || c.move_no > game.move_count)
                return fault("move number ", c.move_no, " at ", x, ",", y);
            if (c.color != color_of_move(c.move_no))
                return fault("move ", c.move_no, " has the wrong color");
            if (on_board[static_cast<std::size_t>(c.move_no)]++ > 0)
                return fault("move number ", c.move_no, " twice");
        }
    return {};
}

std::string image_fault(const Game& game, const std::vector<int>& on_board) {
    for (int m = 1; m <= game.move_count + 1; ++m) {
        const auto* own = view::image(stones_of(color_of_move(m)), m);
        const auto* other = view::image(stones_of(3 - color_of_move(m)), m);
        const bool exists = m <= game.move_count;
        const bool shown = exists && on_board[static_cast<std::size_t>(m)] == 1;
        if ((own != nullptr) != exists || other)
            return fault("image of move ", m, " exists wrongly");
        if (own && own->visible != shown) return fault("image of move ", m, " shown wrongly");
    }
    return {};
}

std::string log_fault(const Game& game) {
    if (game.capture_log_count < 0 || game.capture_log_count > capture_log_capacity)
        return fault("capture log holds ", game.capture_log_count);
    int taken_by_green = 0, taken_by_red = 0;
    for (int i = 1; i <= game.capture_log_count; ++i)
        (game.capture_log[i].color == red ? taken_by_green : taken_by_red) += 1;
    if (taken_by_green != 2 * game.pairs_taken[0] || taken_by_red != 2 * game.pairs_taken[1])
        return fault("capture log does not match pairs taken");
    return {};
}

} // namespace

std::string first_fault(const engine::Game& game) {
    std::vector<int> on_board(static_cast<std::size_t>(std::max<int>(game.move_count, 0)) + 2, 0);
    std::string found = board_fault(game, on_board);
    if (found.empty()) found = image_fault(game, on_board);
    if (found.empty()) found = log_fault(game);
    return found;
}

} // namespace invariants
