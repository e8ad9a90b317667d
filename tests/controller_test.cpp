// Start-up, new game, the mode buttons, quitting and the scoreboard, through the recording
// window.
#include "app/controller.h"
#include "app/window_ops.h"
#include "engine/game_state.h"
#include "engine/moves.h"
#include "recording/recording.h"
#include "support/board_text.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

class Controller : public ::testing::Test {
protected:
    void SetUp() override { recording::start_program(); }
};

// A game of count moves without captures: GREEN and RED in turn along row 2.
void play_moves(int count) {
    std::string row;
    for (int i = 0; i < count; ++i) row += i % 2 ? 'R' : 'G';
    board_text::place(2, 2, {row});
    if (count % 2) std::swap(cur_color, opp_color);
}

} // namespace

TEST_F(Controller, StartUpCentresThenReadsSettingsThenDrawsThenStartsAGame) {
    recording::reset();
    view::init_image_arrays();
    recording::calls.clear();
    app::Form_Load();
    const auto& calls = recording::calls;
    auto first = [&](const std::string& prefix) {
        for (std::size_t i = 0; i < calls.size(); ++i)
            if (calls[i].rfind(prefix, 0) == 0) return i;
        return calls.size();
    };
    EXPECT_EQ(calls.front(), "center_main_window");
    EXPECT_LT(first("get_windows_directory"), first("program_dir"));
    EXPECT_LT(first("program_dir"), first("read_profile_text"));
    EXPECT_LT(first("read_profile_text"), first("draw_line"));
    EXPECT_LT(first("draw_circle"), first("set_image_visible g_stone 0 1"));
    EXPECT_LT(first("draw_circle"), first("set_caption moves_panel 0"));
    EXPECT_EQ(recording::count_calls("draw_"), 43u);
}

TEST_F(Controller, RightAfterStartUpGreenIsToMoveWithNothingButTheModesEnabled) {
    EXPECT_EQ(game_mode, one_vs_comp);
    EXPECT_EQ(cur_color, green);
    EXPECT_TRUE(view::image(view::ImageArray::g_stone, 0)->visible);
    EXPECT_FALSE(view::image(view::ImageArray::r_stone, 0)->visible);
    EXPECT_EQ(games_won, (std::array<i16, 2>{0, 0}));
    EXPECT_EQ(std::make_tuple(min_x, max_x, min_y, max_y), std::make_tuple(10, 10, 10, 10));
    EXPECT_EQ(color_names, (std::array<std::string, 2>{"GREEN", "RED"}));
    EXPECT_EQ(crlf, "\r\n");
    EXPECT_EQ(sound_flags, 1);
    recording::calls.clear();
    app::new_game();
    EXPECT_EQ(
        recording::calls_starting("set_caption"),
        (std::vector<std::string>{"set_caption moves_panel 0", "set_caption scode_lab TACTICS",
                                  "set_caption r_taken 0", "set_caption g_taken 0"}));
    EXPECT_EQ(recording::button_row(), "FFFFTT");
}

TEST_F(Controller, ClearDestroysTheImagesOfEveryMovePlayed) {
    const std::pair<int, const char*> cases[] = {
        {0, ""}, {7, "g1 r2 g3 r4 g5 r6 g7 "}, {8, "g1 r2 g3 r4 g5 r6 g7 r8 "}};
    for (const auto& [moves, destroyed] : cases) {
        recording::start_program();
        play_moves(moves);
        recording::calls.clear();
        app::restart_button_Click();
        std::string seen;
        for (const auto& call : recording::calls_starting("destroy_image "))
            seen += call.substr(14, 1) + call.substr(call.rfind(' ') + 1) + " ";
        EXPECT_EQ(seen, destroyed) << moves;
        EXPECT_EQ(move_count, 0);
        EXPECT_EQ(cell(2, 2).color, empty);
        EXPECT_EQ(std::make_tuple(min_x, max_x, min_y, max_y), std::make_tuple(10, 10, 10, 10));
    }
}

TEST_F(Controller, NewGameLeavesModeScoresTacticSettingsAndTimerAlone) {
    app::two_player_button_Click();
    games_won = {3, 4};
    strategy_code = "BLOCK 4";
    stones_restored = true;
    skill_level = 0;
    sound_on = false;
    pairs_taken = {2, 1};
    game_over = true;
    running = true;
    capture_log_count = 4;
    capture_log[capture_log_capacity].color = red;
    recording::calls.clear();
    app::restart_button_Click();
    EXPECT_EQ(game_mode, two_players);
    EXPECT_EQ(games_won, (std::array<i16, 2>{3, 4}));
    EXPECT_EQ(strategy_code, "BLOCK 4");
    EXPECT_TRUE(stones_restored);
    EXPECT_EQ(skill_level, 0);
    EXPECT_FALSE(sound_on);
    EXPECT_EQ(pairs_taken, (std::array<i16, 2>{0, 0}));
    EXPECT_FALSE(game_over || running);
    EXPECT_EQ(capture_log_count, 0);
    EXPECT_EQ(capture_log[capture_log_capacity].color, 0);
    EXPECT_EQ(recording::count_calls("set_caption r_games_won"), 0u);
    EXPECT_EQ(recording::count_calls("set_caption g_games_won"), 0u);
    EXPECT_EQ(recording::count_calls("set_timer_enabled"), 0u);
    EXPECT_EQ(recording::count_calls("play_sound"), 0u);
}

TEST_F(Controller, NewGameTakesAwayTheWinMarkers) {
    for (int i = 1; i <= 5; ++i) view::place_marker(i, 4 + i, 10);
    markers_shown = true;
    recording::calls.clear();
    app::new_game();
    EXPECT_FALSE(markers_shown);
    EXPECT_EQ(recording::count_calls("destroy_image x_image"), 5u);
    app::new_game();
    EXPECT_EQ(recording::count_calls("destroy_image x_image"), 5u);
}

TEST_F(Controller, QuitAndExitSendTheHelpNoticeThenEndAtOnce) {
    for (void (*quit)() : {app::quit_button_Click, app::exit_menu_Click}) {
        recording::calls.clear();
        EXPECT_THROW(quit(), recording::ProgramEnded);
        EXPECT_EQ(recording::calls, (std::vector<std::string>{"help_quit", "end_program"}));
    }
    recording::calls.clear();
    app::Form_Unload();
    EXPECT_EQ(recording::calls, (std::vector<std::string>{"help_quit"}));
}

TEST_F(Controller, StatusPanelsShowMovesAndTacticAndTheZeroButtonClearsTheWins) {
    play_moves(3);
    strategy_code = "MAKE 5";
    games_won = {2, 5};
    recording::calls.clear();
    app::show_move_status();
    app::Zero_games_won_Click();
    EXPECT_EQ(games_won, (std::array<i16, 2>{0, 0}));
    EXPECT_EQ(recording::calls,
              (std::vector<std::string>{"set_caption moves_panel 3", "set_caption scode_lab MAKE 5",
                                        "set_caption r_games_won 0", "set_caption g_games_won 0"}));
    EXPECT_EQ(move_count, 3);
}

TEST_F(Controller, APressOnTheSidePanelGivesTheBadCueInTheBackground) {
    engine::media_dir = "/opt/vellox/media/";
    app::Panel3D2_MouseDown(1, 0, 100, 100);
    EXPECT_EQ(recording::calls, (std::vector<std::string>{"play_sound /opt/vellox/media/  1"}));
    sound_on = false;
    recording::calls.clear();
    app::Panel3D2_MouseDown(2, 1, 0, 0);
    EXPECT_TRUE(recording::calls.empty());
}
