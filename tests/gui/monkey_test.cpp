// A seeded monkey on the real window offscreen: thousands of random presses anywhere, button
// clicks and menu commands, also during runs and between a move and its answer. After each
// event the game's state and the window must agree.
#include "app/controller.h"
#include "app/qt/main_window.h"
#include "engine/game_state.h"
#include "support/invariants.h"
#include "view/board_view.h"
#include "view/qt/board_surface.h"
#include "view/qt/twips.h"

#include <QAbstractButton>
#include <QAction>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <functional>
#include <random>

using app::Control;

namespace {

QWidget* widget(Control control) { return app::main_window->control(control); }

bool enabled(Control control) { return widget(control)->isEnabled(); }

QString caption(Control panel) { return static_cast<QLabel*>(widget(panel))->text(); }

// The window's picture elements against the view's record of them.
QString picture_fault() {
    const std::pair<view::ImageArray, int> arrays[] = {
        {view::ImageArray::g_stone, engine::move_count + 1},
        {view::ImageArray::r_stone, engine::move_count + 1},
        {view::ImageArray::x_image, 5}};
    for (const auto& [array, last] : arrays)
        for (int index = 0; index <= last; ++index) {
            const view::ImageElement* state = view::image(array, index);
            const view::PictureElement* shown = view::board_surface->element(array, index);
            const QString name = QStringLiteral("%1 %2").arg(view::array_name(array)).arg(index);
            if (!state != !shown) return name + " exists wrongly";
            if (!state) continue;
            if (state->visible != shown->isVisible()) return name + " shown wrongly";
            if (state->visible &&
                shown->pos() != QPoint(view::to_pixels(state->left), view::to_pixels(state->top)))
                return name + " misplaced";
        }
    return {};
}

// The panels against the counters. Between a move and the status refresh that follows it the
// moves panel may lag, so it is compared only when no handler is under way.
QString panel_fault(bool idle) {
    using engine::games_won;
    using engine::pairs_taken;
    if (caption(Control::r_taken).toInt() != pairs_taken[0] ||
        caption(Control::g_taken).toInt() != pairs_taken[1])
        return "pairs lost panels";
    if (caption(Control::r_games_won).toInt() != games_won[1] ||
        caption(Control::g_games_won).toInt() != games_won[0])
        return "games won panels";
    if (idle && caption(Control::moves_panel).toInt() != engine::move_count) return "moves panel";
    if (idle && app::main_window->cursor().shape() == Qt::WaitCursor) return "busy pointer left on";
    return {};
}

// What the enable table implies whatever the order of events.
QString button_fault() {
    const Control play[] = {Control::back_button, Control::run_button, Control::halt_button,
                            Control::step_button};
    if (engine::game_over)
        for (Control control : play)
            if (enabled(control)) return QString(app::control_name(control)) + " after the end";
    if (engine::game_mode == engine::one_vs_comp)
        for (Control control : {Control::run_button, Control::step_button, Control::halt_button})
            if (enabled(control)) return QString(app::control_name(control)) + " in One vs Comp";
    if (engine::running &&
        (enabled(Control::one_player_button) || enabled(Control::two_player_button)))
        return "mode buttons during a run";
    for (Control control : {Control::restart_button, Control::quit_button, Control::Zero_games_won,
                            Control::no_player_button})
        if (!enabled(control)) return QString(app::control_name(control)) + " disabled";
    return {};
}

class Monkey : public QObject {
public:
    explicit Monkey(unsigned seed, int events) : random_(seed), events_left_(events) {}

    QString fault;
    bool finished = false;
    std::function<void()> on_finished;
    // How often the monkey acted inside another handler, during a run and after a win.
    int nested = 0, during_runs = 0, after_wins = 0;

    void start() { post_next(); }

private:
    // The next event is always on its way before this one is handled, due within a couple of
    // milliseconds, so that it often lands inside whatever waits for events: a run's delay,
    // the gap before the computer's answer, a message box.
    void post_next() {
        QTimer::singleShot(pick(0, 2), this, [this] { step(); });
    }

    void step() {
        if (!fault.isEmpty() || events_left_ <= 0) return wind_down();
        --events_left_;
        ++depth_;
        nested += depth_ > 1;
        during_runs += engine::running && !engine::game_over;
        after_wins += engine::game_over;
        post_next();
        act();
        check(depth_ == 1);
        --depth_;
    }

