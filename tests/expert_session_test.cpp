// The Expert skill and the Hint through the recording window: the settings file and the menu's
// marks, Expert's moves and their captions, what happens to a search when a person acts while it
// runs, and a hint that changes nothing. Orders of events are checked, never times.
#include "ai/expert/expert_player.h"
#include "app/controller.h"
#include "recording/recording.h"
#include "settings/settings.h"
#include "support/board_text.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

#include <functional>

using app::game;

namespace {

const std::string ini = "/opt/vellox/VELLOX.INI";

// Starts the program with the settings file holding text, or with none when text is empty.
void start_up(const std::string& text) {
    recording::reset();
    if (!text.empty()) recording::files[ini] = text;
    view::init_image_arrays();
    app::Form_Load();
}

void press(int x, int y) {
    app::Form_MouseDown(1, 0, static_cast<float>(view::point_left(x)),
                        static_cast<float>(view::point_top(y)));
}

void place(int left, int top, const std::vector<std::string>& rows) {
    app::show_events(board_text::place(game, left, top, rows));
}

// The index of the first call that begins with prefix, at or after from; calls.size() if none.
std::size_t first_call(const std::string& prefix, std::size_t from = 0) {
    for (std::size_t i = from; i < recording::calls.size(); ++i)
        if (recording::calls[i].rfind(prefix, 0) == 0) return i;
    return recording::calls.size();
}

bool recorded(const std::string& prefix, std::size_t from = 0) {
    return first_call(prefix, from) < recording::calls.size();
}

// A stone's picture created at or after from.
bool stone_shown_after(std::size_t from) {
    return recorded("create_image g_stone", from) || recorded("create_image r_stone", from);
}

// Expert plays both sides and RED, to move, faces GREEN's closed four: its only answer is
// (10, 10). start sets the search going; during, if given, is what a person does while it runs.
void block_the_four(void (*start)(), std::function<void()> during = {}) {
    start_up("");
    app::no_player_button_Click();
    app::expert_menu_Click();
    place(5, 10, {"RGGGG."});
    place(5, 12, {"R.R"});
    game.cur_color = engine::red;
    game.opp_color = engine::green;
    recording::calls.clear();
    if (during) recording::on_process_events(std::move(during));
    start();
}

// A person's stone at (9, 9) at Expert, with action run while the computer thinks of its answer.
void answer_interrupted_by(std::function<void()> action) {
    start_up("");
    recording::name_the_cues();
    app::expert_menu_Click();
    recording::calls.clear();
    recording::on_process_events([] {}); // the events let through after the person's stone
    recording::on_process_events(std::move(action));
    press(9, 9);
}

} // namespace

// Skill=EXP, in any case and with anything after it, reads as Expert; what older files hold reads
// as it always has, and an unknown value, or none, as Advanced. Expert's mark is set with the
// others', and Save writes EXP.
TEST(ExpertSkill, TheSettingsFileAndTheMenuKnowIt) {
    const std::pair<std::string, int> lines[] = {
        {"Skill=EXP", 2}, {"Skill=expert", 2}, {"Skill=ADV", 1},
        {"Skill=NOV", 0}, {"Skill=novice", 0}, {"Skill=Master", 1},
        {"Skill=EX", 1},  {"Sound=ON", 1},     {"", 1}};
    for (const auto& [line, skill] : lines) {
        start_up(line.empty() ? "" : "[OPTIONS]\n" + line + "\n");
        EXPECT_EQ(game.skill_level, skill) << line;
        EXPECT_TRUE(recorded("set_checked expert_menu " + std::to_string(skill == 2))) << line;
        EXPECT_TRUE(recorded("set_checked advanced_menu " + std::to_string(skill == 1))) << line;
    }

    start_up("[OPTIONS]\nSkill=NOV\nSound=OFF\n");
    recording::calls.clear();
    app::expert_menu_Click();
    EXPECT_EQ(recording::calls,
              (std::vector<std::string>{"set_checked novice_menu 0", "set_checked advanced_menu 0",
                                        "set_checked expert_menu 1"}));
    EXPECT_EQ(game.skill_level, engine::expert);
    app::save_menu_Click();
    EXPECT_EQ(recording::files[ini], "[OPTIONS]\nSkill=EXP\nSound=OFF\n");
}

// Step at Expert plays the one answer to a four and names it by the rung that blocks it; the
// panel and the game say the same.
TEST(ExpertSkill, StepPlaysExpertsMoveWithItsCaption) {
    block_the_four(app::step_button_Click);
    EXPECT_EQ(game.cell(10, 10).color, engine::red);
    EXPECT_EQ(game.strategy_code, "BLOCK 4");
    EXPECT_TRUE(recorded("set_caption scode_lab BLOCK 4"));
    // The window was asked to wait for events while the search ran, before the stone came.
    EXPECT_LT(first_call("wait_for_events"), first_call("create_image r_stone"));
}

