// Games played on the real window offscreen, with mouse clicks on the board and the buttons
// only, as a person plays them.
#include "app/controller.h"
#include "app/qt/main_window.h"
#include "engine/game_state.h"
#include "gui_support.h"
#include "view/board_view.h"
#include "view/qt/twips.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QTest>

#include <cstdio>

using app::Control;

namespace {

QWidget* widget(Control control) { return app::main_window->control(control); }

void click(Control control) { QTest::mouseClick(widget(control), Qt::LeftButton); }

QString caption(Control panel) { return static_cast<QLabel*>(widget(panel))->text(); }

bool enabled(Control control) { return widget(control)->isEnabled(); }

// A click at the pixel nearest to a grid point, delivered to whatever lies there, as a
// person's click would be: a stone, a marker or the bare board.
void click_point(int x, int y) {
    QWidget* board = app::main_window->centralWidget();
    const QPoint at(view::to_pixels(view::point_left(x)), view::to_pixels(view::point_top(y)));
    QWidget* target = board->childAt(at) ? board->childAt(at) : board;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(board, at));
}

QString screenshot(const char* name) {
    const QString dir = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(dir);
    return dir + "/" + name;
}

QWidget* stone(const char* array, int number) {
    return app::main_window->centralWidget()->findChild<QWidget*>(
        QStringLiteral("%1_%2").arg(array).arg(number));
}

// Run in a child process: Quit is clicked during the delay of a run; the program must end
// there with success, and the run must not go on.
int quit_during_run() {
    app::set_up_application();
    app::MainWindow window;
    app::Form_Load();
    window.show();
    click(Control::no_player_button);
    QTimer::singleShot(700, [] { click(Control::quit_button); });
    click(Control::run_button);
    std::puts("went on after the run");
    return 3;
}

} // namespace

class PlayWindowTest : public QObject {
    Q_OBJECT
    app::MainWindow* window_ = nullptr;

private slots:
    void initTestCase() {
        app::set_up_application();
        window_ = new app::MainWindow;
        app::Form_Load();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        engine::sound_on = false;
    }

    void cleanupTestCase() { delete window_; }

    void init() { click(Control::restart_button); }

