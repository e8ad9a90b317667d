// Playing: the person's presses, Step, Run and Halt, Back and the buttons' enabled states,
// through the recording window, re-entrant cases included.
#include "ai/computer_move.h"
#include "app/controller.h"
#include "engine/game_state.h"
#include "recording/recording.h"
#include "settings/settings.h"
#include "settings/sound.h"
#include "support/board_text.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

using namespace engine;
using recording::played;
using settings::Cue;

namespace {

// The press position of a grid point's centre, in twips.
void press(int x, int y) {
    app::Form_MouseDown(1, 0, static_cast<float>(view::point_left(x)),
                        static_cast<float>(view::point_top(y)));
}

int stones_on_board() {
    int stones = 0;
    for (int x = 2; x <= 18; ++x)
        for (int y = 2; y <= 18; ++y) stones += cell(x, y).color != empty;
    return stones;
}

// Fills every interior point, so that the computer has nowhere left to play.
void fill_board() {
    for (int x = 2; x <= 18; ++x)
        for (int y = 2; y <= 18; ++y) cell(x, y).color = static_cast<i16>((x + y / 2) % 2 + 1);
}

class Play : public ::testing::Test {
protected:
    void SetUp() override {
        recording::start_program();
        recording::name_the_cues();
        ai::draw_one_to_five = [] { return 3; };
    }
    void TearDown() override { ai::draw_one_to_five = ai::clock_seeded_draw; }
};

} // namespace

TEST_F(Play, APressGoesToTheNearestPointAndOnlyInnerPointsAreAccepted) {
    app::two_player_button_Click();
    struct Case {
        float X, Y;
        int x, y;
        bool accepted;
    } cases[] = {
        {2300, 100, 1, 1, false},  {2640, 440, 2, 2, true},   {2300 + 17 * 340, 440, 18, 2, true},
        {8420, 440, 19, 2, false}, {10, 3000, -6, 10, false},
    };
    for (const Case& c : cases) {
        const int before = move_count;
        recording::calls.clear();
        app::Form_MouseDown(2, 1, c.X, c.Y);
        EXPECT_EQ(std::make_pair(app::mouse_x, app::mouse_y), std::make_pair(i16(c.x), i16(c.y)));
        EXPECT_EQ(std::make_pair(move_x, move_y), std::make_pair(i16(c.x), i16(c.y)));
        EXPECT_EQ(move_count, before + c.accepted) << c.X << "," << c.Y;
        if (c.accepted) {
            EXPECT_EQ(cell(c.x, c.y).color, before % 2 + 1);
        }
        // A refused press waits for its cue and does nothing else.
        if (!c.accepted) {
            EXPECT_EQ(recording::calls, std::vector<std::string>{played(Cue::bad_sound, 0)});
        }
    }
}

TEST_F(Play, APersonsMoveIsMadeInOrderAndAnsweredAfterPendingEvents) {
    recording::calls.clear();
    press(9, 9);
    const std::vector<std::string> steps = {
        "set_busy_pointer 1",        "create_image g_stone 1", "set_enabled back_button 1",
        "set_image_visible r_stone", "process_events",         "create_image r_stone 2",
        "set_caption moves_panel 2", "set_caption scode_lab",  "set_busy_pointer 0"};
    std::size_t at = 0;
    for (const auto& step : steps) {
        while (at < recording::calls.size() && recording::calls[at].rfind(step, 0) != 0) ++at;
        ASSERT_LT(at, recording::calls.size()) << step << " missing or out of order";
    }
    EXPECT_EQ(cell(10, 10).color, red);
    EXPECT_EQ(strategy_code, "RANDOM");
    EXPECT_EQ(recording::calls.back(), "set_busy_pointer 0");
}

TEST_F(Play, PressesInCompVsCompOnStonesAndAfterTheEndChangeNothing) {
    app::no_player_button_Click();
    recording::calls.clear();
    press(5, 5);
    EXPECT_EQ(recording::calls, std::vector<std::string>{played(Cue::bad_sound, 0)});

    app::two_player_button_Click();
    press(5, 5);
    recording::calls.clear();
    press(5, 5);
    EXPECT_EQ(recording::calls,
              (std::vector<std::string>{"set_busy_pointer 1", "set_busy_pointer 0"}));
    EXPECT_EQ(move_count, 1);
}

