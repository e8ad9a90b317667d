// Passing the move to the other side, and taking moves back.
#pragma once

#include "engine/events.h"

namespace engine {

// Hands the move to the other side and switches the turn indicator; plays the move cue after a
// move that neither took a pair nor ended the game.
void change_turn(Game& game, Events& events);

// Takes back move move_count: the stone goes, the stones it took come back, the counters are
// restored. With no move made it only plays the refusal cue.
void undo_move(Game& game, Events& events);

// Sets move_x, move_y to the point of the stone of move move_count.
void find_last_move(Game& game);

// Removes the stone of move move_count from the window and the board.
void remove_last_stone(Game& game, Events& events);

// Puts back the stones that move move_count took; true iff there were any.
bool restore_captured(Game& game, Events& events);

} // namespace engine
