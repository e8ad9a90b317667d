// The fourteen tactics of the computer player's ladder; each places at most one cur_color stone
// through try_move and returns true iff it did.
#pragma once

namespace ai {

bool make_five();
bool take_two();

bool block_four();
bool block_split_four();
bool block_split_three();
bool block_open_three();
bool block_open_two();
bool block_closed_three();
bool block_split_two();

bool extend_split_three();
bool extend_open_three();
bool extend_closed_two();
bool extend_open_two();
bool extend_closed_three();

} // namespace ai
