// The computer choosing one move: the line-scanning operations through which it reads the game,
// the shapes the tactics share, and the tactics themselves.
#pragma once

#include "ai/board_runs.h"

#include <optional>

namespace ai {

class Dice;

// One choice of the computer on one game, which it only reads. A tactic that finds its point
// "plays" it: the point becomes the choice, and the tactic returns true at once.
class Chooser {
public:
    explicit Chooser(const engine::Game& game);

    // The point played by the last tactic that returned true.
    Point choice() const { return *choice_; }

    // The ladder's fourteen tactics; each returns true iff it chose a point.
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

    // A point near the centre: random in the first moves, then the nearest acceptable point.
    // False when every candidate was refused.
    bool random_move(Dice& dice);

    // When every candidate would expose a pair, any empty point beats passing the move.
    bool first_empty_point();

private:
    // True iff the color of p's cell is color; empty is 0.
    bool holds(Point p, int color) const { return ai::holds(game_, p, color); }

    // Novice play has no exposure test, no capture to block and none of the Advanced-only
    // tactics.
    bool is_novice() const { return game_.skill_level == engine::novice; }

    // Chooses p, as try_move would place a stone there: false for a point that is not interior.
    bool play(Point p);

    // True iff the run of color through (x, y) along d has exactly n stones, n > 0; writes back
    // and forward as run_length does.
    bool exact_run(int d, int x, int y, int n, int color, Point& back, Point& forward) const;

    // True iff the n points after (x, y) along d all hold color; then writes the point n + 1
    // steps away to after.
    bool stones_follow(int x, int y, int n, int color, int d, Point& after) const;

    // True iff (x, y) is empty, the next point along d holds opp_color and the one after is
    // empty.
    bool gap_opp_gap(int d, int x, int y) const;

    // True iff a cur_color stone at (x, y) would form a pair the opponent can take next move.
    // Novice players never see it.
    bool move_exposes_pair(int x, int y) const;

    // Chooses the point that brackets the opponent pair from back end a to forward end b: the
    // forward end first.
    bool bracket_pair(Point a, Point b);

    // Chooses a point that brackets an opponent pair through (x, y), trying the lines through
    // it in the order 1 to 4.
    bool capture_pair_at(int x, int y);

    // Takes away a pair through one of the n points after (x, y) along d, nearest first. Never
    // for Novice.
    bool capture_in_line(int x, int y, int n, int d);

    // The gap of a split shape: the end e of a run when it is empty and followed, along
    // direction way, by one more stone of color; beyond is then the point past that stone.
    bool gap_before_stone(Point e, int color, int way, Point& beyond) const {
        return holds(e, engine::empty) && stones_follow(e.x, e.y, 1, color, way, beyond);
    }

    bool is_safe(Point p) const { return !move_exposes_pair(p.x, p.y); }

    // Plays the empty end e of a three that a stone of `other` closes at its far end, if e is
    // safe and no `other` stone stands at `beyond`, the point past e.
    bool play_open_end(Point closed, Point e, Point beyond, int other);

    // The run from back end a to forward end b along d is a three closed by `other` on one
    // side: plays the other side as play_open_end allows, the forward end first.
    bool play_closed_three(Point a, Point b, int d, int other);

    // Takes away a pair through one of the n run stones that follow a, for Advanced play.
    bool capture(Point a, int n, int d) { return capture_in_line(a.x, a.y, n, d); }

    bool block_split_four_at(Point a, Point b, int d);
    bool block_split_three_at(Point a, Point b, int d);
    bool fill_two_and_one(Point a, Point b, int d);
    bool fill_three_and_one(Point a, Point b, int d);

    bool acceptable(Point p) const;
    Point candidate(Dice& dice, int i, int j) const;

    const engine::Game& game_;
    const int cur_color;
    const int opp_color;
    // The computer's move places no stone until it is chosen, so one finding of the runs serves
    // every tactic of the move.
    Runs runs_;
    std::optional<Point> choice_;
};

// The direction opposite to d, for d = 1..8.
int opposite_dir(int d);

} // namespace ai
