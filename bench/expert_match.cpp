// The Expert player against the ladder: a match of seeded games at each skill of the ladder, half
// with each colour, every game from its own opening of two to four random stones. Prints the win
// rates, the results by colour and by how the games ended, and the time of Expert's moves.
//
//   expert_match [--games N] [--budget SCALE] [--skill novice|advanced|both] [--seed S]
//                [--show GAME]
//
// SCALE multiplies Expert's position budgets (0.5 and 2 measure it at half and double).
#include "ai/computer_move.h"
#include "ai/expert/expert_player.h"
#include "engine/moves.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

struct Options {
    int games = 400;
    double budget_scale = 1.0;
    std::vector<int> skills{1, 0};
    unsigned seed = 1;
    // With --show N, only game N is played, and every move of it is printed.
    int shown_game = -1;
};

enum class Ending {
    five,
    pairs,
    both,
    unfinished
};

struct Tally {
    int games = 0;
    int wins = 0;
    int losses = 0;
    // Expert's wins and games as GREEN (index 0) and as RED (index 1).
    std::array<int, 2> wins_as{};
    std::array<int, 2> games_as{};
    // How Expert's wins and losses ended.
    std::array<int, 4> won_by{};
    std::array<int, 4> lost_by{};
    long moves = 0;
};

void play_point(engine::Game& game, int x, int y) {
    engine::Events events;
    engine::try_move(game, x, y, events);
    engine::finish_move(game, events);
}

// Two to four stones on empty points near the centre, GREEN first.
void play_opening(engine::Game& game, std::mt19937& draws) {
    const int stones = std::uniform_int_distribution<int>(2, 4)(draws);
    std::uniform_int_distribution<int> near_centre(7, 13);
    for (int i = 0; i < stones && !game.game_over; ++i) {
        int x, y;
        do {
            x = near_centre(draws);
            y = near_centre(draws);
        } while (game.cell(x, y).color != engine::empty);
        play_point(game, x, y);
    }
}

Ending ending(const engine::Game& game) {
    if (!game.game_over) return Ending::unfinished;
    const bool pairs = game.pairs_taken[game.cur_color - 1] >= 5;
    if (pairs && game.five_found) return Ending::both;
    return pairs ? Ending::pairs : Ending::five;
}

// The stones near the centre, G and R, for a game that is shown.
void print_board(const engine::Game& game) {
    for (int y = 2; y <= 18; ++y) {
        std::printf("      %2d ", y);
        for (int x = 2; x <= 18; ++x) {
            const int c = game.cell(x, y).color;
            std::printf("%c", c == 1 ? 'G' : c == 2 ? 'R' : '.');
        }
        std::printf("\n");
    }
    std::printf("      pairs taken: GREEN %d, RED %d\n", game.pairs_taken[0], game.pairs_taken[1]);
}

