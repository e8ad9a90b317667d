// The time of one computer move, over the positions of games the computer plays against itself,
// at both skill levels. Besides the mean, each benchmark reports the median move, the slowest
// 1 % and the slowest position (of the positions' own medians, so that a preempted sample does
// not count as a slow move). self_play plays whole games, from a new game to the end, and counts
// them a second of processor time.
#include "app/controller.h"
#include "recording/recording.h"
#include "view/board_view.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <utility>
#include <vector>

namespace {

// Takes away what the window was told by the move just made, so that the next replay of a
// position does the same window work.
void forget_window_work(const engine::Game& before) {
    view::remove_stone_image(before.cur_color, before.move_count + 1);
    if (app::game.markers_shown && !before.markers_shown) view::remove_markers();
    recording::calls.clear();
}

constexpr int games_per_level = 20;
constexpr int longest_game = 400;

std::mt19937 game_draws;
int seeded_draw() { return std::uniform_int_distribution<int>(1, 5)(game_draws); }

// Plays one game from a new board, its openings drawn from seed, calling before_move before every
// move.
template <typename BeforeMove> void play_game(int skill, int seed, BeforeMove before_move) {
    game_draws.seed(static_cast<unsigned>(seed));
    app::new_game();
    app::game.skill_level = static_cast<i16>(skill);
    for (int move = 0; move < longest_game && !app::game.game_over; ++move) {
        before_move();
        if (!app::make_computer_move()) break;
        recording::calls.clear();
    }
}

// The positions before every move of games the computer plays against itself; the openings
// are drawn from a fixed seed so that every run measures the same games.
std::vector<engine::Game> self_play_positions(int skill) {
    std::vector<engine::Game> positions;
    app::dice = ai::Dice(seeded_draw);
    for (int game = 0; game < games_per_level; ++game)
        play_game(skill, 1000 * skill + game, [&] { positions.push_back(app::game); });
    app::dice = ai::Dice();
    return positions;
}

// The value that the given fraction of values lies below.
double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size()))];
}

double median(std::vector<double> values) { return percentile(std::move(values), 0.5); }

void computer_move(benchmark::State& state) {
    const int skill = static_cast<int>(state.range(0));
    // The benchmark is run several times while it settles on an iteration count.
    static std::array<std::vector<engine::Game>, 2> games;
    if (games[skill].empty()) {
        recording::start_program();
        games[skill] = self_play_positions(skill);
    }
    const std::vector<engine::Game>& positions = games[skill];
    std::vector<std::vector<double>> samples(positions.size());
    std::size_t next = 0;
    for (auto _ : state) {
        const engine::Game& position = positions[next];
        app::game = position;
        const auto start = std::chrono::steady_clock::now();
        app::make_computer_move();
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        samples[next].push_back(seconds * 1e6);
        forget_window_work(position);
        next = (next + 1) % positions.size();
    }
    std::vector<double> all;
    std::vector<double> typical;
    std::size_t slowest = 0;
    double slowest_us = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i].empty()) continue;
        all.insert(all.end(), samples[i].begin(), samples[i].end());
        typical.push_back(median(samples[i]));
        if (typical.back() >= slowest_us) {
            slowest_us = typical.back();
            slowest = i;
        }
    }
    state.counters["positions"] = static_cast<double>(positions.size());
    state.counters["median_us"] = median(all);
    state.counters["p99_us"] = percentile(typical, 0.99);
    state.counters["slowest_us"] = slowest_us;
    state.counters["slowest_move_no"] = positions[slowest].move_count + 1;
}

BENCHMARK(computer_move)->ArgName("skill")->Arg(0)->Arg(1)->UseManualTime()->MinTime(2.0);

// Whole games, each from a new game to its end, with no window to tell; the same
// games_per_level games over and over.
void self_play(benchmark::State& state) {
    const int skill = static_cast<int>(state.range(0));
    recording::start_program();
    recording::muted = true;
    app::dice = ai::Dice(seeded_draw);
    int game = 0;
    for (auto _ : state) {
        play_game(skill, 1000 * skill + game, [] {});
        game = (game + 1) % games_per_level;
    }
    app::dice = ai::Dice();
    recording::muted = false;
    state.counters["games_per_s"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(self_play)->ArgName("skill")->Arg(0)->Arg(1)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
