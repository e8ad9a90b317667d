// A window and system that only record what the game asks of them, for the logic tests.
//
// Every platform call appends one line to `calls`, such as "set_caption moves_panel 0". A test
// scripts process_events with on_process_events: each call of process_events runs the next
// queued action (another handler, a timer tick) and does nothing once the queue is empty.
// wait_for_events runs the next queued action too, or, with none left, the tick of a running
// Timer1. end_program throws ProgramEnded, so that nothing after it runs, as in the real program.
#pragma once

#include "settings/sound.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace recording {

struct ProgramEnded {};

extern std::vector<std::string> calls;

// The settings and other files the game can see, by path.
extern std::map<std::string, std::string> files;

// What program_dir and get_windows_directory report; an empty windows_dir fails the query.
extern std::string program_dir;
extern std::string windows_dir;

// Clears the record, the scripts and the files, and restores the default directories.
void reset();

// reset, then what creating the main window does (the picture arrays, Form_Load), then a clean
// record: the game is in its state right after start-up.
void start_program();

void on_process_events(std::function<void()> action);

// Turns the sound on with a file of its own for each cue, so that the record tells them apart.
void name_the_cues();

// The record of a cue played with the given flags.
std::string played(settings::Cue cue, int flags = 1);

// The recorded calls that begin with prefix, in order.
std::vector<std::string> calls_starting(const std::string& prefix);
std::size_t count_calls(const std::string& prefix);

// The enabled state the window was last told for a control, if it was told at all.
std::optional<bool> enabled(const std::string& control);

// What the window was told of Back, Run, Halt, Step, One vs Comp and Two Players, as a row of
// T, F and - (not told).
std::string button_row();

// The recorded calls from index first on, for "what did this step do" assertions.
std::vector<std::string> calls_since(std::size_t first);

} // namespace recording
