// Expert's search off the window's thread, so that the window keeps answering while it thinks,
// and the Hint that the same search gives.
#include "app/controller.h"

#include "ai/expert/expert_player.h"
#include "app/window_ops.h"

#include <atomic>
#include <string>
#include <thread>

namespace app {

bool search_abandoned = false;
bool computer_thinking = false;
bool computer_moving = false;

namespace {

// What a search was started for; it is wanted while all of it still holds.
struct Occasion {
    engine::BoardArray board;
    int move_count, cur_color, game_mode, skill_level;
    bool running;

    explicit Occasion(const engine::Game& g)
        : board(g.board), move_count(g.move_count), cur_color(g.cur_color), game_mode(g.game_mode),
          skill_level(g.skill_level), running(g.running) {}

    bool holds(const engine::Game& g) const {
        return !g.game_over && g.move_count == move_count && g.cur_color == cur_color &&
               g.game_mode == game_mode && g.skill_level == skill_level && g.running == running &&
               g.board == board;
    }
};

// The search's thread. However the wait for it ends, even by the end of the program, the
// search is told to stop and the thread is joined before its results go.
class Worker {
public:
    explicit Worker(const engine::Game& copy)
        : thread_([this, copy] {
              ai::ExpertLimits limits;
              limits.abandon = &abandon_;
              result_ = ai::expert_move(copy, limits);
              done_.store(true, std::memory_order_release);
              wake_window();
          }) {}
    ~Worker() {
        abandon_.store(true);
        thread_.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    bool done() const { return done_.load(std::memory_order_acquire); }
    const std::optional<ai::Choice>& result() const { return result_; }

private:
    std::atomic<bool> abandon_{false};
    std::atomic<bool> done_{false};
    std::optional<ai::Choice> result_;
    std::thread thread_;
};

// Sets computer_thinking, and computer_moving for a move, for as long as it lives, however the
// wait ends; a search begun while another waits leaves them as the other needs them.
struct Thinking {
    explicit Thinking(bool for_move)
        : was_thinking(computer_thinking), was_moving(computer_moving) {
        computer_thinking = true;
        computer_moving = computer_moving || for_move;
        refresh_hint_command();
    }
    ~Thinking() {
        computer_thinking = was_thinking;
        computer_moving = was_moving;
        refresh_hint_command();
    }
    bool was_thinking, was_moving;
    Thinking(const Thinking&) = delete;
    Thinking& operator=(const Thinking&) = delete;
};

} // namespace

// The window's events are handled at least once while the search runs, so that what a person
// did just before it started is seen before its move is played.
std::optional<ai::Choice> think_ahead(bool for_move) {
    const Occasion occasion(game);
    const Thinking thinking(for_move);
    Worker worker(game);
    do {
        wait_for_events();
        if (!occasion.holds(game)) {
            search_abandoned = true;
            return std::nullopt;
        }
    } while (!worker.done());
    return worker.result();
}

bool hint_available() { return !game.game_over && !game.running && !computer_thinking; }

void hint_menu_Click() {
    if (!hint_available()) return;
    const std::optional<ai::Choice> choice = think_ahead(false);
    if (!choice) return;
    show_hint(choice->at.x, choice->at.y,
              "Hint for " + std::string(engine::color_names[game.cur_color - 1]) + ": " +
                  std::to_string(choice->at.x) + ", " + std::to_string(choice->at.y) + ", " +
                  choice->strategy_code);
}

} // namespace app
