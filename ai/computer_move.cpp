// The ladder of tactics, the random last resort and the end of the computer's move.
#include "ai/computer_move.h"

#include "ai/board_runs.h"
#include "ai/primitives.h"
#include "ai/tactics.h"
#include "engine/moves.h"

#include <array>
#include <chrono>
#include <random>

namespace ai {

using engine::move_count;

int (*draw_one_to_five)() = clock_seeded_draw;

namespace {

struct Rung {
    bool (*tactic)();
    const char* strategy_code;
};

constexpr std::array<Rung, 14> ladder{{
    {make_five, "MAKE 5"},
    {block_four, "BLOCK 4"},
    {extend_split_three, "EXTEND SPLIT 3"},
    {block_split_four, "BLOCK SPLIT 4"},
    {block_split_three, "BLOCK SPLIT 3"},
    {extend_open_three, "EXTEND OPEN 3"},
    {block_open_three, "BLOCK OPEN 3"},
    {take_two, "TAKE 2"},
    {extend_closed_two, "EXTEND CLOSED 2"},
    {extend_open_two, "EXTEND OPEN 2"},
    {block_open_two, "BLOCK OPEN 2"},
    {block_closed_three, "BLOCK CLOSED 3"},
    {extend_closed_three, "EXTEND CLOSED 3"},
    {block_split_two, "BLOCK SPLIT 2"},
}};

constexpr const char* random_code = "RANDOM";
constexpr int centre = 10;
// Half of the 17 interior lines, rounded to even: the square of k = 8 is all of 2..18.
constexpr int last_square = 8;

std::mt19937 generator;

// Visits the squares around the centre, smallest first, each whole and x before y, until
// at(i, j) is true.
template <typename At> bool scan_squares(At at) {
    for (int k = 0; k <= last_square; ++k)
        for (int i = centre - k; i <= centre + k; ++i)
            for (int j = centre - k; j <= centre + k; ++j)
                if (at(i, j)) return true;
    return false;
}

// Drawn one step below and three above (i, j), not centred on it.
Point random_candidate(int i, int j) {
    const int r1 = draw_one_to_five();
    const int r2 = draw_one_to_five();
    return Point{static_cast<i16>(i - 2 + r1), static_cast<i16>(j - 2 + r2)};
}

// The opening is drawn at random near the centre; later moves scan outwards from it.
Point candidate(int i, int j) {
    const Point middle{centre, centre};
    if (move_count == 0) return middle;
    if (move_count == 1 && holds(middle, engine::empty)) return middle;
    if (move_count <= 5) return random_candidate(i, j);
    return Point{static_cast<i16>(i), static_cast<i16>(j)};
}

bool acceptable(Point p) {
    return engine::is_interior(p.x, p.y) && holds(p, engine::empty) && !move_exposes_pair(p.x, p.y);
}

// When every candidate would expose a pair, any empty point beats passing the move.
bool first_empty_point() {
    return scan_squares([](int i, int j) {
        const Point p{static_cast<i16>(i), static_cast<i16>(j)};
        return holds(p, engine::empty) && play(p);
    });
}

bool place_stone() {
    const StillBoard still;
    for (const Rung& rung : ladder) {
        if (rung.tactic()) {
            engine::strategy_code = rung.strategy_code;
            return true;
        }
    }
    if (!random_move() && !first_empty_point()) return false;
    engine::strategy_code = random_code;
    return true;
}

} // namespace

bool computer_move() {
    if (!place_stone()) return false;
    engine::finish_move();
    return true;
}

bool random_move() {
    generator.seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    return scan_squares([](int i, int j) {
        const Point p = candidate(i, j);
        return acceptable(p) && play(p);
    });
}

int clock_seeded_draw() { return std::uniform_int_distribution<int>(1, 5)(generator); }

} // namespace ai
