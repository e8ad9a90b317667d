// Settings files that a save must leave alone, a read-only program folder and the settings read
// in one go. A file or folder without write permission bits is locked for root too.
#include "recording/recording.h"
#include "settings/profile.h"
#include "settings/settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string on = "[OPTIONS]\nSound=ON\n", off = "[OPTIONS]\nSound=OFF\n";

void put(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string get(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct BadFiles : ::testing::Test {
    std::string scratch = (fs::temp_directory_path() / "vellox-XXXXXX").string();
    fs::path program = fs::path(::mkdtemp(scratch.data())) / "program";
    std::string config = (program.parent_path() / "config").string();
    fs::path copy = fs::path(config) / "VELLOX.INI";
    std::string ini = (program / "VELLOX.INI").string();

    void SetUp() override {
        fs::create_directory(program);
        put(ini, on);
    }
    void TearDown() override {
        lock(false);
        fs::remove_all(program.parent_path());
    }
    void lock(bool locked) const { fs::permissions(program, fs::perms(locked ? 0555 : 0755)); }
    bool save(const char* sound) const {
        return settings::profile::write_user_value(ini, config, "OPTIONS", "Sound", sound);
    }
    std::string load() const { return settings::profile::read_user_text(ini, config); }
};

TEST_F(BadFiles, AReadOnlyFileIsLeftByteForByteAndALinkToAMissingOneStaysALink) {
    fs::permissions(ini, fs::perms(0444));
    EXPECT_FALSE(save("OFF"));
    EXPECT_EQ(get(ini), on);
    EXPECT_EQ(std::distance(fs::directory_iterator(program), {}), 1);
    EXPECT_FALSE(fs::exists(config));
    fs::remove(ini);
    fs::create_symlink("saved/real.ini", ini);
    EXPECT_FALSE(save("OFF"));
    fs::create_directory(program / "saved");
    EXPECT_TRUE(save("OFF"));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(get(program / "saved" / "real.ini"), off);
}

TEST_F(BadFiles, AReadOnlyProgramFolderKeepsTheSettingsInTheUsersOwnCopy) {
    lock(true);
    EXPECT_EQ(load(), on);
    EXPECT_FALSE(fs::exists(config));
    EXPECT_TRUE(save("OFF"));
    EXPECT_EQ(get(copy), off);
    EXPECT_EQ(get(ini), on);
    EXPECT_EQ(load(), off);
    // A writable folder is used as it always was.
    lock(false);
    EXPECT_EQ(load(), on);
    EXPECT_TRUE(save("OFF") && save("X"));
    EXPECT_EQ(get(ini), "[OPTIONS]\nSound=X\n");
    EXPECT_EQ(get(copy), off);
}

TEST(SettingsFile, IsReadOnceForAllItsKeys) {
    recording::start_program();
    settings::load_settings();
    EXPECT_EQ(recording::calls_starting("read_profile_text"),
              std::vector<std::string>{"read_profile_text /opt/vellox/VELLOX.INI"});
}

} // namespace
