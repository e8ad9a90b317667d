// A scripted session of everything a person can do, through the recording window: presses,
// the buttons, runs and the events that arrive during their waits, wins, take-backs, the menus
// and quitting. Every step's calls on the window and the game's state after it make a
// transcript that must match the approved one.
#include "ai/computer_move.h"
#include "app/controller.h"
#include "help/help_platform.h"
#include "recording/recording.h"
#include "settings/settings.h"
#include "support/approval.h"
#include "support/board_text.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using app::game;

namespace {

std::ostringstream transcript;

void press(int x, int y) {
    app::Form_MouseDown(1, 0, static_cast<float>(view::point_left(x)),
                        static_cast<float>(view::point_top(y)));
}

// Whatever a step leaves behind in the window's game.
void write_state() {
    const engine::Game& g = game;
    transcript << "= moves " << g.move_count << " turn " << g.cur_color << "/" << g.opp_color
               << " mode " << g.game_mode << " over " << g.game_over << " running " << g.running
               << " pairs " << g.pairs_taken[0] << "," << g.pairs_taken[1] << " won "
               << g.games_won[0] << "," << g.games_won[1] << " log " << g.capture_log_count
               << " tactic " << g.strategy_code << " skill " << g.skill_level << " sound "
               << settings::sound_on << " at " << g.move_x << "," << g.move_y << " press "
               << app::mouse_x << "," << app::mouse_y << " box " << g.min_x << "-" << g.max_x << ","
               << g.min_y << "-" << g.max_y << "\n";
}

// Stones on the window's game, with their pictures.
void place(int left, int top, const std::vector<std::string>& rows) {
    app::show_events(board_text::place(game, left, top, rows));
}

void step(const std::string& name, const std::function<void()>& action) {
    recording::calls.clear();
    try {
        action();
    } catch (const recording::ProgramEnded&) {
    }
    transcript << "# " << name << "\n";
    for (const std::string& call : recording::calls) transcript << call << "\n";
    write_state();
}

void fill_board() {
    for (int x = 2; x <= 18; ++x)
        for (int y = 2; y <= 18; ++y) game.cell(x, y).color = static_cast<i16>((x + y / 2) % 2 + 1);
}

void after_the_answer(const std::function<void()>& action) { recording::on_process_events(action); }

const std::string ini = "/opt/vellox/VELLOX.INI";

// Starts the program with the settings file holding text, or with none when text is empty.
void start_up(const std::string& text, const std::string& media_base_dir = "/opt/vellox") {
    recording::reset();
    recording::media_base_dir = media_base_dir;
    if (!text.empty()) recording::files[ini] = text;
    view::init_image_arrays();
    app::Form_Load();
}

// Positions where the board's edge, a capture at hand or a crowded opening shapes the computer's
// move, each on a board of its own with GREEN to play.
const struct Position {
    int left, top;
    std::vector<std::string> rows;
    int moves = 0; // the move count, where it is not the number of stones
} positions[] = {
    {10, 15, {"G", "G", "G", "G"}}, // the fifth point below is off the grid
    {4, 2, {".....RRG", ".R......", ".R......", ".G"}},
    {2, 10, {"RRRR"}},
    {5, 9, {"....", "RRRR", ".R..", ".G.."}},
    {4, 10, {".RRR.", "G...G", "R...R"}},
    {17, 10, {"GG"}},
    {10, 2, {"G", "G", "G"}},
    {5, 9, {"...G", "RRRR", ".R.R", ".G.."}},
    {10, 11, {"G", "R"}, 1}, // every candidate of the opening would expose a pair
};

void play_session() {
    step("start-up with a settings file", [] {
        start_up("[options]\nSound=on\nskill=Novice\nBadSoundFile=bad.wav\n"
                 "TakeTwoPiecesSoundFile=sub/take.wav\nvictorysoundfile=" +
                 std::string(130, 'v') + "\n");
    });
    step("press on the outer line", [] { press(1, 5); });
    step("press halfway between lines", [] { app::Form_MouseDown(1, 0, 2300 + 170, 100 + 510); });
    step("press far off the board", [] { app::Form_MouseDown(1, 0, -1e12f, 1e12f); });
    step("press answered by the computer", [] { press(9, 9); });
    step("press on a stone", [] { press(9, 9); });
    step("press, Clear before the answer", [] {
        after_the_answer(app::restart_button_Click);
        press(5, 5);
    });
    step("press, another press before the answer", [] {
        after_the_answer([] { press(12, 12); });
        press(11, 11);
    });
    step("press, Two Players before the answer", [] {
        after_the_answer(app::two_player_button_Click);
        press(13, 13);
    });
    step("Step for the side to move", app::step_button_Click);
    step("Comp vs Comp and back to Two Players", [] {
        app::no_player_button_Click();
        app::two_player_button_Click();
    });
    for (int i = 0; i < 6; ++i) step("Back in Two Players", app::back_button_Click);
    step("press that takes a pair", [] {
        place(6, 10, {"GGR"});
        press(5, 10);
    });
    step("One vs Comp", app::one_player_button_Click);
    step("Back over the capture", app::back_button_Click);
    step("Two Players and a win by five", [] {
        app::two_player_button_Click();
        place(3, 3, {"GGGG", "RRRR"});
        press(7, 3);
    });
    step("marker click", [] { app::x_image_Click(2); });
    step("press after the end", [] { press(12, 12); });
    step("Step and Back after the end", [] {
        app::step_button_Click();
        app::back_button_Click();
    });
    step("Clear", app::restart_button_Click);
    step("One vs Comp: a move, its answer and Back", [] {
        app::one_player_button_Click();
        press(10, 12);
        app::back_button_Click();
        app::two_player_button_Click();
    });
    step("a fifth pair and five in a row at once", [] {
        game.pairs_taken = {4, 0};
        place(5, 8, {"....G", "....R", "....R", "GGGG.GG"});
        press(9, 11);
    });
    step("a fifth pair", [] {
        app::new_game();
        game.pairs_taken = {0, 4};
        place(6, 10, {"GGR"});
        std::swap(game.cur_color, game.opp_color);
        press(5, 10);
    });
    step("Comp vs Comp after the end", app::no_player_button_Click);
    step("Clear in Comp vs Comp", app::restart_button_Click);
    step("press in Comp vs Comp", [] { press(5, 5); });
    step("Run, Halt in the first delay", [] {
        after_the_answer(app::halt_button_Click);
        app::run_button_Click();
    });
    step("Run, Clear in the delay", [] {
        after_the_answer(app::restart_button_Click);
        app::run_button_Click();
    });
    step("Run, Step and Back in the delay", [] {
        after_the_answer([] {
            app::step_button_Click();
            app::back_button_Click();
        });
        app::run_button_Click();
    });
    step("Run inside a Run, to a win", [] {
        place(3, 3, {"RR.RR", "GGG"});
        after_the_answer(app::run_button_Click);
        app::run_button_Click();
    });
    step("Run with nowhere to play", [] {
        app::new_game();
        fill_board();
        app::run_button_Click();
    });
    step("Run in One vs Comp", [] {
        app::one_player_button_Click();
        app::run_button_Click();
    });
    step("sound off, then a refused press", [] {
        app::sound_menu_Click();
        press(19, 19);
    });
    step("sound on, Advanced, Novice, save", [] {
        app::sound_menu_Click();
        app::advanced_menu_Click();
        app::novice_menu_Click();
        app::save_menu_Click();
        transcript << recording::files[ini];
    });
    step("games won set to zero, a press on the side panel", [] {
        app::Zero_games_won_Click();
        app::side_panel_MouseDown(1, 0, 100, 100);
    });
    step("Help and About", [] {
        app::q_help_menu_Click();
        app::about_menu_Click();
    });
    step("Quit", app::quit_button_Click);
    step("Exit", app::exit_menu_Click);
    step("the window closed", app::Form_Unload);
    step("start-up: sound Of, skill nOvember",
         [] { start_up("[OPTIONS]\nSound=Of\nSkill=nOvember"); });
    step("start-up: sound O, skill NO", [] { start_up("[OPTIONS]\nSound=O\nSkill=NO\n"); });
    step("start-up without a file, the directory unknown", [] {
        start_up("", "");
        app::side_panel_MouseDown(1, 0, 100, 100);
    });
    step("start-up, the directory too long", [] {
        start_up("", std::string(200, 'd'));
        app::side_panel_MouseDown(1, 0, 100, 100);
    });
    step("Comp vs Comp at Advanced", [] {
        app::no_player_button_Click();
        app::advanced_menu_Click();
    });
    for (const Position& position : positions)
        step("Step on a position from " + std::to_string(position.left) + "," +
                 std::to_string(position.top),
             [&position] {
                 app::new_game();
                 place(position.left, position.top, position.rows);
                 if (position.moves) game.move_count = static_cast<i16>(position.moves);
                 recording::calls.clear(); // only the move is told
                 app::step_button_Click();
             });
}

} // namespace

TEST(Session, EveryStepTellsTheWindowWhatItAlwaysHas) {
    app::dice = ai::Dice([] { return 2; });
    play_session();
    app::dice = ai::Dice();
    EXPECT_EQ(approval_fault(transcript.str(), "session.txt"), "");
}

TEST(Session, TheClockSeededDrawGivesEachOfOneToFive) {
    std::set<int> seen;
    ai::Dice dice;
    dice.reseed();
    for (int i = 0; i < 200; ++i) seen.insert(dice.draw_one_to_five());
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5}));
}
