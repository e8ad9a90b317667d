// The real main window on Qt's offscreen platform: its controls, the drawn board, the menus and
// quitting, also from inside a wait for events.
#include "app/controller.h"
#include "app/qt/main_window.h"
#include "engine/game_state.h"
#include "engine/moves.h"
#include "gui_support.h"
#include "settings/qt/sound_qt.h"
#include "view/board_view.h"
#include "view/qt/board_surface.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <cstdio>

using app::Control;

namespace {

// The window's controls and their places in twips; inside the side panel and the frames the
// places are relative to them.
const struct {
    Control control;
    const char* caption;
    QRect twips;
} control_table[] = {
    {Control::Panel3D2, "", {45, 480, 2175, 5775}},
    {Control::Panel3D1, "V E L L O X", {120, 120, 1935, 495}},
    {Control::scode_lab, "TACTICS", {120, 660, 1935, 375}},
    {Control::moves_panel, "0", {540, 1140, 330, 330}},
    {Control::Label4, "Moves", {960, 1200, 855, 255}},
    {Control::Label2, "Games Won", {420, 1560, 1215, 255}},
    {Control::r_games_won, "0", {540, 1800, 330, 330}},
    {Control::g_games_won, "0", {1140, 1800, 330, 330}},
    {Control::Zero_games_won, "0", {1620, 1800, 375, 375}},
    {Control::Label5, "Red   Green", {480, 2160, 1095, 255}},
    {Control::r_taken, "0", {540, 2400, 330, 330}},
    {Control::g_taken, "0", {1140, 2400, 330, 330}},
    {Control::Label1, "Pairs Lost", {480, 2760, 1215, 255}},
    {Control::Frame3D1, "Mode", {120, 3000, 1875, 1095}},
    {Control::two_player_button, "Two Players", {120, 240, 1455, 255}},
    {Control::one_player_button, "One vs Comp", {120, 480, 1455, 255}},
    {Control::no_player_button, "Comp vs Comp", {120, 720, 1575, 255}},
    {Control::Frame3D5, "Computer Play", {120, 4080, 1875, 735}},
    {Control::run_button, "Run", {60, 240, 555, 375}},
    {Control::halt_button, "Halt", {660, 240, 555, 375}},
    {Control::step_button, "Step", {1260, 240, 555, 375}},
    {Control::restart_button, "Clear", {120, 4920, 615, 495}},
    {Control::back_button, "Back", {765, 4920, 615, 495}},
    {Control::quit_button, "Quit", {1440, 4920, 570, 495}},
};

QWidget* widget(Control control) { return app::main_window->control(control); }

QAction* action(const char* name) { return app::main_window->findChild<QAction*>(name); }

QString caption_of(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    return "";
}

int distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

QImage board_picture() { return app::main_window->centralWidget()->grab().toImage(); }

QString settings_file() { return QCoreApplication::applicationDirPath() + "/VELLOX.INI"; }

// Run in a child process: a handler waits for events while a click on Quit, the Exit menu item
// or the window's close button is pending; the program must end inside the wait, cleanly.
int quit_while_waiting(const QString& how) {
    app::set_up_application();
    app::MainWindow window;
    app::Form_Load();
    window.show();
    QTimer::singleShot(0, [how] {
        if (how == "quit")
            QMetaObject::invokeMethod(static_cast<QAbstractButton*>(widget(Control::quit_button)),
                                      &QAbstractButton::click, Qt::QueuedConnection);
        else if (how == "exit")
            QMetaObject::invokeMethod(action("exit_menu"), &QAction::trigger, Qt::QueuedConnection);
        else
            QMetaObject::invokeMethod(app::main_window, &QWidget::close, Qt::QueuedConnection);
        platform::process_events();
        std::puts("went on after the wait");
        std::_Exit(3);
    });
    return QApplication::exec();
}

// Counts the presses that reach the watched widget itself.
struct PressCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        presses += event->type() == QEvent::MouseButtonPress;
        return false;
    }
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
    app::MainWindow* window_ = nullptr;

