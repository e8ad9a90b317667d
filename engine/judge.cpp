// Judging a move: five pairs or five in a row, the victory message and the end of the game.
#include "engine/judge.h"

namespace engine {

namespace {

constexpr int pairs_to_win = 5;
constexpr int stones_to_win = 5;
// The message box breaks its lines where the text says so.
constexpr const char* crlf = "\r\n";

std::string win_text(const Game& game, bool pairs_win) {
    const std::string name(color_names[game.cur_color - 1]);
    if (pairs_win && game.five_found)
        return name + " WINS BY TAKING FIVE PAIRS" + crlf + " AND MAKING FIVE IN A ROW" + crlf +
               " WITH THE SAME MOVE!";
    if (pairs_win) return name + " WINS BY TAKING FIVE PAIRS";
    return name + " WINS WITH FIVE IN A ROW";
}

void count_game_won(Game& game, Events& events) {
    game.games_won[game.cur_color - 1] += 1;
    events.push_back(GamesWonCounted{game.games_won});
}

} // namespace

bool judge_move(Game& game, Events& events) {
    const bool pairs_win = game.pairs_taken[game.cur_color - 1] >= pairs_to_win;
    // Runs even after a pairs win, so that a five made by the same move is marked too.
    const bool five_win = five_check(game, game.move_x, game.move_y, events);
    if (!pairs_win && !five_win) return false;
    events.push_back(CuePlayed{Cue::victory});
    events.push_back(WinAnnounced{win_text(game, pairs_win)});
    count_game_won(game, events);
    game.game_over = true;
    events.push_back(GameEnded{});
    return true;
}

bool five_check(Game& game, int x, int y, Events& events) {
    game.five_found = false;
    for (int d = 1; d <= 4 && !game.five_found; ++d)
        game.five_found = line_check(game, d, x, y, events);
    return game.five_found;
}

// Both walks end at the latest on the empty margin of the board.
bool line_check(Game& game, int d, int x, int y, Events& events) {
    const int dx = dir_table[d].dx;
    const int dy = dir_table[d].dy;
    while (game.cell(x, y).color == game.cur_color) {
        x += dx;
        y += dy;
    }
    int count = 0;
    do {
        x -= dx;
        y -= dy;
        ++count;
    } while (game.cell(x, y).color == game.cur_color);
    if (count <= stones_to_win) return false;
    game.markers_shown = true;
    for (int i = 1; i <= stones_to_win; ++i)
        events.push_back(MarkerPlaced{i, x + i * dx, y + i * dy});
    return true;
}

} // namespace engine