    // Ends every run and handler still under way, then stops; also after a fault, so that
    // nothing is left waiting.
    void wind_down() {
        if (depth_ == 0) {
            check(true);
            finished = true;
            on_finished();
            return;
        }
        ++depth_;
        if (!dismiss_modal()) QTest::mouseClick(widget(Control::restart_button), Qt::LeftButton);
        --depth_;
        post_next();
    }

    void check(bool idle) {
        if (!fault.isEmpty()) return;
        fault = QString::fromStdString(invariants::first_fault());
        if (fault.isEmpty()) fault = picture_fault();
        if (fault.isEmpty()) fault = panel_fault(idle);
        if (fault.isEmpty()) fault = button_fault();
        if (!fault.isEmpty()) fault += QStringLiteral(" (%1 events left)").arg(events_left_);
    }

    // A person facing a modal box can only answer it.
    bool dismiss_modal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return false;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Ok)->click();
        else
            modal->close();
        return true;
    }

    void act() {
        if (dismiss_modal()) return;
        const int kind = pick(0, 99);
        if (kind < 55)
            press_anywhere(kind < 40);
        else if (kind < 90)
            click_control();
        else
            trigger_menu_item();
    }

    // A press on whatever lies under a random pixel: the board, a stone, a marker, a panel or a
    // button; mostly on the board itself. Quit is left out, since it ends the program.
    void press_anywhere(bool on_board) {
        QWidget* surface = app::main_window->centralWidget();
        const QPoint at =
            on_board ? QPoint(pick(150, 564), pick(0, 417)) : QPoint(pick(0, 564), pick(0, 417));
        QWidget* target = surface->childAt(at) ? surface->childAt(at) : surface;
        if (target == widget(Control::quit_button)) return;
        QTest::mouseClick(target, chance(80) ? Qt::LeftButton : Qt::RightButton, {},
                          target->mapFrom(surface, at));
    }

    void click_control() {
        const Control controls[] = {
            Control::run_button,        Control::halt_button,       Control::step_button,
            Control::restart_button,    Control::back_button,       Control::Zero_games_won,
            Control::one_player_button, Control::two_player_button, Control::no_player_button,
            Control::step_button,       Control::back_button,       Control::run_button};
        QTest::mouseClick(widget(controls[pick(0, std::size(controls) - 1)]), Qt::LeftButton);
    }

    // Every menu command but Exit. The sound is switched back off at once, as a refused press
    // with sound on waits for its cue to end.
    void trigger_menu_item() {
        const char* items[] = {"sound_menu", "novice_menu", "advanced_menu",
                               "save_menu",  "q_help_menu", "about_menu"};
        const char* item = items[pick(0, std::size(items) - 1)];
        auto* action = app::main_window->findChild<QAction*>(item);
        action->trigger();
        if (engine::sound_on) action->trigger();
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    std::mt19937 random_;
    int events_left_;
    int depth_ = 0;
};

int monkey_events() {
    const QByteArray events = qgetenv("VELLOX_MONKEY_EVENTS");
    return events.isEmpty() ? 4000 : std::max(1, events.toInt());
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowAndTheGameAgreeAfterEveryEvent() {
        const QString settings = QCoreApplication::applicationDirPath() + "/VELLOX.INI";
        QFile::remove(settings);
        app::set_up_application();
        app::MainWindow window;
        app::Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        engine::sound_on = false;
        window.timer().setInterval(1); // the pace of a run does not matter here
        for (unsigned seed : {1u, 2u}) {
            Monkey monkey(seed, monkey_events() / 2);
            QEventLoop until_finished;
            monkey.on_finished = [&until_finished] { until_finished.quit(); };
            QTimer::singleShot(600000, &until_finished, &QEventLoop::quit);
            monkey.start();
            until_finished.exec();
            QVERIFY(monkey.finished);
            QVERIFY2(monkey.fault.isEmpty(), qPrintable(monkey.fault));
            qInfo("seed %u: %d events inside other handlers, %d during runs, %d after a win", seed,
                  monkey.nested, monkey.during_runs, monkey.after_wins);
            QVERIFY(monkey.nested > 0 && monkey.during_runs > 0 && monkey.after_wins > 0);
        }
        QFile::remove(settings);
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