private slots:
    void initTestCase() {
        QFile::remove(settings_file());
        app::set_up_application();
        window_ = new app::MainWindow;
        app::Form_Load();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanupTestCase() {
        delete window_;
        QFile::remove(settings_file());
    }

    void controlsHaveTheirNamesCaptionsAndPlaces() {
        for (const auto& row : control_table) {
            const char* name = app::control_name(row.control);
            QWidget* control = widget(row.control);
            QCOMPARE(control->objectName(), QString(name));
            QCOMPARE(caption_of(control), QString(row.caption));
            QVERIFY2(near(control->geometry(), row.twips), name);
        }
        QCOMPARE(widget(Control::two_player_button)->parentWidget(), widget(Control::Frame3D1));
        QCOMPARE(widget(Control::step_button)->parentWidget(), widget(Control::Frame3D5));
        QCOMPARE(widget(Control::Panel3D2)->parentWidget(), window_->centralWidget());
        QVERIFY(window_->timer().interval() == 500 && !window_->timer().isActive());
    }

    void windowIsCentredFixedAndHasItsMenus() {
        QCOMPARE(window_->windowTitle(), QString("Vellox"));
        QCOMPARE(window_->centralWidget()->size(), QSize(565, 418));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        const QRect screen = window_->screen()->geometry();
        QCOMPARE(window_->pos(), QPoint((screen.width() - window_->width()) / 2,
                                        (screen.height() - window_->height()) / 2));
        QStringList menus;
        for (QAction* menu : window_->menuBar()->actions()) menus << menu->text();
        QCOMPARE(menus, QStringList({"&File", "&Options", "&Help"}));
        const std::pair<const char*, const char*> items[] = {
            {"exit_menu", "&Exit"},          {"sound_menu", "&Sound on"},
            {"novice_menu", "&Novice"},      {"advanced_menu", "&Advanced"},
            {"save_menu", "S&ave Settings"}, {"q_help_menu", "&Vellox Help"},
            {"about_menu", "&About..."}};
        for (const auto& [name, caption] : items) QCOMPARE(action(name)->text(), QString(caption));
    }

    // The icon is an SVG drawing: without Qt's SVG plugin the window would show none.
    void windowShowsTheProgramIcon() {
        const QImage icon = window_->windowIcon().pixmap(32).toImage();
        QVERIFY(!icon.isNull());
        const QColor red_stone = icon.pixelColor(16, 16);
        QVERIFY(red_stone.red() > 150 && red_stone.green() < 120 && red_stone.blue() < 120);
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
    }

    void boardIsDrawnOnceAndKept() {
        const QImage board = board_picture();
        const QColor ink = view::BoardSurface::foreground();
        const QColor ground = view::BoardSurface::background();
        QCOMPARE(board.pixelColor(244, 109), ink); // column 5, between rows 5 and 6
        QCOMPARE(board.pixelColor(246, 109), ground);
        QCOMPARE(board.pixelColor(300, 256), ink); // row 12
        for (QPoint frame : {QPoint(300, 7), QPoint(561, 200), QPoint(300, 415), QPoint(153, 200)})
            QCOMPARE(board.pixelColor(frame), QColor(255, 255, 0));
        // The centre circle runs between the lines through the centre point (357, 211).
        QVERIFY(distance(board.pixelColor(359, 209), ground) > 60);
        QCOMPARE(board.pixelColor(363, 205), ground);
        window_->centralWidget()->repaint();
        QCOMPARE(board_picture(), board);
    }

    void stoneSitsCentredOnItsPointUntilTheNextGame() {
        QVERIFY(engine::try_move(2, 2));
        const QWidget* stone = window_->centralWidget()->findChild<QWidget*>("g_stone_1");
        QVERIFY(stone && stone->isVisible());
        QCOMPARE(stone->geometry(), QRect(160, 13, 32, 32));
        const QColor centre = board_picture().pixelColor(176, 29);
        QVERIFY(centre.green() > 100 && centre.green() > centre.red() + 50);
        engine::move_count = 1;
        app::new_game();
        QVERIFY(!window_->centralWidget()->findChild<QWidget*>("g_stone_1"));
    }

    void modeOptionsKeepOneSelection() {
        const Control modes[] = {Control::two_player_button, Control::no_player_button,
                                 Control::one_player_button};
        const int mode_values[] = {engine::two_players, engine::comp_vs_comp, engine::one_vs_comp};
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(widget(modes[i]), Qt::LeftButton);
            QCOMPARE(engine::game_mode, mode_values[i]);
            for (Control other : modes)
                QCOMPARE(static_cast<QAbstractButton*>(widget(other))->isChecked(),
                         other == modes[i]);
        }
        QVERIFY(!widget(Control::run_button)->isEnabled());
    }

    void optionsMenuChecksFollowTheClicksAndSaveWritesTheFile() {
        QVERIFY(action("sound_menu")->isChecked() && action("advanced_menu")->isChecked());
        action("sound_menu")->trigger();
        QVERIFY(!action("sound_menu")->isChecked() && !engine::sound_on);
        action("novice_menu")->trigger();
        action("novice_menu")->trigger();
        QVERIFY(action("novice_menu")->isChecked() && !action("advanced_menu")->isChecked());
        action("save_menu")->trigger();
        QFile saved(settings_file());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("[OPTIONS]\nSkill=NOV\nSound=OFF\n"));
        action("sound_menu")->trigger();
        action("advanced_menu")->trigger();
        QVERIFY(action("sound_menu")->isChecked() && !action("novice_menu")->isChecked());
    }

    // Presses on the side panel's status panels, labels, frames and a disabled button never
    // reach the panel; a press on its bare part does and gives the refusal cue.
    void pressesOnlyCountOnTheBareSidePanel() {
        QWidget* panel = widget(Control::Panel3D2);
        PressCounter counter;
        panel->installEventFilter(&counter);
        QVERIFY(!widget(Control::back_button)->isEnabled());
        for (Control control : {Control::moves_panel, Control::Label2, Control::Frame3D1,
                                Control::back_button, Control::one_player_button}) {
            QTest::mouseClick(widget(control), Qt::LeftButton, {}, QPoint(3, 3));
            QVERIFY2(counter.presses == 0, app::control_name(control));
        }
        const QString cue =
            QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../media/put_piece.wav");
        platform::play_sound(cue.toStdString(), 1);
        QTRY_COMPARE(sound::last_source(), QUrl::fromLocalFile(cue));
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(4, 90));
        QCOMPARE(counter.presses, 1);
        QTRY_COMPARE(sound::last_source(), sound::alert_url()); // no bad.wav beside the test
    }

    void quitExitAndCloseEndTheProgramAlsoInsideAWait() {
        for (const char* how : {"quit", "exit", "close"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {QString("--quit-while-waiting=") + how});
            QVERIFY(child.waitForFinished(20000));
            const QByteArray output = child.readAll();
            QVERIFY2(!output.contains("went on"), how);
            QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, how);
        }
    }

    // Pictures for a person to look at: the window at start-up at normal and double scale, and
    // stones of both sides with the win markers.
    void screenshots() {
        app::new_game();
        const QString dir = QCoreApplication::applicationDirPath() + "/screenshots";
        QDir().mkpath(dir);
        QVERIFY(window_->grab().save(dir + "/start-up.png"));
        QVERIFY(grab_at_double_scale(window_).save(dir + "/start-up@2x.png"));
        for (int k = 1; k <= 6; ++k) view::place_stone_image(k % 2 ? 1 : 2, k, 8 + k, 9 + k % 2);
        for (int i = 1; i <= 5; ++i) view::place_marker(i, 8 + 2 * i - 1, 10);
        view::set_turn_indicator(2);
        QVERIFY(grab_at_double_scale(window_).save(dir + "/pictures@2x.png"));
        view::remove_markers();
        engine::move_count = 6;
        app::new_game();
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString scenario = "--quit-while-waiting=";
    if (argc > 1 && QString(argv[1]).startsWith(scenario))
        return quit_while_waiting(QString(argv[1]).mid(scenario.size()));
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
