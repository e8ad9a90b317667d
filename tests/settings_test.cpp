// The settings file's reader and writer, on INI text and on real files.
#include "settings/ini_file.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
namespace ini = settings;
using namespace std::literals;

namespace {

std::string read(std::string_view text) {
    return ini::read_value(text, "game", "level", "dflt", 128);
}

TEST(IniRead, FindsTheValueTheGameAlwaysRead) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[GaMe]\nLEVEL=3\n", "3"},
        {" \t[ game ] ; note\n \t level \t= \t 3 4 \t\n", "3 4"},
        {"[game]\nlevel=\"a b\"\n", "a b"},
        {"[game]\nlevel=\"\"\n", ""},
        {"[game]\nlevel=1 ;not a comment\n", "1 ;not a comment"},
        {"[game]\nlevel=1\nlevel=2\n[game]\nlevel=3\n", "1"},
        {"level=3\n[game]\n", "dflt"},
        {"[game] ; x]\nlevel=3\n", "dflt"},
        {"[game]\n;level=3\nlevel\n", "dflt"},
        {"[game]\n[other\nlevel=3\n", "3"},
        {"[game]\nlevel=a\0b\n"sv, "a"},
        {"\xEF\xBB\xBF[game]\r\nlevel=3\r\n", "3"},
        {"\x80\xFF\0[\0\n=]]\r\r\n\xEF\xBB\xBF[game]\nlevel=3\n"sv, "dflt"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(read(text), expected) << text;
}

TEST(IniRead, CutsLikeACBuffer) {
    const std::string text = "[game]\nlevel=" + std::string(200, 'v') + "\n";
    for (int size : {1, 0, -5}) EXPECT_EQ(ini::read_value(text, "game", "lEvel", "x", size), "");
    EXPECT_EQ(ini::read_value("[game]\n", "game", "level", "ab\0c"sv, 128), "ab");
    EXPECT_EQ(ini::read_value("", "game", "level", "abc", 3), "ab");
    const std::string huge(1 << 20, 'y');
    EXPECT_EQ(read(huge + "\n[game]\nlevel=" + huge), std::string(127, 'y'));
}

TEST(IniWrite, ChangesOnlyWhatItMustAndOnlyWhatReadsBack) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"; top\n[Game]\nLEVEL = \t1 ;x\r\nnext=2\n", "; top\n[Game]\nLEVEL = \tnew\r\nnext=2\n"},
        {"\0\xFF\n[game]\nlevel=1\n"sv, "\0\xFF\n[game]\nlevel=new\n"sv},
        {"[game]\na=1\n\n \n[x]\n", "[game]\na=1\nlevel=new\n\n \n[x]\n"},
        {"[game]\r\na=1\r\n", "[game]\r\na=1\r\nlevel=new\r\n"},
        {"[game]\na=1", "[game]\na=1\nlevel=new\n"},
        {"", "[game]\nlevel=new\n"},
        {"[x]\r\na=1\r", "[x]\r\na=1\r\n[game]\r\nlevel=new\r\n"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ini::write_value(text, "game", "level", "new"), expected) << text;
    }
    // Nothing is written that would not read back as itself.
    const std::string_view text = "[game]\nlevel=1\n";
    const std::string_view bad[][3] = {{"game", "level", "a\nb"}, {"game", "level", "a\0b"sv},
                                       {"game", "le=vel", "1"},   {"game", ";level", "1"},
                                       {"g\rame", "level", "1"},  {" game", "level", "1"}};
    for (const auto& [section, key, value] : bad)
        EXPECT_EQ(ini::write_value(text, section, key, value), text) << key << value;
}

