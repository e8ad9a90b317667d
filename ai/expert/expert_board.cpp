// The Expert player's board: moves, captures and wins as the game plays them, taken back exactly.
#include "ai/expert/expert_board.h"

#include <algorithm>
#include <cassert>
#include <random>

namespace ai {

namespace {

constexpr int first_line = 2;
constexpr int last_line = 18;
constexpr int most_windows_through = 20;

// What a window of five holding n stones of one side and none of the other is worth to that
// side. A line grows in worth far faster than its stones do, so that one four outweighs a spread
// of twos.
constexpr std::array<int, 6> window_worth{0, 1, 8, 60, 400, 0};
// What one more stone in such a window adds; the fifth stone wins.
constexpr std::array<int, 5> window_growth{1, 7, 52, 340, 100000};
// The pairs a side has taken; the fifth wins, so each one brings it nearer than the last.
constexpr std::array<int, 16> pairs_worth{0,    60,   150,  320,  800,  2000, 2000, 2000,
                                          2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000};

// The gain of one window for a stone of GREEN (index 0) or RED (1), by the window's stones:
// GREEN's count plus eight times RED's.
using GainTable = std::array<std::array<int, 64>, 2>;

constexpr GainTable make_gain_table() {
    GainTable table{};
    for (int green = 0; green <= 5; ++green)
        for (int red = 0; red <= 5; ++red)
            for (int color = 0; color < 2; ++color) {
                const int mine = color == 0 ? green : red, theirs = color == 0 ? red : green;
                int gain = 0;
                if (theirs == 0 && mine < 5)
                    gain += window_growth[static_cast<std::size_t>(mine)];
                else if (mine == 0)
                    gain += window_worth[static_cast<std::size_t>(theirs)];
                table[static_cast<std::size_t>(color)][static_cast<std::size_t>(green + 8 * red)] =
                    gain;
            }
    return table;
}

constexpr GainTable gain_table = make_gain_table();

struct Tables {
    std::vector<ExpertBoard::Window> windows;
    std::array<std::array<std::int16_t, most_windows_through>, ExpertBoard::cells> through{};
    std::array<std::uint8_t, ExpertBoard::cells> through_count{};
    std::array<std::array<std::uint64_t, ExpertBoard::cells>, 2> stone_keys{};
    std::array<std::array<std::uint64_t, 16>, 2> pair_keys{};
    std::uint64_t red_to_move_key = 0;
    std::vector<Square> playable;

