// The change of turn after every move, and undo down to the empty board.
#include "engine/turns.h"

namespace engine {

namespace {

// Puts one logged stone back on the board with its old number and image.
void restore_stone(Game& game, const CapturedStone& stone, Events& events) {
    BoardCell& restored = game.cell(stone.x, stone.y);
    restored.move_no = stone.move_no;
    const i16 color = stone.color == green ? green : red;
    events.push_back(StoneRestored{color, stone.move_no});
    restored.color = color;
}

} // namespace

void change_turn(Game& game, Events& events) {
    if (game.cur_color == green) {
        game.cur_color = red;
        game.opp_color = green;
        events.push_back(TurnPassed{red});
    } else if (game.cur_color == red) {
        game.cur_color = green;
        game.opp_color = red;
        events.push_back(TurnPassed{green});
    }
    // After a capture the take-two cue is the move's only sound.
    if (!game.game_over && !game.capture_made) events.push_back(CuePlayed{Cue::put_piece});
}

void undo_move(Game& game, Events& events) {
    if (game.move_count == 0) {
        events.push_back(CuePlayed{Cue::bad});
        return;
    }
    change_turn(game, events);
    find_last_move(game);
    remove_last_stone(game, events);
    if (restore_captured(game, events)) events.push_back(PairsCounted{game.pairs_taken});
    game.move_count -= 1;
    events.push_back(MovesCounted{game.move_count});
}

void find_last_move(Game& game) {
    for (int x = 1; x <= grid_size; ++x)
        for (int y = 1; y <= grid_size; ++y)
            if (game.cell(x, y).move_no == game.move_count) {
                game.move_x = static_cast<i16>(x);
                game.move_y = static_cast<i16>(y);
            }
}

void remove_last_stone(Game& game, Events& events) {
    events.push_back(StoneRemoved{game.cur_color == green ? green : red, game.move_count});
    BoardCell& last = game.cell(game.move_x, game.move_y);
    last.color = empty;
    last.move_no = 0;
}

// The entries of the move being taken back are the newest in the log, since every later move
// has been taken back already; popping one per match removes exactly them.
bool restore_captured(Game& game, Events& events) {
    game.stones_restored = false;
    int count = 0;
    const int n = game.capture_log_count;
    for (int i = 1; i <= n; ++i) {
        if (game.capture_log[i].taken_on != game.move_count) continue;
        game.stones_restored = true;
        restore_stone(game, game.capture_log[i], events);
        count += 1;
        game.capture_log_count -= 1;
    }
    if (game.stones_restored) {
        game.pairs_taken[game.cur_color - 1] -= static_cast<i16>(count / 2);
        events.push_back(CuePlayed{Cue::take_two});
    }
    return game.stones_restored;
}

} // namespace engine