// A fresh directory per test, removed afterwards even if a test made it read-only.
struct ProfileFile : ::testing::Test {
    fs::path dir = [] {
        std::string name = (fs::temp_directory_path() / "vellox-profile-XXXXXX").string();
        return fs::path(::mkdtemp(name.data()));
    }();
    std::string ini = (dir / "vellox.ini").string();

    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    void put(const std::string& text) const { std::ofstream(ini, std::ios::binary) << text; }
    std::string get() const {
        std::ifstream in(ini, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Entries in the directory, so that a leftover temporary file shows.
    auto entries() const { return std::distance(fs::directory_iterator(dir), {}); }
    std::string read_level() const {
        return ini::read_value(ini::read_file_text(ini), "game", "level", " ", 128);
    }
    bool write_level(std::string_view value) const {
        return ini::write_file_value(ini, "game", "level", value);
    }
};

TEST_F(ProfileFile, CreatesAMissingFileAndKeepsOtherBytesModeAndLinks) {
    EXPECT_EQ(read_level(), " ");
    ASSERT_TRUE(write_level(std::string(200, 'v')));
    EXPECT_EQ(read_level(), std::string(127, 'v'));
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms(0644));
    put("\xEF\xBB\xBF; x\r\n[game]\r\nlevel=1\r\n\r\n[z]\r\nq=\0\r\n"s);
    fs::permissions(ini, fs::perms(0600));
    fs::create_symlink("vellox.ini", dir / "link.ini");
    ASSERT_TRUE(ini::write_file_value((dir / "link.ini").string(), "game", "level", "2"));
    ASSERT_TRUE(write_level("3") && ini::write_file_value(ini, "new", "k", "v"));
    EXPECT_FALSE(write_level("a\nb"));
    EXPECT_EQ(get(),
              "\xEF\xBB\xBF; x\r\n[game]\r\nlevel=3\r\n\r\n[z]\r\nq=\0\r\n[new]\r\nk=v\r\n"s);
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms(0600));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(entries(), 2);
}

TEST_F(ProfileFile, FailsOnWhatIsNotAWritableFile) {
    fs::create_directory(ini);
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string loop = (dir / "loop.ini").string();
    fs::create_symlink("loop.ini", loop);
    for (const std::string& path :
         {ini, fifo, loop, (dir / "no" / "x.ini").string(), "/proc/vellox.ini"s}) {
        EXPECT_EQ(ini::read_file_text(path), "") << path;
        EXPECT_FALSE(ini::write_file_value(path, "game", "level", "1")) << path;
    }
    // Only read: a faulty save run as root could replace a device node.
    EXPECT_EQ(ini::read_file_text("/dev/zero"), "");
    EXPECT_TRUE(fs::is_directory(ini) && fs::is_empty(ini) && fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(loop));
    EXPECT_EQ(entries(), 3);
}

// A file size limit makes writing the temporary file fail even for root.
TEST_F(ProfileFile, FailedSaveLeavesTheOldFileAndNoTemporary) {
    const std::string old = "[game]\nlevel=1\n" + std::string(4000, ';') + "\n";
    put(old);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{1000, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = write_level("2");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(get(), old);
    EXPECT_EQ(entries(), 1);
}

// A file or folder without any write permission bit is locked for root too.
TEST_F(ProfileFile, ALockedFileIsLeftByteForByteAndALinkToAMissingOneStaysALink) {
    put("[game]\nlevel=1\n");
    fs::permissions(ini, fs::perms(0444));
    EXPECT_FALSE(write_level("2"));
    EXPECT_EQ(get(), "[game]\nlevel=1\n");
    fs::remove(ini);
    fs::create_symlink("saved/real.ini", ini);
    EXPECT_FALSE(write_level("2"));
    fs::create_directory(dir / "saved");
    EXPECT_TRUE(write_level("2") && fs::is_symlink(ini));
    EXPECT_EQ(read_level(), "2");
    EXPECT_EQ(entries(), 2);
}

// Where the program's folder is read-only, the first save makes the user's own copy, which is
// read from then on; a writable folder is used as it always was.
TEST_F(ProfileFile, AReadOnlyProgramFolderKeepsTheSettingsInTheUsersOwnCopy) {
    const fs::path program = dir / "program", config = dir / "config";
    const std::string beside = (program / "VELLOX.INI").string();
    fs::create_directory(program);
    std::ofstream(beside) << "[game]\nlevel=1\n";
    auto level = [&] {
        return ini::read_value(ini::read_user_text(beside, config), "game", "level", "", 128);
    };
    auto save = [&](const char* value) {
        return ini::write_user_value(beside, config, "game", "level", value);
    };
    fs::permissions(program, fs::perms(0555));
    EXPECT_EQ(level(), "1");
    EXPECT_FALSE(fs::exists(config));
    EXPECT_TRUE(save("2"));
    EXPECT_EQ(level(), "2");
    fs::permissions(program, fs::perms(0755));
    EXPECT_EQ(level(), "1");
    EXPECT_TRUE(save("3"));
    EXPECT_EQ(level(), "3");
    EXPECT_EQ(ini::read_file_text((config / "VELLOX.INI").string()), "[game]\nlevel=2\n");
}

} // namespace