    Tables() {
        for (int y = first_line; y <= last_line; ++y)
            for (int x = first_line; x <= last_line; ++x)
                playable.push_back(ExpertBoard::square(x, y));
        // A window lies wholly on playable points: a window that reaches the edge lines can never
        // hold five stones.
        for (const Square start : playable)
            for (const int step : ExpertBoard::line_steps) {
                const Square end = start + 4 * step;
                const int ex = ExpertBoard::x_of(end), ey = ExpertBoard::y_of(end);
                if (ex < first_line || ex > last_line || ey < first_line || ey > last_line)
                    continue;
                ExpertBoard::Window w{};
                for (int i = 0; i < 5; ++i)
                    w.squares[static_cast<std::size_t>(i)] = start + i * step;
                const auto id = static_cast<std::int16_t>(windows.size());
                windows.push_back(w);
                for (const Square s : w.squares)
                    through[static_cast<std::size_t>(s)]
                           [through_count[static_cast<std::size_t>(s)]++] = id;
            }
        // A fixed seed: the same position has the same key in every run, so searches repeat.
        std::mt19937_64 keys(0x5eed5eedULL);
        for (auto& side : stone_keys)
            for (auto& key : side) key = keys();
        for (auto& side : pair_keys)
            for (auto& key : side) key = keys();
        red_to_move_key = keys();
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

// The worth of a window to GREEN (negative when it is RED's).
int worth(const std::array<std::uint8_t, 2>& stones) {
    if (stones[0] && stones[1]) return 0;
    return stones[0] ? window_worth[stones[0]] : -window_worth[stones[1]];
}

bool is_four(const std::array<std::uint8_t, 2>& stones, int color) {
    return stones[static_cast<std::size_t>(color - 1)] == 4 &&
           stones[static_cast<std::size_t>(2 - color)] == 0;
}

std::size_t index(Square s) { return static_cast<std::size_t>(s); }

} // namespace

const std::vector<ExpertBoard::Window>& all_windows() { return tables().windows; }

ExpertBoard::ExpertBoard(const BoardSnapshot& snapshot) {
    const Tables& t = tables();
    cell_.fill(wall);
    for (const Square s : t.playable) cell_[index(s)] = 0;
    window_stones_.assign(t.windows.size(), {0, 0});
    for (int x = first_line; x <= last_line; ++x)
        for (int y = first_line; y <= last_line; ++y) {
            const int color =
                snapshot.color[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)];
            if (color == 1 || color == 2) put(square(x, y), color);
        }
    set_pairs(1, snapshot.pairs_taken[0]);
    set_pairs(2, snapshot.pairs_taken[1]);
    side_ = snapshot.to_move == 2 ? 2 : 1;
    if (side_ == 2) hash_ ^= t.red_to_move_key;
    move_count_ = snapshot.move_count;
    history_.reserve(400);
}

void ExpertBoard::set_pairs(int color, int pairs) {
    const Tables& t = tables();
    auto& held = pairs_[static_cast<std::size_t>(color - 1)];
    const auto& keys = t.pair_keys[static_cast<std::size_t>(color - 1)];
    hash_ ^= keys[static_cast<std::size_t>(std::min(held, 15))];
    held = pairs;
    hash_ ^= keys[static_cast<std::size_t>(std::min(held, 15))];
}

void ExpertBoard::touch_near(Square s, int delta) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            near_[index(s + dy * stride + dx)] =
                static_cast<std::uint8_t>(near_[index(s + dy * stride + dx)] + delta);
}

// Adds (one) or takes away (minus one) a stone of color at s, keeping the hash, the window
// counts, the score and the fours in step.
void ExpertBoard::change_stone(Square s, int color, int one) {
    const Tables& t = tables();
    hash_ ^= t.stone_keys[static_cast<std::size_t>(color - 1)][index(s)];
    for (int i = 0; i < t.through_count[index(s)]; ++i) {
        auto& stones = window_stones_[static_cast<std::size_t>(
            t.through[index(s)][static_cast<std::size_t>(i)])];
        const int before = worth(stones);
        const bool green_four = is_four(stones, 1), red_four = is_four(stones, 2);
        stones[static_cast<std::size_t>(color - 1)] += one;
        window_score_ += worth(stones) - before;
        four_windows_[0] += is_four(stones, 1) - green_four;
        four_windows_[1] += is_four(stones, 2) - red_four;
    }
    touch_near(s, one);
    stones_ += one;
}

void ExpertBoard::put(Square s, int color) {
    cell_[index(s)] = static_cast<std::uint8_t>(color);
    change_stone(s, color, 1);
}

void ExpertBoard::lift(Square s) {
    const int color = cell_[index(s)];
    cell_[index(s)] = 0;
    change_stone(s, color, -1);
}

bool ExpertBoard::make(Square s) {
    assert(cell_[index(s)] == 0);
    const int mover = side_, other = 3 - side_;
    put(s, mover);
    Undo undo{s, 0, {}};
    for (const int line : line_steps)
        for (const int d : {line, -line}) {
            if (cell_[index(s + d)] != other || cell_[index(s + 2 * d)] != other ||
                cell_[index(s + 3 * d)] != mover)
                continue;
            lift(s + d);
            lift(s + 2 * d);
            undo.captured[static_cast<std::size_t>(undo.taken++)] = s + d;
            undo.captured[static_cast<std::size_t>(undo.taken++)] = s + 2 * d;
        }
    if (undo.taken) set_pairs(mover, pairs(mover) + undo.taken / 2);
    history_.push_back(undo);
    const Tables& t = tables();
    bool five = false;
    for (int i = 0; i < t.through_count[index(s)] && !five; ++i)
        five = window_stones_[static_cast<std::size_t>(t.through[index(s)][static_cast<std::size_t>(
                   i)])][static_cast<std::size_t>(mover - 1)] == 5;
    side_ = other;
    hash_ ^= t.red_to_move_key;
    move_count_ += 1;
    return five || pairs(mover) >= pairs_to_win;
}

void ExpertBoard::unmake() {
    const Undo undo = history_.back();
    history_.pop_back();
    const int mover = 3 - side_;
    side_ = mover;
    hash_ ^= tables().red_to_move_key;
    move_count_ -= 1;
    if (undo.taken) set_pairs(mover, pairs(mover) - undo.taken / 2);
    for (int i = 0; i < undo.taken; ++i) put(undo.captured[static_cast<std::size_t>(i)], 3 - mover);
    lift(undo.square);
}

void ExpertBoard::pass() {
    side_ = 3 - side_;
    hash_ ^= tables().red_to_move_key;
}

void ExpertBoard::unpass() { pass(); }

int ExpertBoard::captures_at(Square s, int color) const {
    const int other = 3 - color;
    int pairs = 0;
    for (const int line : line_steps)
        for (const int d : {line, -line})
            pairs += cell_[index(s + d)] == other && cell_[index(s + 2 * d)] == other &&
                     cell_[index(s + 3 * d)] == color;
    return pairs;
}

bool ExpertBoard::exposes_pair(Square s, int color) const {
    const int other = 3 - color;
    for (const int line : line_steps)
        for (const int d : {line, -line}) {
            if (cell_[index(s + d)] != color) continue;
            const int beyond = cell_[index(s + 2 * d)], behind = cell_[index(s - d)];
            if ((beyond == other && behind == 0) || (beyond == 0 && behind == other)) return true;
        }
    return false;
}

int ExpertBoard::winning_squares(int color, std::vector<Square>& out) const {
    const Tables& t = tables();
    const std::size_t first = out.size();
    auto add = [&](Square s) {
        if (std::find(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(), s) == out.end())
            out.push_back(s);
    };
    if (four_windows_[static_cast<std::size_t>(color - 1)] > 0)
        for (std::size_t w = 0; w < t.windows.size(); ++w)
            if (is_four(window_stones_[w], color))
                for (const Square s : t.windows[w].squares)
                    if (cell_[index(s)] == 0) add(s);
    const int wanted = pairs_to_win - pairs(color);
    if (wanted <= 2)
        for (const Square s : t.playable)
            if (is_candidate(s) && captures_at(s, color) >= wanted) add(s);
    return static_cast<int>(out.size() - first);
}

bool ExpertBoard::can_win_now(int color) const {
    if (four_windows_[static_cast<std::size_t>(color - 1)] > 0) return true;
    const int wanted = pairs_to_win - pairs(color);
    if (wanted > 2) return false;
    for (const Square s : tables().playable)
        if (is_candidate(s) && captures_at(s, color) >= wanted) return true;
    return false;
}

void ExpertBoard::four_making_squares(int color, std::vector<Square>& out) const {
    const Tables& t = tables();
    const auto mine = static_cast<std::size_t>(color - 1),
               theirs = static_cast<std::size_t>(2 - color);
    for (std::size_t w = 0; w < t.windows.size(); ++w) {
        if (window_stones_[w][mine] != 3 || window_stones_[w][theirs] != 0) continue;
        for (const Square s : t.windows[w].squares)
            if (cell_[index(s)] == 0 && std::find(out.begin(), out.end(), s) == out.end())
                out.push_back(s);
    }
}

ExpertBoard::SquareOutlook ExpertBoard::outlook(Square s) const {
    const Tables& t = tables();
    SquareOutlook out;
    for (int i = 0; i < t.through_count[index(s)]; ++i) {
        const auto& stones = window_stones_[static_cast<std::size_t>(
            t.through[index(s)][static_cast<std::size_t>(i)])];
        const auto key = static_cast<std::size_t>(stones[0] + 8 * stones[1]);
        out.gain[0] += gain_table[0][key];
        out.gain[1] += gain_table[1][key];
    }
    for (const int line : line_steps)
        for (const int d : {line, -line}) {
            const int next = cell_[index(s + d)];
            if (next != 1 && next != 2) continue;
            const int beyond = cell_[index(s + 2 * d)];
            const int other = 3 - next;
            if (beyond == next && cell_[index(s + 3 * d)] == other)
                out.takes[static_cast<std::size_t>(other - 1)] += 1;
            const int behind = cell_[index(s - d)];
            if ((beyond == other && behind == 0) || (beyond == 0 && behind == other))
                out.exposed[static_cast<std::size_t>(next - 1)] = true;
        }
    return out;
}

int ExpertBoard::evaluate() const {
    const int green = window_score_ +
                      pairs_worth[static_cast<std::size_t>(std::min(pairs_[0], 15))] -
                      pairs_worth[static_cast<std::size_t>(std::min(pairs_[1], 15))];
    return side_ == 1 ? green : -green;
}

int ExpertBoard::window_gain(Square s, int color) const {
    const Tables& t = tables();
    const auto mine = static_cast<std::size_t>(color - 1),
               theirs = static_cast<std::size_t>(2 - color);
    int gain = 0;
    for (int i = 0; i < t.through_count[index(s)]; ++i) {
        const auto& stones = window_stones_[static_cast<std::size_t>(
            t.through[index(s)][static_cast<std::size_t>(i)])];
        if (stones[theirs] == 0)
            gain += window_growth[stones[mine]];
        else if (stones[mine] == 0)
            gain += window_worth[stones[theirs]];
    }
    return gain;
}

} // namespace ai
