// Finds and rewrites single settings in INI text, and saves the settings file through a
// temporary file and a rename so that a failed save never damages the file already there.
#include "settings/ini_file.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settings {
namespace {

using namespace std::literals;
namespace fs = std::filesystem;

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
constexpr std::string_view line_breaks_and_nul = "\r\n\0"sv;
// As many links as the system itself follows before it gives up on a path.
constexpr int max_link_hops = 40;

// One line as offsets into the text: content ends before the CR or LF that ends the line.
struct LineSpan {
    std::size_t begin;
    std::size_t content_end;
    std::size_t end;
};

// Where a section and key are in a text, or where the key would go.
struct KeyLocation {
    bool section_found = false;
    bool key_found = false;
    std::size_t insert_at = 0;
    std::size_t value_begin = 0;
    std::size_t value_end = 0;
};

// What could be read of a file; readable is also true when there is no file at all.
struct FileContents {
    bool readable = false;
    bool exists = false;
    mode_t mode = 0;
    std::string text;
};

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_left(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view trim(std::string_view s) {
    s = trim_left(s);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Names match without regard to ASCII case, as the settings file has always been read.
bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    }
    return true;
}

// Whether a name survives being written on a line and read back: no blanks around it, nothing
// that would end the line or the C string the game keeps it in.
bool usable_name(std::string_view name) {
    return !name.empty() && trim(name) == name &&
           name.find_first_of(line_breaks_and_nul) == name.npos;
}

// A key additionally must not end at an '=' of its own nor read as a comment or a header.
bool usable_names(std::string_view section, std::string_view key) {
    return usable_name(section) && usable_name(key) && key.find('=') == key.npos &&
           key.front() != ';' && key.front() != '[';
}

// A value must stay on its line and in one C string; anything else would add lines to the file.
bool usable_setting(std::string_view section, std::string_view key, std::string_view value) {
    return usable_names(section, key) && value.find_first_of(line_breaks_and_nul) == value.npos;
}

std::size_t body_begin(std::string_view text) {
    return text.starts_with(byte_order_mark) ? byte_order_mark.size() : 0;
}

// The line starting at begin; a CR before its LF, or at the very end of the text, is part of
// the line ending rather than of the content.
LineSpan line_at(std::string_view text, std::size_t begin) {
    const std::size_t lf = text.find('\n', begin);
    const std::size_t end = lf == text.npos ? text.size() : lf + 1;
    std::size_t content_end = lf == text.npos ? text.size() : lf;
    if (content_end > begin && text[content_end - 1] == '\r') --content_end;
    return {begin, content_end, end};
}

// The section name of a header line; nothing for any other line, including a '[' without a
// closing ']'.
std::optional<std::string_view> header_name(std::string_view content) {
    const std::string_view s = trim_left(content);
    if (!s.starts_with('[')) return std::nullopt;
    const std::size_t close = s.rfind(']');
    if (close == s.npos) return std::nullopt;
    return trim(s.substr(1, close - 1));
}

// Where the value starts in a key line named key (after the '=' and the blanks following it);
// nothing for lines without '=' and other keys. Comments never match, as no usable key starts
// with ';'.
std::optional<std::size_t> value_offset(std::string_view content, std::string_view key) {
    const std::size_t equals = content.find('=');
    if (equals == content.npos || !same_name(trim(content.substr(0, equals)), key)) {
        return std::nullopt;
    }
    std::size_t offset = equals + 1;
    while (offset < content.size() && is_blank(content[offset])) ++offset;
    return offset;
}

// Finds key in the first section named section, in one pass that stops at the end of that
// section. insert_at is just after the section's last non-blank line.
KeyLocation locate(std::string_view text, std::string_view section, std::string_view key) {
    KeyLocation found;
    for (std::size_t at = body_begin(text); at < text.size();) {
        const LineSpan line = line_at(text, at);
        at = line.end;
        const std::string_view content = text.substr(line.begin, line.content_end - line.begin);
        if (const auto name = header_name(content)) {
            if (found.section_found) break;
            found.section_found = same_name(*name, section);
            found.insert_at = line.end;
        } else if (found.section_found) {
            if (const auto offset = value_offset(content, key)) {
                found.key_found = true;
                found.value_begin = line.begin + *offset;
                found.value_end = line.content_end;
                break;
            }
            if (!trim(content).empty()) found.insert_at = line.end;
        }
    }
    return found;
}

std::string_view unquote(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

// What a C buffer of size characters would hold of s: up to the first NUL, at most size - 1.
std::string cut_for_buffer(std::string_view s, int size) {
    if (size <= 0) return {};
    s = s.substr(0, s.find('\0'));
    return std::string(s.substr(0, static_cast<std::size_t>(size) - 1));
}

// The ending new lines get: the one the text's first line uses, LF when it has none.
std::string_view line_ending_of(std::string_view text) {
    const std::size_t lf = text.find('\n');
    return lf != text.npos && lf > 0 && text[lf - 1] == '\r' ? "\r\n"sv : "\n"sv;
}

// What must come before a line inserted at offset at, so that the line before it stays a line
// of its own: nothing unless at is the end of an unterminated last line.
std::string_view terminator_before(std::string_view text, std::size_t at, std::string_view ending) {
    if (at < text.size() || text.size() == body_begin(text) || text.ends_with('\n')) return {};
    return text.ends_with('\r') ? "\n"sv : ending;
}

// Appends everything left to read from fd to out; false on a read error.
bool read_all(int fd, std::string& out) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0 && errno != EINTR) return false;
        if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
    }
}

