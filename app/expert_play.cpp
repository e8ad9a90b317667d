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

// A search is wanted while the game is still the one it was started on.
bool still_wanted(const engine::Game& started, const engine::Game& now) {
    return !now.game_over && now.move_count == started.move_count &&
           now.cur_color == started.cur_color && now.game_mode == started.game_mode &&
           now.skill_level == started.skill_level && now.running == started.running &&
           now.board == started.board;
}

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
    const engine::Game started = game;
    const Thinking thinking(for_move);
    Worker worker(started);
    do {
        wait_for_events();
        if (!still_wanted(started, game)) {
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
