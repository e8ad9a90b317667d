// A window and system that only record what the game asks of them, for the logic tests.
//
// Every platform call appends one line to `calls`, such as "set_caption moves_panel 0". A test
// scripts process_events with on_process_events: each call of process_events runs the next
// queued action (another handler, a timer tick) and does nothing once the queue is empty.
// wait_for_events runs the next queued action too, or, with none left, the tick of a running
// the move delay timer. end_program throws ProgramEnded, so that nothing after it runs, as in the
// real program.
#pragma once

#include "sound/cues.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace recording {

struct ProgramEnded {};

extern std::vector<std::string> calls;

// While set, the calls are not recorded, for benchmarks of the game logic alone.
extern bool muted;

// The settings and other files the game can see, by path.
extern std::map<std::string, std::string> files;

// What program_dir and get_media_base_dir report; an empty media_base_dir fails the query.
extern std::string program_dir;
extern std::string media_base_dir;

// Clears the record, the scripts and the files, and restores the default directories.
void reset();

// reset, then what creating the main window does (the picture arrays, Form_Load), then a clean
// record: the game is in its state right after start-up.
void start_program();

void on_process_events(std::function<void()> action);

// Turns the sound on with a file of its own for each cue, so that the record tells them apart.
void name_the_cues();

} // namespace recording