// The current contents of the file at path. Anything but a regular file or no file at all is
// unreadable.
FileContents load(const std::string& path) {
    FileContents result;
    struct stat info {};
    const int fd = open_regular_file(path);
    if (fd < 0) {
        result.readable = errno == ENOENT;
        return result;
    }
    if (::fstat(fd, &info) == 0) {
        result.exists = true;
        result.mode = info.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO);
        result.readable = read_all(fd, result.text);
    }
    ::close(fd);
    return result;
}

// Writes all of data, going on after partial writes and interruptions; false on an error.
bool write_all(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a save writes: a symbolic link is followed to the file it names, which need not
// exist yet, so that the link stays a link. Nothing for a chain of links that never ends.
std::optional<std::string> save_target(const std::string& path) {
    fs::path at = path;
    for (int hop = 0; hop < max_link_hops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(at, error))) return at.string();
        const fs::path target = fs::read_symlink(at, error);
        if (error) return std::nullopt;
        at = at.parent_path() / target;
    }
    return std::nullopt;
}

// Whether the user may change what is at path. A file or folder that has no write permission
// bit at all counts as locked for root too, who could otherwise write anything.
bool can_write(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) &&
           ::access(path.c_str(), W_OK) == 0;
}

// Where a user who cannot write the folder of the settings file at path keeps a copy of it;
// empty while the folder is writable.
std::string user_copy(const std::string& path, const std::string& config_dir) {
    const fs::path file = path;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : ".";
    if (config_dir.empty() || can_write(folder.string())) return {};
    return (fs::path(config_dir) / file.filename()).string();
}

// Makes the rename itself survive a crash; the save has already succeeded, so a failure here
// changes nothing the caller could act on.
void sync_directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == path.npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Puts text in place of the file at path by way of a new file beside it; false, with the
// temporary file removed and path untouched, when any step fails.
bool replace_file(const std::string& path, std::string_view text, mode_t mode) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = write_all(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0) {
        sync_directory_of(path);
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

} // namespace

// The type is checked before opening, so that devices and pipes are never opened, and again on
// what was opened, in case the file was swapped in between.
int open_regular_file(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return -1;
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 || (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))) return fd;
    ::close(fd);
    errno = EINVAL;
    return -1;
}

std::string read_value(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view default_value, int size) {
    if (!usable_names(section, key)) return cut_for_buffer(default_value, size);
    const KeyLocation found = locate(text, section, key);
    if (!found.key_found) return cut_for_buffer(default_value, size);
    const std::string_view value =
        text.substr(found.value_begin, found.value_end - found.value_begin);
    return cut_for_buffer(unquote(trim(value)), size);
}

std::string write_value(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
    std::string result(text);
    if (!usable_setting(section, key, value)) return result;
    const KeyLocation found = locate(text, section, key);
    if (found.key_found) {
        result.replace(found.value_begin, found.value_end - found.value_begin, value);
        return result;
    }
    const std::string_view ending = line_ending_of(text);
    const std::size_t at = found.section_found ? found.insert_at : text.size();
    std::string added(terminator_before(text, at, ending));
    if (!found.section_found) added.append("[").append(section).append("]").append(ending);
    added.append(key).append("=").append(value).append(ending);
    result.insert(at, added);
    return result;
}

std::string read_file_text(const std::string& path) {
    FileContents current = load(path);
    return current.readable ? std::move(current.text) : std::string();
}

bool write_file_value(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value, const std::string& start_from) {
    if (path.empty() || !usable_setting(section, key, value)) return false;
    const std::optional<std::string> target = save_target(path);
    if (!target) return false;
    FileContents current = load(*target);
    if (!current.readable || (current.exists && !can_write(*target))) return false;
    if (!current.exists && !start_from.empty()) current.text = read_file_text(start_from);
    return replace_file(*target, write_value(current.text, section, key, value),
                        current.exists ? current.mode : 0644);
}

std::string read_user_text(const std::string& path, const std::string& config_dir) {
    const std::string copy = user_copy(path, config_dir);
    std::error_code error;
    return read_file_text(!copy.empty() && fs::exists(copy, error) ? copy : path);
}

bool write_user_value(const std::string& path, const std::string& config_dir,
                      std::string_view section, std::string_view key, std::string_view value) {
    const std::string copy = user_copy(path, config_dir);
    if (copy.empty()) return write_file_value(path, section, key, value);
    std::error_code error;
    fs::create_directories(config_dir, error);
    return write_file_value(copy, section, key, value, path);
}

} // namespace settings
