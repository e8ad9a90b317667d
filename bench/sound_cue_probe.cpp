// Plays the program's cues for scripts/sound_server_bench, which watches the sound server:
// "exit" plays the four cues, each to its end, and ends as Quit does; "hold" plays the
// refused-move cue once, says "ready", and at a line on its input times five refused-move cues,
// printing how long each held the window, in milliseconds.
#include "app/window_ops.h"
#include "sound/sound_platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <string>

namespace {

std::string cue(const char* file) {
    return QCoreApplication::applicationDirPath().toStdString() + "/media/" + file;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "exit") {
        for (const char* file : {"put_piece.wav", "take_two.wav", "victory.wav", "bad.wav"})
            sound::play_sound(cue(file), 0);
        app::end_program();
    }
    if (mode != "hold") return 2;
    sound::play_sound(cue("bad.wav"), 0);
    sound::play_sound(cue("bad.wav"), 0);
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin)) return 1;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        sound::play_sound(cue("bad.wav"), 0);
        std::printf("%lld\n", static_cast<long long>(clock.elapsed()));
    }
    return 0;
}