TEST_F(Play, AWinningPressEndsTheGameWithoutAnAnswer) {
    board_text::place(5, 5, {"GGGG", "RRRR"});
    sound_on = false;
    press(9, 5);
    EXPECT_TRUE(game_over);
    EXPECT_EQ(move_count, 9);
    EXPECT_EQ(recording::enabled("back_button"), false);
    recording::calls.clear();
    sound_on = true;
    press(12, 12);
    EXPECT_EQ(recording::calls, std::vector<std::string>{played(Cue::bad_sound, 0)});
}

TEST_F(Play, APressThatTakesAPairCountsOnceAndTheAnswerOnceMore) {
    board_text::place(11, 10, {"RRG"});
    cur_color = green;
    recording::calls.clear();
    press(10, 10);
    EXPECT_EQ(pairs_taken[0], 1);
    EXPECT_EQ(move_count, 5);
    EXPECT_EQ(recording::calls_starting("set_caption moves_panel"),
              std::vector<std::string>{"set_caption moves_panel 5"});
}

TEST_F(Play, ClickingAMarkerSwapsTheTurnSilentlyUntilANewGame) {
    app::two_player_button_Click();
    board_text::place(5, 5, {"GGGG", "RRRR"});
    press(9, 5);
    ASSERT_TRUE(markers_shown);
    recording::calls.clear();
    app::x_image_Click(3);
    EXPECT_EQ(cur_color, red);
    EXPECT_TRUE(view::image(view::ImageArray::r_stone, 0)->visible);
    app::x_image_Click(1);
    EXPECT_EQ(cur_color, green);
    EXPECT_EQ(recording::count_calls("play_sound"), 0u);
    app::x_image_Click(1);
    app::restart_button_Click();
    EXPECT_TRUE(view::image(view::ImageArray::g_stone, 0)->visible);
    EXPECT_FALSE(view::image(view::ImageArray::r_stone, 0)->visible);
}

TEST_F(Play, EventsBetweenAPressAndItsAnswerAreSeenByTheAnswer) {
    // "Clear" there: the computer opens the new game as GREEN.
    recording::on_process_events([] { app::restart_button_Click(); });
    press(5, 5);
    EXPECT_EQ(move_count, 1);
    EXPECT_EQ(cell(10, 10).color, green);
    EXPECT_EQ(cell(5, 5).color, empty);

    // A second press there moves for RED, is answered, and then the first press answers too.
    recording::start_program();
    recording::on_process_events([] { press(6, 6); });
    press(5, 5);
    EXPECT_EQ(move_count, 4);
    EXPECT_EQ(cell(6, 6).color, red);
    EXPECT_EQ(cur_color, green);

    // A mode change there decides: no answer in "Two Players".
    recording::start_program();
    recording::on_process_events([] { app::two_player_button_Click(); });
    press(5, 5);
    EXPECT_EQ(move_count, 1);
    EXPECT_EQ(cur_color, red);
}

TEST_F(Play, StepMakesTheMoveOfTheSideToMove) {
    app::two_player_button_Click();
    recording::calls.clear();
    app::step_button_Click();
    EXPECT_EQ(cell(10, 10).color, green);
    EXPECT_TRUE(view::image(view::ImageArray::r_stone, 0)->visible);
    EXPECT_EQ(recording::enabled("back_button"), true);
    EXPECT_EQ(recording::calls_since(recording::calls.size() - 4),
              (std::vector<std::string>{"set_caption moves_panel 1", "set_caption scode_lab RANDOM",
                                        "set_busy_pointer 0", "set_enabled back_button 1"}));

    board_text::place(3, 3, {"GGGG"});
    cur_color = green;
    opp_color = red;
    recording::calls.clear();
    app::step_button_Click();
    EXPECT_TRUE(game_over);
    EXPECT_EQ(strategy_code, "MAKE 5");
    EXPECT_EQ(recording::enabled("back_button"), false);
    recording::calls.clear();
    app::step_button_Click();
    EXPECT_TRUE(recording::calls.empty());
}

