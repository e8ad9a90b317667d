// What a rule did that a person sees or hears, in the order it happened: the rules change the
// game and tell the window only through these.
#pragma once

#include "engine/game.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace engine {

enum class Cue {
    put_piece,
    take_two,
    victory,
    bad
};

// A stone's picture is numbered by the move that placed it.
struct StonePlaced {
    int color, index, x, y;
};
// Hidden, not destroyed: a take-back shows it again.
struct StoneTaken {
    int color, index;
};
struct StoneRestored {
    int color, index;
};
struct StoneRemoved {
    int color, index;
};
struct TurnPassed {
    int color;
};
struct PairsCounted {
    std::array<i16, 2> pairs_taken;
};
struct MovesCounted {
    int move_count;
};
struct GamesWonCounted {
    std::array<i16, 2> games_won;
};
// Every cue of the rules plays in the background.
struct CuePlayed {
    Cue cue;
};
struct MarkerPlaced {
    int index, x, y;
};
// The win's message box, which the player closes before the game goes on.
struct WinAnnounced {
    std::string message;
};
// Back, Halt, Step and Run have nothing left to do.
struct GameEnded {};

using Event =
    std::variant<StonePlaced, StoneTaken, StoneRestored, StoneRemoved, TurnPassed, PairsCounted,
                 MovesCounted, GamesWonCounted, CuePlayed, MarkerPlaced, WinAnnounced, GameEnded>;
using Events = std::vector<Event>;

// An empty list with room for more than a move ever tells but for a capture in many lines, so
// that a move's events take one allocation.
inline Events events_of_a_move() {
    constexpr std::size_t usual_most_events = 16;
    Events events;
    events.reserve(usual_most_events);
    return events;
}

} // namespace engine
