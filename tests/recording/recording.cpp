// The recording implementation of every platform operation.
#include "recording.h"

#include "app/controller.h"
#include "app/window_ops.h"
#include "help/help_platform.h"
#include "platform/program_dir.h"
#include "settings/ini_file.h"
#include "settings/settings.h"
#include "settings/settings_platform.h"
#include "sound/sound_platform.h"
#include "view/board_view.h"

#include <deque>
#include <sstream>

namespace recording {

std::vector<std::string> calls;
bool muted = false;
std::map<std::string, std::string> files;
std::string program_dir;
std::string media_base_dir;

namespace {

std::deque<std::function<void()>> process_events_script;

bool run_next_scripted_action() {
    if (process_events_script.empty()) return false;
    auto action = std::move(process_events_script.front());
    process_events_script.pop_front();
    action();
    return true;
}

// One line per call: the operation and its arguments separated by spaces, flags as 1 and 0.
template <typename... Parts> void record(const char* operation, const Parts&... parts) {
    if (muted) return;
    std::ostringstream line;
    line << operation;
    ((line << ' ' << parts), ...);
    calls.push_back(line.str());
}

const char* ink_name(view::Ink ink) { return ink == view::Ink::yellow ? "yellow" : "foreground"; }

const char* menu_name(settings::MenuItem item) {
    const char* names[] = {"sound_menu", "novice_menu", "advanced_menu", "expert_menu"};
    return names[static_cast<int>(item)];
}

} // namespace

void reset() {
    calls.clear();
    files.clear();
    process_events_script.clear();
    program_dir = "/opt/vellox";
    media_base_dir = "/opt/vellox";
}

void start_program() {
    reset();
    view::init_image_arrays();
    app::Form_Load();
    calls.clear();
}

void on_process_events(std::function<void()> action) {
    process_events_script.push_back(std::move(action));
}

void name_the_cues() {
    settings::sound_on = true;
    settings::put_piece_sound_file = "put.wav";
    settings::take_two_sound_file = "take.wav";
    settings::victory_sound_file = "victory.wav";
    settings::bad_sound_file = "bad.wav";
}

} // namespace recording

namespace view {

using recording::record;

void draw_line(int x1, int y1, int x2, int y2, int width_px, view::Ink ink) {
    record("draw_line", x1, y1, x2, y2, width_px, recording::ink_name(ink));
}

void draw_circle(int cx, int cy, int radius, int width_px, view::Ink ink) {
    record("draw_circle", cx, cy, radius, width_px, recording::ink_name(ink));
}

void create_image(view::ImageArray array, int index) {
    record("create_image", array_name(array), index);
}

void move_image(view::ImageArray array, int index, int left, int top) {
    record("move_image", array_name(array), index, left, top);
}

void set_image_visible(view::ImageArray array, int index, bool visible) {
    record("set_image_visible", array_name(array), index, visible);
}

void destroy_image(view::ImageArray array, int index) {
    record("destroy_image", array_name(array), index);
}

} // namespace view

namespace app {

using recording::record;

void set_enabled(app::Control control, bool enabled) {
    record("set_enabled", control_name(control), enabled);
}

void set_caption(app::Control panel, const std::string& value) {
    record("set_caption", control_name(panel), value);
}

void set_busy_pointer(bool busy) { record("set_busy_pointer", busy); }

void process_events() {
    record("process_events");
    recording::run_next_scripted_action();
}

// What arrives first is the next scripted action, or else the timer's tick.
void wait_for_events() {
    record("wait_for_events");
    if (!recording::run_next_scripted_action() && move_delay_timer_enabled)
        move_delay_timer_Timer();
}

void end_program() {
    record("end_program");
    throw recording::ProgramEnded{};
}

void show_message(const std::string& text) { record("show_message", text); }

void center_main_window() { record("center_main_window"); }

void set_timer_enabled(bool enabled) { record("set_timer_enabled", enabled); }

void show_about() { record("show_about"); }

// Called from the search's thread: not recorded, since the record belongs to the window's.
void wake_window() {}

void refresh_hint_command() { record("refresh_hint_command", hint_available()); }

void show_hint(int x, int y, const std::string& text) { record("show_hint", x, y, text); }

} // namespace app

namespace platform {

using recording::record;

std::string program_dir() {
    record("program_dir");
    return recording::program_dir;
}

} // namespace platform

namespace settings {

using recording::record;

std::string read_settings_text(const std::string& file) {
    record("read_settings_text", file);
    const auto found = recording::files.find(file);
    return found == recording::files.end() ? std::string() : found->second;
}

bool write_setting(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) {
    record("write_setting", section, key, value, file);
    auto& text = recording::files[file];
    text = write_value(text, section, key, value);
    return true;
}

void set_checked(settings::MenuItem item, bool checked) {
    record("set_checked", recording::menu_name(item), checked);
}

} // namespace settings

namespace sound {

using recording::record;

int get_media_base_dir(char* buffer, int size) {
    record("get_media_base_dir");
    return copy_directory(recording::media_base_dir, buffer, size);
}

void play_sound(const std::string& path, int flags) { record("play_sound", path, flags); }

} // namespace sound

namespace help {

using recording::record;

void show_help_topic(const std::string& file, const std::string& topic) {
    record("show_help_topic", file, topic);
}

void close_help_viewer() { record("close_help_viewer"); }

} // namespace help
