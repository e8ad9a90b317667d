// How much processor time a "Comp vs Comp" run costs: the real window runs offscreen, with its
// half-second pace, for a given number of seconds; the figure is processor time per second of
// wall time, which is spent almost wholly on the moves and not on the waits between them. Sound
// is off unless "sound" follows the seconds; it then plays the cues of every move.
#include "app/controller.h"
#include "app/qt/main_window.h"
#include "gui_support.h"
#include "settings/settings.h"

#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

double processor_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void click(app::Control control) {
    QTest::mouseClick(app::main_window->control(control), Qt::LeftButton);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    app::set_up_application();
    app::MainWindow window;
    app::Form_Load();
    window.show();
    settings::sound_on = argc > 2 && QByteArrayView(argv[2]) == "sound";
    MessageCatcher messages;
    click(app::Control::no_player_button);

    const auto start = std::chrono::steady_clock::now();
    const double processor_at_start = processor_seconds();
    QTimer::singleShot(seconds * 1000, [] { click(app::Control::halt_button); });
    int moves = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(seconds)) {
        click(app::Control::restart_button);
        click(app::Control::run_button);
        moves += app::game.move_count;
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double processor = processor_seconds() - processor_at_start;
    std::printf("%d moves in %lld games over %.1f s of wall time\n", moves,
                static_cast<long long>(messages.texts.size()), wall);
    std::printf("processor time %.3f s: %.2f %% of the wall time, sound %s\n", processor,
                100.0 * processor / wall, settings::sound_on ? "on" : "off");
    return 0;
}