TEST_F(Play, ARunPlaysToTheEndWithADelayAfterEveryMove) {
    app::no_player_button_Click();
    sound_on = false;
    recording::calls.clear();
    app::run_button_Click();
    ASSERT_TRUE(game_over);
    EXPECT_TRUE(running) << "a run won stays flagged until the next game";
    EXPECT_EQ(recording::count_calls("show_message"), 1u);
    EXPECT_EQ(recording::button_row(), "FFFFFF");
    EXPECT_FALSE(app::timer1_enabled);
    // Every move is followed by the timer's start, its tick, the refresh and pending events.
    std::string rhythm;
    for (const auto& call : recording::calls) {
        if (call.rfind("create_image", 0) == 0) rhythm += 'm';
        if (call == "set_timer_enabled 1") rhythm += '(';
        if (call == "set_timer_enabled 0") rhythm += ')';
        if (call.rfind("set_caption moves_panel", 0) == 0) rhythm += 's';
        if (call == "process_events") rhythm += 'p';
    }
    std::string expected;
    for (int m = 0; m < move_count; ++m) expected += "m()sp";
    EXPECT_EQ(rhythm.substr(0, expected.size() - 5), expected.substr(0, expected.size() - 5));
    EXPECT_EQ(cell(10, 10).color, green);

    app::restart_button_Click();
    EXPECT_EQ(recording::button_row(), "FTFTTT");
}

TEST_F(Play, HaltClearBackAndASecondRunDuringARunsDelay) {
    app::no_player_button_Click();
    sound_on = false;

    // Halt: the move in progress finishes its delay and refresh, then the run stops.
    recording::on_process_events([] { app::halt_button_Click(); });
    recording::calls.clear();
    app::run_button_Click();
    EXPECT_EQ(move_count, 1);
    EXPECT_FALSE(running);
    EXPECT_EQ(recording::count_calls("set_caption moves_panel"), 2u);
    EXPECT_EQ(recording::button_row(), "TTFTTT");

    // "Clear": a new game, and the run ends after its delay.
    recording::on_process_events([] { app::restart_button_Click(); });
    app::run_button_Click();
    EXPECT_EQ(move_count, 0);
    EXPECT_FALSE(running);

    // Back, after "Comp vs Comp" and Step were clicked during the run: the run ends.
    recording::on_process_events([] {
        app::no_player_button_Click();
        app::step_button_Click();
        app::back_button_Click();
    });
    app::run_button_Click();
    EXPECT_FALSE(running);
    EXPECT_EQ(move_count, 1);

    // A second Run inside the first plays the game out; then the first ends too.
    app::restart_button_Click();
    recording::on_process_events([] { app::run_button_Click(); });
    app::run_button_Click();
    EXPECT_TRUE(game_over);
    EXPECT_EQ(recording::count_calls("show_message"), 1u);
}

TEST_F(Play, ARunWithNowhereToPlayHalts) {
    app::no_player_button_Click();
    fill_board();
    recording::calls.clear();
    app::run_button_Click();
    EXPECT_FALSE(running);
    EXPECT_EQ(recording::button_row(), "TTFTTT");
    EXPECT_EQ(recording::count_calls("set_timer_enabled"), 0u);
    EXPECT_EQ(move_count, 0);
}

