// The settings file's rules, the Options menu, the sound cues' paths and the Help menu, through
// the recording window and its in-memory files.
#include "engine/game_state.h"
#include "recording/recording.h"
#include "settings/help.h"
#include "settings/settings.h"
#include "settings/sound.h"

#include <gtest/gtest.h>

using namespace settings;

namespace {

const std::string ini = "/opt/vellox/VELLOX.INI";

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        recording::start_program();
        init_media_dir();
        init_ini_path();
    }

    // Loads settings from a file holding text, or from no file at all.
    void load_from(const std::string* text) {
        recording::files.clear();
        if (text) recording::files[ini] = *text;
        recording::calls.clear();
        load_settings();
    }
    void load_from(const std::string& text) { load_from(&text); }
};

std::string options(const std::string& lines) { return "[OPTIONS]\n" + lines; }

} // namespace

TEST_F(Settings, AFailedOrOverlongDirectoryQueryLeavesTheBareMediaFolder) {
    for (const std::string& dir : {std::string(), std::string(250, 'd')}) {
        recording::windows_dir = dir;
        init_media_dir();
        EXPECT_EQ(engine::media_dir, "/media/") << dir.size();
    }
}

TEST_F(Settings, WithoutAFileSoundIsOnAtAdvancedAndEveryFileNameIsOneSpace) {
    load_from(nullptr);
    EXPECT_EQ(engine::ini_path, ini);
    EXPECT_EQ(engine::media_dir, "/opt/vellox/media/");
    EXPECT_TRUE(engine::sound_on);
    EXPECT_EQ(engine::skill_level, 1);
    for (const auto* name :
         {&victory_sound_file, &bad_sound_file, &put_piece_sound_file, &take_two_sound_file})
        EXPECT_EQ(*name, " ");
    EXPECT_EQ(recording::calls_starting("set_checked"),
              (std::vector<std::string>{"set_checked sound_menu 1", "set_checked novice_menu 0",
                                        "set_checked advanced_menu 1"}));
    EXPECT_EQ(cue_path(Cue::bad_sound), "/opt/vellox/media/ ");
}

TEST_F(Settings, SoundIsOffOnlyForValuesBeginningWithOf) {
    for (const char* value : {"off", "OFF", "Of", "oFfice"}) {
        load_from(options(std::string("Sound=") + value + "\n"));
        EXPECT_FALSE(engine::sound_on) << value;
        EXPECT_EQ(recording::calls_starting("set_checked sound_menu")[0],
                  "set_checked sound_menu 0");
    }
    for (const char* value : {"ON", "0", "O", "", "o f"}) {
        load_from(options(std::string("Sound=") + value + "\n"));
        EXPECT_TRUE(engine::sound_on) << value;
    }
}

TEST_F(Settings, SkillIsNoviceOnlyForValuesBeginningWithNov) {
    for (const char* value : {"novice", "NOV", "Nov"}) {
        load_from(options(std::string("Skill=") + value + "\n"));
        EXPECT_EQ(engine::skill_level, 0) << value;
        EXPECT_EQ(recording::count_calls("set_checked novice_menu 1"), 1u);
    }
    for (const char* value : {"NO", "ADV", "expert", ""}) {
        load_from(options(std::string("Skill=") + value + "\n"));
        EXPECT_EQ(engine::skill_level, 1) << value;
    }
}

TEST_F(Settings, FileNamesComeFromTheirKeysWhateverTheCaseAndAreCutAt127) {
    const std::string long_name(200, 'n');
    load_from("[options]\nvictorysoundfile=win.wav\nBadSoundFile=" + long_name +
              "\nPutAPieceSoundFile=sub/put.wav\n");
    EXPECT_EQ(victory_sound_file, "win.wav");
    EXPECT_EQ(bad_sound_file, long_name.substr(0, 127));
    EXPECT_EQ(cue_path(Cue::put_piece_sound), "/opt/vellox/media/sub/put.wav");
    EXPECT_EQ(take_two_sound_file, " ");
}

TEST_F(Settings, SaveKeepsTheSoundFileKeysAndEverythingElse) {
    const std::string before = "; my sounds\n[OPTIONS]\nBadSoundFile=bad.wav\nSound = off\n";
    load_from(before);
    sound_menu_Click();
    save_menu_Click();
    EXPECT_EQ(recording::files[ini],
              "; my sounds\n[OPTIONS]\nBadSoundFile=bad.wav\nSound = ON\nSkill=ADV\n");
}

TEST_F(Settings, CuesPlayOnlyWhileSoundIsOn) {
    load_from(options("BadSoundFile=bad.wav\n"));
    play_sound_cue(Cue::bad_sound, 0);
    play_sound_cue(Cue::victory_sound, 1);
    sound_menu_Click();
    recording::calls.clear();
    play_sound_cue(Cue::bad_sound, 1);
    play_sound_cue(Cue::take_two_sound, 1);
    EXPECT_TRUE(recording::calls.empty());
    sound_menu_Click();
    play_sound_cue(Cue::bad_sound, 1);
    EXPECT_EQ(recording::calls.back(), "play_sound /opt/vellox/media/bad.wav 1");
}

TEST_F(Settings, HelpOpensTheFileBesideTheProgramAtIntroductionAndAboutAsksEveryTime) {
    for (const std::string& dir : {std::string("/opt/vellox"), std::string("/home/me/games")}) {
        recording::program_dir = dir;
        recording::calls.clear();
        q_help_menu_Click();
        EXPECT_EQ(recording::calls_starting("html_help"),
                  std::vector<std::string>{"html_help " + dir + "/vellox.qch Introduction"});
    }
    recording::calls.clear();
    about_menu_Click();
    about_menu_Click();
    EXPECT_EQ(recording::calls, (std::vector<std::string>{"show_about", "show_about"}));
}