    // The person plays points that never touch, far from the centre, so the computer wins.
    void oneVsCompPlayedToAWin() {
        click(Control::one_player_button);
        MessageCatcher messages;
        for (int i = 0; i < 81 && !engine::game_over; ++i) {
            const int x = 2 + 2 * (i % 9), y = 2 + 2 * (i / 9);
            if (engine::cell(x, y).color == engine::empty) click_point(x, y);
        }
        QVERIFY(engine::game_over);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts[0].startsWith("RED WINS "), qPrintable(messages.texts[0]));
        QCOMPARE(caption(Control::r_games_won), QString("1"));
        QCOMPARE(caption(Control::moves_panel), QString::number(engine::move_count));
        for (Control off : {Control::back_button, Control::run_button, Control::halt_button,
                            Control::step_button})
            QVERIFY(!enabled(off));
        const int moves = engine::move_count;
        click_point(3, 17);
        QCOMPARE(engine::move_count, moves);
        QVERIFY(window_->grab().save(screenshot("one-vs-comp-won.png")));
    }

    void twoPlayersWithACaptureAndBacks() {
        click(Control::two_player_button);
        for (auto [x, y] : {std::pair{5, 10}, {6, 10}, {10, 3}, {7, 10}, {8, 10}})
            click_point(x, y);
        QCOMPARE(caption(Control::r_taken), QString("1"));
        QCOMPARE(caption(Control::moves_panel), QString("5"));
        QVERIFY(!stone("r_stone", 2)->isVisible() && !stone("r_stone", 4)->isVisible());
        QVERIFY(window_->grab().save(screenshot("two-players-capture.png")));
        click(Control::back_button);
        QCOMPARE(caption(Control::r_taken), QString("0"));
        QVERIFY(stone("r_stone", 2)->isVisible() && stone("r_stone", 4)->isVisible());
        QVERIFY(!stone("g_stone", 5));
        QCOMPARE(caption(Control::moves_panel), QString("4"));
        click_point(8, 10);
        QCOMPARE(caption(Control::r_taken), QString("1"));
        for (int back = 0; back < 5; ++back) click(Control::back_button);
        QCOMPARE(engine::move_count, 0);
        QVERIFY(!enabled(Control::back_button));
        QCOMPARE(caption(Control::moves_panel), QString("0"));
    }

    // The window's own double click: press, release, double click, release.
    void markersAnswerClicksAndStonesSwallowPresses() {
        click(Control::two_player_button);
        MessageCatcher messages;
        for (int x = 3; x <= 6; ++x) {
            click_point(x, 3);
            click_point(x, 5);
        }
        click_point(4, 5); // on a stone: nothing happens
        QCOMPARE(engine::move_count, 8);
        click_point(7, 3);
        QVERIFY(engine::game_over);
        QCOMPARE(messages.texts, QStringList{"GREEN WINS WITH FIVE IN A ROW"});
        QWidget* marker = stone("x_image", 3);
        QVERIFY(marker && marker->isVisible());
        click_point(5, 3);
        QVERIFY(stone("r_stone", 0)->isVisible() && !stone("g_stone", 0)->isVisible());
        const QPointF centre(marker->width() / 2.0, marker->height() / 2.0);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, centre, marker->mapToGlobal(centre), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(marker, &event);
        }
        QVERIFY2(stone("g_stone", 0)->isVisible(), "a double click is one click");
        QCOMPARE(engine::move_count, 9);
    }

    void compVsCompRunPlaysToTheEnd() {
        click(Control::no_player_button);
        MessageCatcher messages;
        window_->timer().setInterval(5); // the pace does not matter here
        click(Control::run_button);
        window_->timer().setInterval(500);
        QVERIFY(engine::game_over);
        QCOMPARE(messages.texts.size(), 1);
        QCOMPARE(caption(Control::moves_panel), QString::number(engine::move_count));
        QCOMPARE(caption(Control::scode_lab), QString::fromStdString(engine::strategy_code));
        for (Control off :
             {Control::back_button, Control::run_button, Control::halt_button, Control::step_button,
              Control::one_player_button, Control::two_player_button})
            QVERIFY(!enabled(off));
        QVERIFY(!window_->timer().isActive());
        QVERIFY(grab_at_double_scale(window_).save(screenshot("comp-vs-comp-won@2x.png")));
        click(Control::restart_button);
        QVERIFY(enabled(Control::run_button) && enabled(Control::step_button));
    }

    // Halt is clicked in the delay after the second move, when that delay's tick comes.
    void haltStopsARun() {
        click(Control::no_player_button);
        int ticks = 0;
        auto halt = connect(&window_->timer(), &QTimer::timeout, [&ticks] {
            if (++ticks == 2) click(Control::halt_button);
        });
        click(Control::run_button);
        disconnect(halt);
        QVERIFY(!engine::running && !engine::game_over);
        QCOMPARE(engine::move_count, 2);
        QCOMPARE(caption(Control::moves_panel), QString::number(engine::move_count));
        for (Control on : {Control::back_button, Control::run_button, Control::step_button,
                           Control::one_player_button, Control::two_player_button})
            QVERIFY(enabled(on));
        QVERIFY(!enabled(Control::halt_button));
        const int moves = engine::move_count;
        QTest::qWait(700);
        QCOMPARE(engine::move_count, moves);
        QVERIFY(!window_->timer().isActive());
    }

    void quitDuringARunEndsTheProgram() {
        QProcess child;
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"--quit-during-run"});
        QVERIFY(child.waitForFinished(20000));
        QVERIFY(!child.readAll().contains("went on"));
        QVERIFY(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0);
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc > 1 && QString(argv[1]) == "--quit-during-run") return quit_during_run();
    PlayWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "play_window_test.moc"