TEST_F(Play, BackTakesBackOneMoveOrTwoInOneVsComp) {
    app::two_player_button_Click();
    press(5, 5);
    press(6, 6);
    press(7, 7);
    recording::calls.clear();
    app::back_button_Click();
    EXPECT_EQ(move_count, 2);
    EXPECT_EQ(cur_color, green);
    EXPECT_EQ(recording::enabled("back_button"), std::nullopt);
    EXPECT_EQ(recording::calls.front(), played(Cue::put_piece_sound));
    app::back_button_Click();
    app::back_button_Click();
    EXPECT_EQ(recording::enabled("back_button"), false);
    EXPECT_EQ(stones_on_board(), 0);

    app::one_player_button_Click();
    press(5, 5);
    press(6, 6);
    recording::calls.clear();
    app::back_button_Click();
    EXPECT_EQ(move_count, 2);
    EXPECT_EQ(recording::enabled("back_button"), std::nullopt);
    app::back_button_Click();
    EXPECT_EQ(move_count, 0);
    EXPECT_EQ(cur_color, green);
    EXPECT_EQ(recording::enabled("back_button"), false);

    app::two_player_button_Click();
    press(5, 5);
    app::one_player_button_Click();
    recording::calls.clear();
    app::back_button_Click();
    EXPECT_EQ(move_count, 0);
    EXPECT_EQ(recording::calls_starting("play_sound"),
              (std::vector<std::string>{played(Cue::put_piece_sound), played(Cue::put_piece_sound),
                                        played(Cue::put_piece_sound), played(Cue::bad_sound)}));
}

TEST_F(Play, BackOverACaptureGivesTheStonesBackWithoutTheMoveCue) {
    app::two_player_button_Click();
    board_text::place(6, 10, {"GGR"});
    cur_color = red;
    opp_color = green;
    press(5, 10);
    ASSERT_EQ(pairs_taken[1], 1);
    app::one_player_button_Click();
    recording::calls.clear();
    app::back_button_Click();
    // Move 4 gives its pair back; move 3, RED's stone at (8, 10), follows without a move cue.
    EXPECT_EQ(board_text::rows(5, 10, 4, 1), std::vector<std::string>{".GG."});
    EXPECT_EQ(pairs_taken[1], 0);
    EXPECT_EQ(
        recording::calls_starting("play_sound"),
        (std::vector<std::string>{played(Cue::put_piece_sound), played(Cue::take_two_sound)}));
    EXPECT_EQ(move_count, 2);
}

// Each event sets Back, Run, Halt, Step, One vs Comp and Two Players as marked, T or F, and
// leaves those marked - alone.
TEST_F(Play, EveryEventSetsTheButtonsOfTheEnableTable) {
    struct Row {
        const char* event;
        void (*arrange)();
        void (*act)();
        const char* buttons;
    } rows[] = {
        {"new game, Comp vs Comp", [] { game_mode = comp_vs_comp; }, app::new_game, "FTFTTT"},
        {"new game, One vs Comp", [] { game_mode = one_vs_comp; }, app::new_game, "FFFFTT"},
        {"new game, Two Players", [] { game_mode = two_players; }, app::new_game, "FFFTTT"},
        {"Comp vs Comp", [] {}, app::no_player_button_Click, "-T-T--"},
        {"Comp vs Comp, over", [] { game_over = true; }, app::no_player_button_Click, "------"},
        {"One vs Comp", [] {}, app::one_player_button_Click, "-F-F--"},
        {"Two Players", [] {}, app::two_player_button_Click, "-F-T--"},
        {"Two Players, over", [] { game_over = true; }, app::two_player_button_Click, "-F----"},
        {"Run", [] { game_mode = comp_vs_comp; },
         [] {
             recording::on_process_events([] { running = false; });
             app::run_button_Click();
         },
         "FFTFFF"},
        {"Halt", [] {}, app::halt_button_Click, "TTFTTT"},
        {"Step", [] { game_mode = two_players; }, app::step_button_Click, "T-----"},
        {"press", [] { game_mode = two_players; }, [] { press(3, 3); }, "T-----"},
        {"Back at 1",
         [] {
             game_mode = two_players;
             press(3, 3);
         },
         app::back_button_Click, "F-----"},
        {"Back at 2, One vs Comp", [] { press(3, 3); }, app::back_button_Click, "F-----"},
        {"Back at 3",
         [] {
             game_mode = two_players;
             press(3, 3);
             press(4, 4);
             press(5, 5);
         },
         app::back_button_Click, "------"},
        {"end of a game", [] { board_text::place(3, 3, {"GGGG"}); }, [] { press(7, 3); }, "FFFF--"},
    };
    for (const Row& row : rows) {
        recording::start_program();
        row.arrange();
        recording::calls.clear();
        row.act();
        EXPECT_EQ(recording::button_row(), row.buttons) << row.event;
    }
}
