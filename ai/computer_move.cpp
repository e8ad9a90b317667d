// The ladder of tactics and the random last resort.
#include "ai/computer_move.h"

#include "ai/primitives.h"

#include <array>
#include <chrono>

namespace ai {

namespace {

struct Rung {
    bool (Chooser::*tactic)();
    const char* strategy_code;
};

constexpr std::array<Rung, 14> ladder{{
    {&Chooser::make_five, "MAKE 5"},
    {&Chooser::block_four, "BLOCK 4"},
    {&Chooser::extend_split_three, "EXTEND SPLIT 3"},
    {&Chooser::block_split_four, "BLOCK SPLIT 4"},
    {&Chooser::block_split_three, "BLOCK SPLIT 3"},
    {&Chooser::extend_open_three, "EXTEND OPEN 3"},
    {&Chooser::block_open_three, "BLOCK OPEN 3"},
    {&Chooser::take_two, "TAKE 2"},
    {&Chooser::extend_closed_two, "EXTEND CLOSED 2"},
    {&Chooser::extend_open_two, "EXTEND OPEN 2"},
    {&Chooser::block_open_two, "BLOCK OPEN 2"},
    {&Chooser::block_closed_three, "BLOCK CLOSED 3"},
    {&Chooser::extend_closed_three, "EXTEND CLOSED 3"},
    {&Chooser::block_split_two, "BLOCK SPLIT 2"},
}};

constexpr const char* random_code = "RANDOM";
constexpr int centre = 10;
// Half of the 17 interior lines, rounded to even: the square of k = 8 is all of 2..18.
constexpr int last_square = 8;

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
Point random_candidate(Dice& dice, int i, int j) {
    const int r1 = dice.draw_one_to_five();
    const int r2 = dice.draw_one_to_five();
    return Point{static_cast<i16>(i - 2 + r1), static_cast<i16>(j - 2 + r2)};
}

} // namespace

void Dice::reseed() {
    generator_.seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
}

int Dice::draw_one_to_five() {
    if (scripted_) return scripted_();
    return std::uniform_int_distribution<int>(1, 5)(generator_);
}

std::optional<Choice> computer_move(const engine::Game& game, Dice& dice) {
    Chooser chooser(game);
    for (const Rung& rung : ladder)
        if ((chooser.*rung.tactic)()) return Choice{chooser.choice(), rung.strategy_code};
    if (!chooser.random_move(dice) && !chooser.first_empty_point()) return std::nullopt;
    return Choice{chooser.choice(), random_code};
}

const char* ladder_tactic_choosing(const engine::Game& game, Point p) {
    for (const Rung& rung : ladder) {
        Chooser chooser(game);
        if (!(chooser.*rung.tactic)()) continue;
        const Point chosen = chooser.choice();
        if (chosen.x == p.x && chosen.y == p.y) return rung.strategy_code;
    }
    return nullptr;
}

// The opening is drawn at random near the centre; later moves scan outwards from it.
Point Chooser::candidate(Dice& dice, int i, int j) const {
    const Point middle{centre, centre};
    if (game_.move_count == 0) return middle;
    if (game_.move_count == 1 && holds(middle, engine::empty)) return middle;
    if (game_.move_count <= 5) return random_candidate(dice, i, j);
    return Point{static_cast<i16>(i), static_cast<i16>(j)};
}

bool Chooser::acceptable(Point p) const {
    return engine::is_interior(p.x, p.y) && holds(p, engine::empty) && !move_exposes_pair(p.x, p.y);
}

bool Chooser::first_empty_point() {
    return scan_squares([this](int i, int j) {
        const Point p{static_cast<i16>(i), static_cast<i16>(j)};
        return holds(p, engine::empty) && play(p);
    });
}

bool Chooser::random_move(Dice& dice) {
    dice.reseed();
    return scan_squares([&](int i, int j) {
        const Point p = candidate(dice, i, j);
        return acceptable(p) && play(p);
    });
}

} // namespace ai
