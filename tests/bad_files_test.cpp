// Settings files that a save must leave alone, a program folder the user cannot write, and the
// settings read in one go: on real files in a scratch folder. Folders and files without any
// write permission bit count as locked for root too, so this runs the same as root.
#include "recording/recording.h"
#include "settings/profile.h"
#include "settings/settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
namespace profile = settings::profile;

namespace {

const std::string mine = "; mine\n[OPTIONS]\nSound=ON\n";
const std::string mine_off = "; mine\n[OPTIONS]\nSound=OFF\n";

struct BadFiles : ::testing::Test {
    fs::path dir = [] {
        std::string name = (fs::temp_directory_path() / "vellox-bad-XXXXXX").string();
        return fs::path(::mkdtemp(name.data()));
    }();
    fs::path program = dir / "program";
    fs::path config = dir / "config" / "vellox";
    std::string ini = (program / "VELLOX.INI").string();

    void SetUp() override { fs::create_directory(program); }
    void TearDown() override {
        fs::permissions(program, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    static void put(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string get(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    bool save(const std::string& sound) const {
        return profile::write_user_value(ini, config.string(), "OPTIONS", "Sound", sound);
    }
    std::string load() const { return profile::read_user_text(ini, config.string()); }
    void lock_program_folder(bool locked) const {
        fs::permissions(program, fs::perms(locked ? 0555 : 0755));
    }
};

TEST_F(BadFiles, AReadOnlySettingsFileIsLeftByteForByte) {
    put(ini, mine);
    fs::permissions(ini, fs::perms(0444));
    EXPECT_FALSE(save("OFF"));
    EXPECT_EQ(get(ini), mine);
    EXPECT_EQ(std::distance(fs::directory_iterator(program), {}), 1);
    EXPECT_FALSE(fs::exists(config));
}

TEST_F(BadFiles, ALinkToAMissingFileIsSavedThroughAndStaysALink) {
    fs::create_symlink("saved/real.ini", ini);
    EXPECT_FALSE(save("OFF"));
    fs::create_directory(program / "saved");
    EXPECT_TRUE(save("OFF"));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(get(program / "saved" / "real.ini"), "[OPTIONS]\nSound=OFF\n");
    EXPECT_EQ(load(), "[OPTIONS]\nSound=OFF\n");
}

TEST_F(BadFiles, AReadOnlyProgramFolderKeepsTheSettingsInACopyOfTheUsersOwn) {
    put(ini, mine);
    lock_program_folder(true);
    EXPECT_EQ(load(), mine);
    EXPECT_FALSE(fs::exists(config));
    EXPECT_TRUE(save("OFF"));
    EXPECT_EQ(get(config / "VELLOX.INI"), mine_off);
    EXPECT_EQ(get(ini), mine);
    // From then on the copy is read and saved, whatever becomes of the file beside the program.
    lock_program_folder(false);
    put(ini, "[OPTIONS]\nSound=X\n");
    lock_program_folder(true);
    EXPECT_EQ(load(), mine_off);
    EXPECT_TRUE(save("ON"));
    EXPECT_EQ(get(config / "VELLOX.INI"), mine);
    // A writable folder is used as it always was.
    lock_program_folder(false);
    EXPECT_TRUE(save("OFF"));
    EXPECT_EQ(get(ini), "[OPTIONS]\nSound=OFF\n");
    EXPECT_EQ(load(), get(ini));
}

TEST(SettingsFile, IsReadOnceForAllItsKeys) {
    recording::start_program();
    settings::load_settings();
    EXPECT_EQ(recording::calls_starting("read_profile_text"),
              std::vector<std::string>{"read_profile_text /opt/vellox/VELLOX.INI"});
}

} // namespace