// The processor time of this thread, which other programs on a busy machine do not inflate.
double thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Plays one game; Expert's move times, in milliseconds, go to times.
void play_game(int skill, int game, const Options& options, const ai::ExpertLimits& limits,
               Tally& tally, std::vector<double>& times, std::vector<double>& cpu_times) {
    std::mt19937 draws(options.seed * 100003u + static_cast<unsigned>(game) * 7919u +
                       static_cast<unsigned>(skill));
    std::mt19937 ladder_draws(draws());
    ai::Dice dice([&] { return std::uniform_int_distribution<int>(1, 5)(ladder_draws); });
    engine::Game board;
    board.skill_level = static_cast<i16>(skill);
    const int expert = game % 2 == 0 ? engine::green : engine::red;
    play_opening(board, draws);
    constexpr int longest_game = 17 * 17;
    while (!board.game_over && board.move_count < longest_game) {
        if (options.shown_game == game) print_board(board);
        if (board.cur_color == expert) {
            const auto start = std::chrono::steady_clock::now();
            const double cpu_start = thread_cpu_ms();
            const std::optional<ai::Choice> choice = ai::expert_move(board, limits);
            cpu_times.push_back(thread_cpu_ms() - cpu_start);
            const auto end = std::chrono::steady_clock::now();
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            if (!choice || board.cell(choice->at.x, choice->at.y).color != engine::empty) {
                std::fprintf(stderr, "game %d: Expert found no move\n", game);
                break;
            }
            play_point(board, choice->at.x, choice->at.y);
            tally.moves += 1;
            if (options.shown_game == game)
                std::printf("%3d Expert   %2d,%2d %s\n", board.move_count, choice->at.x,
                            choice->at.y, choice->strategy_code);
        } else {
            const std::optional<ai::Choice> choice = ai::computer_move(board, dice);
            if (!choice) break;
            play_point(board, choice->at.x, choice->at.y);
            if (options.shown_game == game)
                std::printf("%3d ladder   %2d,%2d %s\n", board.move_count, choice->at.x,
                            choice->at.y, choice->strategy_code);
        }
    }
    const Ending how = ending(board);
    tally.games += 1;
    tally.games_as[static_cast<std::size_t>(expert - 1)] += 1;
    if (how == Ending::unfinished) {
        tally.won_by[static_cast<std::size_t>(how)] += 1;
    } else if (board.cur_color == expert) {
        tally.wins += 1;
        tally.wins_as[static_cast<std::size_t>(expert - 1)] += 1;
        tally.won_by[static_cast<std::size_t>(how)] += 1;
    } else {
        tally.losses += 1;
        tally.lost_by[static_cast<std::size_t>(how)] += 1;
        std::fprintf(stderr, "game %d (skill %d, Expert %s): lost\n", game, skill,
                     expert == engine::green ? "GREEN" : "RED");
    }
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

void report(const char* name, const Tally& t) {
    auto percent = [](int part, int whole) { return whole ? 100.0 * part / whole : 0.0; };
    std::printf("Expert against %s: %d games, won %d (%.1f %%), lost %d, unfinished %d\n", name,
                t.games, t.wins, percent(t.wins, t.games), t.losses, t.won_by[3]);
    std::printf("  as GREEN: won %d of %d (%.1f %%); as RED: won %d of %d (%.1f %%)\n",
                t.wins_as[0], t.games_as[0], percent(t.wins_as[0], t.games_as[0]), t.wins_as[1],
                t.games_as[1], percent(t.wins_as[1], t.games_as[1]));
    std::printf("  won by five in a row %d, by five pairs %d, by both at once %d\n", t.won_by[0],
                t.won_by[1], t.won_by[2]);
    std::printf("  lost to five in a row %d, to five pairs %d, to both at once %d\n", t.lost_by[0],
                t.lost_by[1], t.lost_by[2]);
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i], value = argv[i + 1];
        if (flag == "--games")
            options.games = std::max(2, std::atoi(value.c_str()));
        else if (flag == "--budget")
            options.budget_scale = std::atof(value.c_str());
        else if (flag == "--seed")
            options.seed = static_cast<unsigned>(std::atoi(value.c_str()));
        else if (flag == "--show")
            options.shown_game = std::atoi(value.c_str());
        else if (flag == "--skill")
            options.skills = value == "novice"     ? std::vector<int>{0}
                             : value == "advanced" ? std::vector<int>{1}
                                                   : std::vector<int>{1, 0};
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    ai::ExpertLimits limits;
    limits.node_budget =
        static_cast<long>(static_cast<double>(limits.node_budget) * options.budget_scale);
    limits.threat_budget =
        static_cast<long>(static_cast<double>(limits.threat_budget) * options.budget_scale);
    std::printf("Budget: %ld positions of search, %ld of threat search (x%.2f)\n",
                limits.node_budget, limits.threat_budget, options.budget_scale);
    std::vector<double> times, cpu_times;
    for (const int skill : options.skills) {
        Tally tally;
        for (int game = 0; game < options.games; ++game)
            if (options.shown_game < 0 || options.shown_game == game)
                play_game(skill, game, options, limits, tally, times, cpu_times);
        report(skill == 0 ? "Novice" : "Advanced", tally);
        std::fflush(stdout);
    }
    std::printf("Expert's moves: %zu, median %.1f ms, slowest 1 %% %.1f ms, slowest %.1f ms\n",
                times.size(), percentile(times, 0.5), percentile(times, 0.99),
                percentile(times, 1.0));
    std::printf("  processor time: median %.1f ms, slowest 1 %% %.1f ms, slowest %.1f ms\n",
                percentile(cpu_times, 0.5), percentile(cpu_times, 0.99),
                percentile(cpu_times, 1.0));
    return 0;
}