// Halt, Clear, Back, a change of skill or mode, or Quit, handled while the search runs: the
// search is dropped and plays nothing, and what the person did stands. A press on the board is
// refused meanwhile, since the move is the computer's.
TEST(ExpertSkill, WhatAPersonDoesDuringTheSearchWinsAndTheSearchPlaysNothing) {
    {
        SCOPED_TRACE("Halt during a run");
        block_the_four(app::run_button_Click, app::halt_button_Click);
        const std::size_t waited = first_call("wait_for_events");
        ASSERT_LT(waited, recording::calls.size());
        EXPECT_EQ(recording::calls[waited + 1], "set_enabled back_button 1"); // Halt's first
        EXPECT_FALSE(stone_shown_after(waited));
        EXPECT_EQ(game.cell(10, 10).color, engine::empty);
        EXPECT_FALSE(game.running || app::computer_thinking);
    }
    {
        SCOPED_TRACE("Clear during the answer to a person's move");
        answer_interrupted_by(app::restart_button_Click);
        const std::size_t cleared = first_call("destroy_image g_stone 1");
        ASSERT_LT(cleared, recording::calls.size());
        EXPECT_FALSE(stone_shown_after(cleared));
        EXPECT_EQ(game.move_count, 0);
    }
    {
        SCOPED_TRACE("a press on the board while the computer thinks");
        answer_interrupted_by([] { press(12, 12); });
        EXPECT_EQ(game.cell(12, 12).color, engine::empty);
        EXPECT_EQ(game.move_count, 2); // the person's stone and the computer's answer
        const std::size_t waited = first_call("wait_for_events");
        const std::size_t refused = first_call("play_sound /opt/vellox/media/bad.wav", waited);
        EXPECT_LT(refused, first_call("create_image r_stone", waited));
    }
    {
        SCOPED_TRACE("Back during Step");
        start_up("");
        app::expert_menu_Click();
        app::two_player_button_Click();
        press(9, 9);
        press(10, 10);
        recording::calls.clear();
        recording::on_process_events(app::back_button_Click);
        app::step_button_Click();
        EXPECT_EQ(game.move_count, 1);
        EXPECT_FALSE(stone_shown_after(0));
    }
    {
        SCOPED_TRACE("Advanced chosen during Step");
        block_the_four(app::step_button_Click, app::advanced_menu_Click);
        EXPECT_EQ(game.cell(10, 10).color, engine::empty);
        EXPECT_EQ(game.skill_level, 1);
    }
    {
        SCOPED_TRACE("Quit during a run");
        EXPECT_THROW(block_the_four(app::run_button_Click, app::quit_button_Click),
                     recording::ProgramEnded);
        EXPECT_TRUE(recorded("end_program"));
        EXPECT_FALSE(stone_shown_after(0) || app::computer_thinking);
    }
}

// The hint rings the point Expert would play for the side to move and says it with its caption,
// and the game is exactly as it was. It is given only while the game goes on and the computer is
// not playing.
TEST(Hint, ShowsExpertsPointAndChangesNothing) {
    start_up("");
    app::two_player_button_Click();
    place(4, 7,
          {"........R", "....G....", "....G....", "RGGG.....", ".........", ".........",
           "........R", "R.R......"});
    const engine::Game before = game;
    recording::calls.clear();
    app::hint_menu_Click();
    EXPECT_TRUE(recorded("show_hint 8 10 Hint for GREEN: 8, 10, EXTEND CLOSED 3"));
    EXPECT_TRUE(game == before);
    // Nothing is given while the computer thinks: the hint's own search is such a time.
    EXPECT_TRUE(recorded("refresh_hint_command 0"));
    EXPECT_TRUE(app::hint_available());

    for (const auto& stop : {+[] { game.game_over = true; }, +[] { game.running = true; },
                             +[] { app::computer_thinking = true; }}) {
        game = before;
        stop();
        const engine::Game stopped = game;
        recording::calls.clear();
        EXPECT_FALSE(app::hint_available());
        app::hint_menu_Click();
        EXPECT_FALSE(recorded("show_hint"));
        EXPECT_TRUE(game == stopped);
        app::computer_thinking = false;
    }

    // A person's stone played while the hint is sought makes it out of date: none is shown.
    game = before;
    recording::calls.clear();
    recording::on_process_events([] { press(12, 12); });
    app::hint_menu_Click();
    EXPECT_FALSE(recorded("show_hint"));
    EXPECT_EQ(game.cell(12, 12).color, engine::green);
}
