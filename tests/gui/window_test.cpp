// The real program on Qt's offscreen platform: the window, its menus and board as approved, a
// game by mouse and keyboard, quitting from inside a wait, the sound player, the help viewer and
// the About window, and a seeded monkey whose thousands of presses and clicks land anywhere, also
// inside runs and between a move and its answer, with the game and the window agreeing after each.
// As a desktop shows it: the keyboard never caught, the board alone in its accessible table, and
// in child runs the contrast of every text under a dark and a light palette and the evenness of
// the grid at every screen scale from 1 to 3.
#include "app/controller.h"
#include "app/qt/main_window.h"
#include "gui/desktop_checks.h"
#include "gui_support.h"
#include "help/help_platform.h"
#include "settings/settings.h"
#include "sound/qt/sound_qt.h"
#include "sound/sound_platform.h"
#include "support/approval.h"
#include "support/invariants.h"
#include "view/board_view.h"
#include "view/qt/board_surface.h"
#include "view/qt/twips.h"

#include <QAccessible>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QHelpContentWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

#include <sys/stat.h>

using app::Control;

namespace {

const QString media_dir = QStringLiteral(VELLOX_MEDIA_DIR);
const QString compiled_help = QStringLiteral(VELLOX_HELP_FILE);

QWidget* widget(Control control) { return app::main_window->control(control); }
QAction* action(const char* name) { return app::main_window->findChild<QAction*>(name); }
bool enabled(Control control) { return widget(control)->isEnabled(); }
void click(Control control) { QTest::mouseClick(widget(control), Qt::LeftButton); }
QString caption(Control panel) { return static_cast<QLabel*>(widget(panel))->text(); }

QWidget* picture(const char* array, int number) {
    return app::main_window->findChild<QWidget*>(QStringLiteral("%1_%2").arg(array).arg(number));
}

// What lies at a pixel of the client area: a stone, a marker, a control of the side panel over
// the board, or the bare board.
QWidget* widget_at(QPoint at) {
    QWidget* board = app::main_window->centralWidget();
    QWidget* found = app::main_window->childAt(board->mapTo(app::main_window, at));
    return found ? found : board;
}

// A press at a pixel of the client area, delivered to whatever lies there.
void click_at(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* target = widget_at(at);
    QTest::mouseClick(target, button, {},
                      target->mapFrom(app::main_window, app::main_window->centralWidget()->mapTo(
                                                            app::main_window, at)));
}

// Where a grid point lies on the client area scaled by the factor from its top left corner.
QPoint point_pixel(int x, int y, double factor = 1, QPoint corner = {}) {
    return corner + QPoint(qRound(view::point_left(x) * factor / view::twips_per_pixel),
                           qRound(view::point_top(y) * factor / view::twips_per_pixel));
}

void click_point(int x, int y, double factor = 1, QPoint corner = {}) {
    click_at(point_pixel(x, y, factor, corner));
}

// The actions of a widget or menu, with the actions of their menus under them.
QString describe_actions(QWidget* owner, int depth) {
    QString lines;
    for (QAction* item : owner->actions()) {
        const QString key = item->shortcut().toString();
        lines += QStringLiteral("\n%1[%2 \"%3\"%4%5]")
                     .arg(QString(depth * 2, ' '), item->objectName(), item->text(),
                          item->isChecked() ? " checked" : "", key.isEmpty() ? "" : " " + key);
        if (item->menu()) lines += describe_actions(item->menu(), depth + 1);
    }
    return lines;
}

// Every widget under root with its class, name, place, text and state, indented by depth.
QString describe(QWidget* root, int depth = 0) {
    QString text = root->isWindow() ? root->windowTitle() : QString();
    if (auto* label = qobject_cast<QLabel*>(root)) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(root)) text = button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(root)) text = frame->title();
    const QRect r = root->geometry();
    const auto number = [](int n) { return QString::number(n); };
    QString line =
        QStringLiteral("%1%2 %3 %4,%5 %6x%7 \"%8\"")
            .arg(QString(depth * 2, ' '), root->metaObject()->className(), root->objectName(),
                 number(r.x()), number(r.y()), number(r.width()), number(r.height()), text);
    line += root->isEnabled() ? "" : " disabled";
    line += root->isVisibleTo(root->window()) ? "" : " hidden";
    line += root->font().bold() ? " bold" : "";
    line += root->toolTip().isEmpty() ? "" : " tip \"" + root->toolTip() + "\"";
    line += qobject_cast<QLabel*>(root)
                ? " ink " + root->palette().color(QPalette::WindowText).name()
                : QString();
    if (auto* button = qobject_cast<QAbstractButton*>(root); button && button->isChecked())
        line += " checked";
    line += describe_actions(root, depth + 1);
    for (QObject* child : root->children())
        if (auto* widget = qobject_cast<QWidget*>(child);
            widget && !widget->isWindow() && !widget->objectName().startsWith("qt_"))
            line += "\n" + describe(widget, depth + 1);
    return line;
}

// The bounds of the pixels that pass the test, empty when none does.
QRect pixels_where(const QImage& image, const std::function<bool(QColor)>& test) {
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixelColor(x, y))) found |= QRect(x, y, 1, 1);
    return found;
}

QRect on_screen(QWidget* widget) { return QRect(widget->mapToGlobal(QPoint()), widget->size()); }

// The picture against the approved one, exactly; VELLOX_APPROVE=1 approves it.
bool looks_approved(const QImage& picture, const QString& name) {
    const QString file = QStringLiteral(VELLOX_GOLDEN_DIR "/") + name;
    if (qEnvironmentVariableIsSet("VELLOX_APPROVE")) picture.save(file);
    return QImage(file).convertToFormat(QImage::Format_ARGB32) ==
           picture.convertToFormat(QImage::Format_ARGB32);
}

QByteArray le(qint64 value, int bytes) {
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i) out[i] = static_cast<char>(value >> (8 * i));
    return out;
}

// A WAV whose header says encoding, channels, rate and bits, with a chunk to be skipped and a
// data chunk that declares declared bytes of sound and holds held of them, all by default.
QByteArray wav(int encoding, int channels, int rate, int bits, qint64 declared, qint64 held = -1) {
    const int align = channels * bits / 8;
    const QByteArray chunks = "fmt " + le(16, 4) + le(encoding, 2) + le(channels, 2) + le(rate, 4) +
                              le(qint64(rate) * align, 4) + le(align, 2) + le(bits, 2) + "LIST" +
                              le(6, 4) + "INFOab" + "data" + le(declared, 4) +
                              QByteArray(held < 0 ? declared : held, '\x40');
    return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

// The file written, made size bytes long when size is given.
QString write_file(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes,
                   qint64 size = 0) {
    QFile out(dir.filePath(name));
    const bool written = out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    return written && (size == 0 || out.resize(size)) ? out.fileName() : QString();
}

// What the window shows against the game's state, whatever the order of events: the pictures,
// the panels (the moves panel and the pointer only when no handler is under way) and the
// buttons that the enable table rules out.
QString window_fault(bool idle) {
    using namespace engine;
    const Game& game = app::game;
    for (auto [array, last] : {std::pair{view::ImageArray::g_stone, game.move_count + 1},
                               {view::ImageArray::r_stone, game.move_count + 1},
                               {view::ImageArray::x_image, 5}})
        for (int index = 0; index <= last; ++index) {
            const view::ImageElement* state = view::image(array, index);
            const view::PictureElement* shown = view::board_surface->element(array, index);
            const QString name = QStringLiteral("%1 %2").arg(view::array_name(array)).arg(index);
            if (!state != !shown) return name + " exists wrongly";
            if (state && state->visible != shown->isVisible()) return name + " shown wrongly";
            if (state && state->visible &&
                shown->pos() != view::board_surface->zoom().at(QPoint(state->left, state->top)))
                return name + " misplaced";
        }
    if (caption(Control::r_taken).toInt() != game.pairs_taken[0] ||
        caption(Control::g_taken).toInt() != game.pairs_taken[1] ||
        caption(Control::r_games_won).toInt() != game.games_won[1] ||
        caption(Control::g_games_won).toInt() != game.games_won[0])
        return "score panels";
    if (idle && caption(Control::moves_panel).toInt() != game.move_count) return "moves panel";
    if (idle && app::main_window->cursor().shape() == Qt::WaitCursor) return "busy pointer left";
    for (Control control :
         {Control::back_button, Control::run_button, Control::halt_button, Control::step_button})
        if (enabled(control) &&
            (game.game_over || (game.game_mode == one_vs_comp && control != Control::back_button)))
            return QString(app::control_name(control)) + " enabled";
    if (game.running &&
        (enabled(Control::one_player_button) || enabled(Control::two_player_button)))
        return "mode buttons during a run";
    for (Control control : {Control::restart_button, Control::quit_button, Control::Zero_games_won,
                            Control::no_player_button})
        if (!enabled(control)) return QString(app::control_name(control)) + " disabled";
    return {};
}

class Monkey : public QObject {
public:
    Monkey(unsigned seed, int events) : random_(seed), events_left_(events) {}

    // Plays until the events are used up or a fault is found, then winds down.
    void play() {
        post_next();
        until_finished_.exec();
    }

    QString fault;
    // How often the monkey acted inside another handler, during a run and after a win.
    int nested = 0, during_runs = 0, after_wins = 0;

private:
    // The next event is on its way before this one is handled, due within milliseconds, so that
    // it often lands inside whatever waits for events: a run's delay, the gap before the
    // computer's answer, a message box.
    void post_next() {
        QTimer::singleShot(pick(0, 2), this, [this] { step(); });
    }

    void step() {
        if (!fault.isEmpty() || events_left_ <= 0) return wind_down();
        --events_left_;
        nested += ++depth_ > 1;
        during_runs += app::game.running && !app::game.game_over;
        after_wins += app::game.game_over;
        post_next();
        const bool answered_a_box = act();
        check(depth_-- == 1, answered_a_box);
    }

    // Ends every run and handler still under way, then stops.
    void wind_down() {
        if (depth_ == 0) {
            check(true);
            return until_finished_.quit();
        }
        ++depth_;
        if (!dismiss_modal()) click(Control::restart_button);
        --depth_;
        post_next();
    }

    // A win's message box is answered before the rest of the win reaches the window: the score
    // and the buttons catch up with the game once the box's handler returns, and are checked
    // then.
    void check(bool idle, bool answered_a_box = false) {
        if (!fault.isEmpty()) return;
        fault = QString::fromStdString(invariants::first_fault(app::game));
        if (fault.isEmpty() && !answered_a_box) fault = window_fault(idle);
        if (!fault.isEmpty()) fault += QStringLiteral(" (%1 events left)").arg(events_left_);
    }

    // A person facing a modal box can only answer it.
    bool dismiss_modal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Ok)->click();
        else if (modal)
            modal->close();
        return modal;
    }

    // Mostly presses on the board; Quit and Exit are left out, since they end the program. The
    // sound goes off again at once, as a refused press waits for its cue to end.
    // True when all it did was answer a modal box.
    bool act() {
        const Control controls[] = {
            Control::run_button,        Control::halt_button,       Control::step_button,
            Control::restart_button,    Control::back_button,       Control::Zero_games_won,
            Control::one_player_button, Control::two_player_button, Control::no_player_button};
        const char* items[] = {"sound_menu", "novice_menu", "advanced_menu", "expert_menu",
                               "save_menu",  "q_help_menu", "about_menu",    "hint_menu"};
        const int kind = pick(0, 99);
        if (dismiss_modal()) return true;
        if (kind < 55) {
            const QRect area = view::board_surface->zoom().area();
            const QPoint at =
                area.topLeft() + QPoint(pick(kind < 40 ? 150 : 0, 564) * area.width() / 565,
                                        pick(0, 417) * area.height() / 418);
            if (widget_at(at) != widget(Control::quit_button))
                click_at(at, kind % 5 ? Qt::LeftButton : Qt::RightButton);
        } else if (kind < 90) {
            click(controls[pick(0, std::size(controls) - 1)]);
        } else {
            QAction* item = action(items[pick(0, std::size(items) - 1)]);
            item->trigger();
            if (settings::sound_on) item->trigger();
        }
        return false;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::mt19937 random_;
    int events_left_;
    int depth_ = 0;
    QEventLoop until_finished_;
};

// What a child run of this test program ended with: its exit code, -1 when it crashed or took
// too long, and all it printed.
struct ChildRun {
    int code;
    QByteArray output;
};

// This test program run with the argument, from its copy when given, in this environment with
// the changes asked for: "NAME=value" sets a variable, a bare name removes it.
ChildRun run_child(const QString& argument, const QStringList& changes = {},
                   const QString& program = QCoreApplication::applicationFilePath()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& change : changes) {
        const qsizetype equals = change.indexOf('=');
        if (equals < 0)
            environment.remove(change);
        else
            environment.insert(change.left(equals), change.mid(equals + 1));
    }
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, {argument});
    const bool ended = child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit;
    return {ended ? child.exitCode() : -1, child.readAll()};
}

// Fails the test unless the child run ends with 0 and prints nothing, as the program prints
// nothing; a child that checks prints its faults.
void ends_cleanly(const QString& argument, const QStringList& changes = {},
                  const QString& program = QCoreApplication::applicationFilePath()) {
    const ChildRun run = run_child(argument, changes, program);
    QVERIFY2(run.code == 0 && run.output.isEmpty(),
             qPrintable(QStringLiteral("%1 %2 ended with %3: %4")
                            .arg(argument, changes.join(' '))
                            .arg(run.code)
                            .arg(QString::fromLocal8Bit(run.output))));
}

// Run in a child process: the checks on the main window as the program starts it, their faults
// printed one a line; exits with 0 when there are none.
int check_started_window(const std::function<QStringList()>& checks) {
    app::MainWindow window;
    app::set_up_application();
    app::Form_Load();
    window.show();
    const QStringList faults = QTest::qWaitForWindowExposed(&window)
                                   ? checks()
                                   : QStringList{"the window was never shown"};
    for (const QString& fault : faults) std::printf("%s\n", qPrintable(fault));
    return faults.isEmpty() ? 0 : 1;
}

// At the screen scale that QT_SCALE_FACTOR sets: the board's grid, as the window draws it.
int board_lines() {
    return check_started_window([] {
        return desktop_checks::grid_faults(app::main_window->centralWidget()->grab().toImage());
    });
}

// On a desktop with a dark palette or a light one: the contrast of every text of the program's
// own colors, on the window and in its other windows.
int contrast_under(const QString& palette) {
    QApplication::setPalette(palette == "dark" ? desktop_checks::dark_palette()
                                               : QApplication::style()->standardPalette());
    return check_started_window([] { return desktop_checks::contrast_faults(compiled_help); });
}

// Run in a child process: Quit, the Exit menu item or the window's close button is clicked
// while a handler waits for events, or Quit in the delay of a run. The program must end
// inside the wait, with success.
int quit_while_waiting(const QString& how) {
    app::set_up_application();
    app::MainWindow window;
    app::Form_Load();
    window.show();
    QTimer::singleShot(0, [how] {
        QTimer::singleShot(how == "run" ? 700 : 0, [how] {
            if (how == "exit") action("exit_menu")->trigger();
            if (how == "close") app::main_window->close();
            if (how == "quit" || how == "run") click(Control::quit_button);
        });
        if (how == "run") click(Control::no_player_button);
        if (how == "run") click(Control::run_button);
        app::process_events();
        std::_Exit(3); // went on after the wait
    });
    return QApplication::exec();
}

// Run in a child process from a folder with a broken sound module and no help module: the cues
// are silent, Help shows nothing, a warning of Qt's is not printed, and the program goes on.
// Exits with 0 when it all held.
int without_modules() {
    qWarning("a warning of Qt's");
    app::set_up_application();
    app::MainWindow window;
    window.show();
    for (int flags : {0, 1}) sound::play_sound((media_dir + "/put_piece.wav").toStdString(), flags);
    help::show_help_topic(compiled_help.toStdString(), "Introduction");
    QTest::qWait(300);
    return window.help_viewer || !sound::last_source().isEmpty();
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
    app::MainWindow* window_ = nullptr;
    QTemporaryDir dir;
    const QString settings_file = QCoreApplication::applicationDirPath() + "/VELLOX.INI";
    const QString help_beside_test = QCoreApplication::applicationDirPath() + "/vellox.qch";

private slots:
    void initTestCase() {
        QFile::remove(settings_file);
        QFile::remove(help_beside_test);
        QVERIFY(QFile::copy(compiled_help, help_beside_test));
        app::set_up_application();
        window_ = new app::MainWindow;
        app::Form_Load();
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }

    void cleanupTestCase() {
        delete window_;
        QFile::remove(settings_file);
        QFile::remove(help_beside_test);
    }

    void controlsMenusAndBoardAreAsApproved() {
        QCOMPARE(QApplication::focusWidget(), window_->centralWidget());
        const std::string fault = approval_fault(describe(window_).toStdString(), "window.txt");
        QVERIFY2(fault.empty(), fault.c_str());
        for (int k = 1; k <= 6; ++k) view::place_stone_image(k % 2 ? 1 : 2, k, 8 + k, 9 + k % 2);
        for (int i = 1; i <= 5; ++i) view::place_marker(i, 8 + 2 * i - 1, 10);
        const QImage board = window_->centralWidget()->grab(QRect(150, 0, 415, 418)).toImage();
        view::remove_markers();
        app::game.move_count = 6;
        app::new_game();
        QVERIFY(looks_approved(board, "board.png"));
    }

    // The keyboard is never caught in the side panel. Tab leads from the board into it, reaches
    // the mode options at the checked one and leaves them at the next control; within them the
    // arrows choose. A click on an option or a button leaves the keys where they were, with the
    // board, whose cursor they go on moving.
    void theKeyboardIsNeverCaughtInTheSidePanel() {
        const auto focus = [] { return QApplication::focusWidget(); };
        const auto checked = [](Control option) {
            return static_cast<QRadioButton*>(widget(option))->isChecked();
        };
        QWidget* board = window_->centralWidget();
        board->setFocus();
        // From the options, Tab passes over Run, Halt and Step while they are disabled.
        for (auto [key, lands] : {std::pair{Qt::Key_Tab, Control::Zero_games_won},
                                  {Qt::Key_Tab, Control::one_player_button},
                                  {Qt::Key_Tab, Control::restart_button},
                                  {Qt::Key_Backtab, Control::one_player_button},
                                  {Qt::Key_Down, Control::no_player_button},
                                  {Qt::Key_Tab, Control::run_button},
                                  {Qt::Key_Backtab, Control::no_player_button}}) {
            QTest::keyClick(focus(), key);
            QVERIFY2(focus() == widget(lands), app::control_name(lands));
        }
        QVERIFY(checked(Control::no_player_button));
        board->setFocus();
        const QPoint cursor = view::board_surface->cursor_point();
        for (Control control : {Control::two_player_button, Control::step_button,
                                Control::restart_button, Control::one_player_button}) {
            click(control);
            QCOMPARE(focus(), board);
        }
        QTest::keyClick(focus(), Qt::Key_Up);
        QTest::keyClick(focus(), Qt::Key_Left);
        QVERIFY(checked(Control::one_player_button));
        QCOMPARE(view::board_surface->cursor_point(), cursor - QPoint(1, 1));
        QTest::keyClick(focus(), Qt::Key_Home);
        app::new_game();
    }

    // To a screen reader the board is a table of its 361 points and nothing else; the side panel
    // and its controls lie beside it in the window, and the status line comes last.
    void theBoardsTableHoldsItsPointsAlone() {
        QAccessibleInterface* board =
            QAccessible::queryAccessibleInterface(window_->centralWidget());
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_);
        QCOMPARE(board->childCount(), 361);
        for (int i = 0; i < board->childCount(); ++i) {
            QAccessibleInterface* cell = board->child(i);
            QVERIFY(cell->role() == QAccessible::Cell && board->indexOfChild(cell) == i &&
                    cell->parent() == board);
        }
        QAccessibleInterface* panel =
            QAccessible::queryAccessibleInterface(widget(Control::side_panel));
        QVERIFY(panel->parent() == window && window->indexOfChild(panel) >= 0);
        QVERIFY(board->parent() == window && window->indexOfChild(board) >= 0);
        QAccessibleInterface* status = window->child(window->childCount() - 1);
        QVERIFY(status->role() == QAccessible::StatusBar && status->parent() == window);
    }

    // Under a dark desktop and a light one, every text of the program's own colors reads on what
    // lies behind it, a disabled one still looks disabled, and the side panel's marks and buttons
    // look like controls; the help pages follow the desktop. Each desktop is a child run, as the
    // palette is the desktop's from the start.
    void textsReadOnADarkDesktopAndOnALightOne() {
        for (const char* palette : {"dark", "light"})
            ends_cleanly(QStringLiteral("--contrast=") + palette);
    }

    // At every screen scale from 1 to 3, fractional ones included, the grid's lines are equally
    // wide in device pixels and evenly spaced to within a device pixel, its frame sharp and even.
    void theGridIsEvenAtEveryScreenScale() {
        for (int quarters = 4; quarters <= 12; ++quarters)
            ends_cleanly("--board-lines", {"QT_SCALE_FACTOR=" + QString::number(quarters / 4.0)});
    }

    void statusPanelsHoldTheirWidestTexts() {
        for (const auto& [panel, text] : {std::pair{Control::moves_panel, "188"},
                                          {Control::g_taken, "888"},
                                          {Control::scode_lab, "EXTEND CLOSED 3"}}) {
            app::set_caption(panel, text);
            const QImage image = widget(panel)->grab().toImage();
            const QRect ink = pixels_where(image, [](QColor c) { return c.hsvSaturation() > 120; });
            QVERIFY2(image.rect().adjusted(2, 2, -2, -2).contains(ink) && ink.width() >= 12, text);
        }
        app::new_game();
    }

    // The message of a win covers neither the stone just played nor the five markers, along a
    // row, a column and a diagonal, and for a win by pairs.
    void aWinsMessageLeavesTheLineInSight() {
        const struct {
            QPoint stone, first, step;
            int markers;
        } wins[] = {{{6, 10}, {2, 10}, {1, 0}, 5},
                    {{3, 2}, {3, 2}, {0, 1}, 5},
                    {{4, 16}, {2, 18}, {1, -1}, 5},
                    {{2, 12}, {}, {}, 0}};
        for (const auto& win : wins) {
            view::place_stone_image(1, 1, win.stone.x(), win.stone.y());
            QList<QWidget*> in_sight{picture("g_stone", 1)};
            for (int i = 1; i <= win.markers; ++i) {
                const QPoint at = win.first + (i - 1) * win.step;
                view::place_marker(i, at.x(), at.y());
                in_sight << picture("x_image", i);
            }
            QRect box;
            QTimer::singleShot(0, [&] {
                box = QApplication::activeModalWidget()->frameGeometry();
                QApplication::activeModalWidget()->close();
            });
            app::show_message("GREEN WINS WITH FIVE IN A ROW");
            QVERIFY(window_->screen()->availableGeometry().contains(box));
            for (QWidget* shown : in_sight)
                QVERIFY2(!box.intersects(on_screen(shown)), qPrintable(shown->objectName()));
            view::remove_stone_image(1, 1);
            if (win.markers) view::remove_markers();
        }
    }

    // The board has the keyboard first. The arrows move its cursor over the inner points only,
    // Home brings it back to the centre, and Enter or Space press there as a click does: on a
    // stone nothing happens, a marker answers. Each key of a button works while it is enabled.
    void theGameIsPlayedFromTheKeyboard() {
        click(Control::two_player_button);
        QWidget* board = window_->centralWidget();
        window_->activateWindow();
        QTRY_VERIFY(window_->isActiveWindow());
        board->setFocus();
        click(Control::restart_button);
        auto keys = [this](Qt::Key key, int times = 1, Qt::KeyboardModifiers with = {}) {
            for (int i = 0; i < times; ++i) QTest::keyClick(window_->focusWidget(), key, with);
        };
        keys(Qt::Key_Return);
        keys(Qt::Key_Left, 12);
        keys(Qt::Key_Up, 12);
        keys(Qt::Key_Space);
        keys(Qt::Key_Space); // on the stone just played
        QCOMPARE(app::game.cell(10, 10).color + 10 * app::game.cell(2, 2).color, 21);
        QCOMPARE(app::game.move_count, 2);
        keys(Qt::Key_Home);
        keys(Qt::Key_Down, 20);
        keys(Qt::Key_Right, 20);
        keys(Qt::Key_Enter);
        QCOMPARE(app::game.cell(18, 18).color, engine::green);
        // A button's key clicks it as the mouse does, the button seen pressed for a moment.
        for (auto [key, moves] : {std::pair{Qt::Key_Z, 2}, {Qt::Key_T, 3}, {Qt::Key_N, 0}}) {
            keys(key, 1, Qt::ControlModifier);
            QTRY_COMPARE(app::game.move_count, moves);
        }
        // Four in a row by mouse, the fifth by keyboard; then the marker on the fifth.
        for (auto [x, y] :
             {std::pair{6, 10}, {6, 12}, {7, 10}, {7, 12}, {8, 10}, {8, 12}, {9, 10}, {12, 15}})
            click_point(x, y);
        keys(Qt::Key_Home);
        keys(Qt::Key_Left, 5);
        MessageCatcher messages;
        keys(Qt::Key_Space);
        QTRY_COMPARE(messages.texts, QStringList{"GREEN WINS WITH FIVE IN A ROW"});
        QCOMPARE(caption(Control::g_games_won) + caption(Control::moves_panel), QString("19"));
        keys(Qt::Key_Right, 2);
        keys(Qt::Key_Space); // on a marker: the turn indicator turns
        QVERIFY(picture("r_stone", 0)->isVisible());
        // The second press of a double click on a marker is no second click.
        QWidget* marker = picture("x_image", 3);
        const QPointF centre(marker->width() / 2.0, marker->height() / 2.0);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, centre, marker->mapToGlobal(centre), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(marker, &event);
        }
        QVERIFY(picture("g_stone", 0)->isVisible() && !picture("r_stone", 0)->isVisible());
        click(Control::restart_button);
    }

    // The skill items are one choice, and Save writes the file anew with the sound. Expert thinks
    // beside the window and plays when done; the hint rings the point it would play and says it
    // in the status line, leaving the game as it was.
    void optionsAreSavedAndExpertPlaysAndHints() {
        const auto saved = [this] {
            action("save_menu")->trigger();
            QFile file(settings_file);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        action("sound_menu")->trigger();
        action("novice_menu")->trigger();
        action("novice_menu")->trigger();
        QVERIFY(!action("sound_menu")->isChecked() && !settings::sound_on);
        QVERIFY(action("novice_menu")->isChecked() && !action("advanced_menu")->isChecked());
        QCOMPARE(saved(), QByteArray("[OPTIONS]\nSkill=NOV\nSound=OFF\n"));
        window_->activateWindow();
        QTRY_VERIFY(window_->isActiveWindow());
        click(Control::two_player_button);
        click(Control::restart_button);
        action("expert_menu")->trigger();
        QVERIFY(action("expert_menu")->isChecked() && !action("novice_menu")->isChecked());
        QCOMPARE(saved(), QByteArray("[OPTIONS]\nSkill=EXP\nSound=OFF\n"));
        for (auto [x, y] : {std::pair{9, 9}, {10, 10}, {9, 10}}) click_point(x, y);
        click(Control::step_button);
        QTRY_COMPARE(app::game.move_count, 4);
        QCOMPARE(app::game.cur_color, engine::green);
        QVERIFY(!caption(Control::scode_lab).isEmpty());

        const engine::Game before = app::game;
        QVERIFY(action("hint_menu")->isEnabled());
        action("hint_menu")->trigger();
        const QString said = window_->statusBar()->currentMessage();
        const QRegularExpression hint(R"(Hint for GREEN: (\d+), (\d+), [A-Z0-9 ]+)");
        const QRegularExpressionMatch match = hint.match(said);
        QVERIFY2(match.hasMatch(), qPrintable(said));
        QCOMPARE(view::board_surface->cursor_point(),
                 QPoint(match.captured(1).toInt(), match.captured(2).toInt()));
        QTRY_VERIFY(view::board_surface->hasFocus());
        QVERIFY(window_->findChild<QWidget*>("board_cursor")->isVisible());
        QVERIFY(app::game == before);
        click(Control::step_button); // a move makes the hint out of date
        QTRY_COMPARE(app::game.move_count, 5);
        QVERIFY(window_->statusBar()->currentMessage().isEmpty());
        action("advanced_menu")->trigger();
        click(Control::restart_button);
    }

    // At any size the client area scales as one, centred: a press lands on the point aimed at,
    // stones and grid lines sit where the factor puts them, and every control grows alike. The
    // zoom keys step the window's size within the screen and back to the smallest.
    void theClientAreaScalesWithTheWindow() {
        QWidget* board = window_->centralWidget();
        const QPoint home = window_->pos();
        const QSize menus = window_->size() - board->size();
        // Where a control lies in its parent, the side panel's place taken from the board's.
        const auto place = [this, board](QWidget* control) {
            return control->geometry().translated(control->parentWidget() == window_ ? -board->pos()
                                                                                     : QPoint());
        };
        std::array<QRect, app::control_count> at_one;
        for (int i = 0; i < app::control_count; ++i)
            if (QWidget* control = widget(Control(i))) at_one[i] = place(control);
        click(Control::two_player_button);
        for (double factor : {1.0, 1.5, 2.37}) {
            const QSize client = (QSizeF(565, 418) * factor).toSize();
            window_->resize(client + menus + QSize(0, 30)); // margins above and below
            const QPoint corner(0, 15);
            QTRY_COMPARE(board->size(), client + QSize(0, 30));
            for (int i = 0; i < app::control_count; ++i) {
                QWidget* control = widget(Control(i));
                if (!control) continue;
                const QRect want(at_one[i].topLeft() * factor, at_one[i].size() * factor);
                const QRect got = place(control).translated(
                    control->parentWidget() == window_ ? -corner : QPoint());
                // Each edge within two pixels of where the factor puts it.
                QVERIFY2(want.adjusted(-2, -2, 2, 2).contains(got) &&
                             got.adjusted(-2, -2, 2, 2).contains(want),
                         app::control_name(Control(i)));
            }
            for (Control text : {Control::no_player_button, Control::step_button})
                QCOMPARE(widget(text)->font().pixelSize(), int(11 * factor));
            const auto mark = [](QWidget* option = nullptr) {
                return QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth,
                                                          nullptr, option);
            };
            QCOMPARE(mark(widget(Control::no_player_button)), qRound(mark() * factor));
            const int x = 3 + qRound(factor * 4), y = 4;
            click_point(x, y, factor, corner);
            QCOMPARE(app::game.cell(x, y).color, app::game.move_count % 2 ? 1 : 2);
            const QImage image = board->grab().toImage();
            const QColor stone = image.pixelColor(point_pixel(x, y, factor, corner));
            QVERIFY(stone.hsvSaturation() > 100 && stone.hue() < 200);
            const QPoint between = (point_pixel(x, y + 1, factor, corner) +
                                    point_pixel(x + 1, y + 2, factor, corner)) /
                                   2;
            const QPoint line(point_pixel(x + 1, y, factor, corner).x(), between.y());
            QCOMPARE(image.pixelColor(line), view::BoardSurface::foreground());
            QCOMPARE(image.pixelColor(1, 1), QApplication::palette().color(QPalette::Window));
        }
        window_->activateWindow(); // the keys are the window's
        QVERIFY(QTest::qWaitForWindowActive(window_));
        const QRect room = window_->screen()->availableGeometry();
        // Ctrl+= makes it the largest that fits.
        for (auto [key, size] : {std::pair{Qt::Key_0, QSize(565, 418)},
                                 {Qt::Key_Plus, QSize(706, 523)},
                                 {Qt::Key_Equal, QSize()},
                                 {Qt::Key_Minus, QSize(706, 523)},
                                 {Qt::Key_Minus, QSize(565, 418)}}) {
            QTest::keyClick(window_, key, Qt::ControlModifier);
            if (size.isValid())
                QTRY_COMPARE(board->size(), size);
            else
                QTRY_VERIFY(room.contains(window_->frameGeometry()) &&
                            (window_->frameGeometry().width() == room.width() ||
                             window_->frameGeometry().height() == room.height()));
        }
        // From maximised, Ctrl+0 takes the window back to where it was.
        window_->move(home + QPoint(30, 20));
        const QPoint before = window_->pos();
        window_->showMaximized();
        QTRY_VERIFY(window_->isMaximized() && board->width() > 565);
        QTest::keyClick(window_, Qt::Key_0, Qt::ControlModifier);
        QTRY_COMPARE(board->size(), QSize(565, 418));
        QTRY_COMPARE(window_->pos(), before);
        window_->move(home);
        app::new_game();
    }

    void quitExitAndCloseEndTheProgramAlsoInsideAWait() {
        for (const char* how : {"quit", "exit", "close", "run"})
            ends_cleanly(QString("--quit-while-waiting=") + how);
        // Also quiet where the session has no runtime folder, a container's say.
        ends_cleanly("--quit-while-waiting=quit", {"XDG_RUNTIME_DIR"});
    }

    // Only what the player can surely play, in full, is handed to it; anything else plays the
    // alert, and a waiting call returns after the alert. The table gives each file's length in
    // milliseconds, 0 for a file refused.
    void thePlayerRefusesWhatItCannotPlay() {
        const QString fifo = dir.filePath("fifo.wav");
        ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
        QDir(dir.path()).mkdir("sub");
        const QByteArray good = wav(1, 1, 8000, 16, 16000);
        const std::pair<QString, qint64> cases[] = {
            {media_dir + "/put_piece.wav", 86},
            {media_dir + "/take_two.wav", 300},
            {media_dir + "/victory.wav", 1000},
            {media_dir + "/bad.wav", 200},
            {write_file(dir, "good.wav", good), 1000},
            {write_file(dir, "8-bit.wav", wav(1, 1, 8000, 8, 801)), 101},
            {write_file(dir, "stereo.wav", wav(1, 2, 8000, 16, 32000)), 1000},
            {write_file(dir, "10s.wav", wav(1, 1, 4000, 8, 40000)), 10000},
            {write_file(dir, "half.wav", wav(1, 1, 8000, 16, 1600, 800)), 0},
            {write_file(dir, "lying.wav", wav(1, 1, 8000, 16, 1 << 30, 1600)), 0},
            {write_file(dir, "odd.wav", wav(1, 1, 8000, 16, 1601)), 0},
            {write_file(dir, "float.wav", wav(3, 1, 8000, 32, 3200)), 0},
            {write_file(dir, "pcm64.wav", wav(1, 1, 8000, 64, 6400)), 0},
            {write_file(dir, "mulaw.wav", wav(7, 1, 8000, 8, 800)), 0},
            {write_file(dir, "mp3.wav", wav(0x55, 1, 8000, 16, 16000)), 0},
            {write_file(dir, "ch255.wav", wav(1, 255, 8000, 8, 2550)), 0},
            {write_file(dir, "rate1.wav", wav(1, 1, 1, 16, 20)), 0},
            {write_file(dir, "11s.wav", wav(1, 1, 4000, 8, 40001)), 0},
            {write_file(dir, "big.wav", wav(1, 2, 192000, 16, 4 << 20, 0), (4 << 20) + 58), 0},
            {write_file(dir, "cut.wav", good.left(30)), 0},
            {write_file(dir, "junk.wav", QByteArray(300, 'x')), 0},
            {dir.filePath("none.wav"), 0},
            {dir.path() + "/ ", 0},
            {dir.path(), 0},
            {fifo, 0}};
        for (const auto& [file, length] : cases) {
            QCOMPARE(sound::read_wav(file).value_or(sound::Wav()).length_ms, length);
            sound::play_sound(file.toStdString(), length ? 1 : 0);
            QTRY_COMPARE(sound::last_source(),
                         length ? QUrl::fromLocalFile(file) : sound::alert_url());
        }
        QCOMPARE(sound::read_wav(sound::alert_file()).value_or(sound::Wav()).length_ms, 300);
        // A cue file rewritten is read afresh.
        write_file(dir, "good.wav", wav(1, 1, 8000, 16, 1601));
        sound::play_sound(dir.filePath("good.wav").toStdString(), 0);
        QCOMPARE(sound::last_source(), sound::alert_url());
        // A Windows user's backslash.
        const QString nested = write_file(dir, "sub/nested.wav", good);
        sound::play_sound((dir.path() + "/sub\\nested.wav").toStdString(), 0);
        QCOMPARE(sound::last_source(), QUrl::fromLocalFile(nested));
        // A waiting cue runs no window event, not even one queued already.
        bool timer_ran = false;
        QTimer::singleShot(0, this, [&] { timer_ran = true; });
        sound::play_sound((media_dir + "/take_two.wav").toStdString(), 0);
        QVERIFY(!timer_ran);
        QTRY_VERIFY(timer_ran);
    }

    void withoutItsModulesTheProgramGoesOn() {
        QVERIFY(QDir(dir.path()).mkdir("alone"));
        const QString copy = dir.filePath("alone/window_test");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        write_file(dir, "alone/vellox-sound.so", "not a module");
        ends_cleanly("--without-modules", {}, copy);
        // VELLOX_DEBUG lets Qt's messages through.
        const ChildRun debugging = run_child("--without-modules", {"VELLOX_DEBUG=1"}, copy);
        QCOMPARE(debugging.code, 0);
        QVERIFY2(debugging.output.contains("a warning of Qt's"), debugging.output);
    }

    // F1 opens the viewer at its first topic, not modal, beside the game and never over its menu
    // bar, with the keyboard in its contents, where Down and Return open the next topic; Down from
    // the search field reaches the results. One click opens an entry, and asked again the same
    // window goes back to its first topic. Escape and Ctrl+W close it, and so does the quit notice,
    // at once and with its temporary files. A file that is missing, no help file or without the
    // topic shows nothing at all.
    void theHelpViewerIsRunFromTheKeyboard() {
        // The viewer's temporary folder is made in a folder of this test's own.
        const QTemporaryDir temporary;
        qputenv("TMPDIR", temporary.path().toUtf8());
        auto collections = [&] {
            return QDir(temporary.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
        };
        const qsizetype before = collections();
        const auto windows = QApplication::topLevelWidgets().size();
        for (QKeySequence close :
             {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close), QKeySequence()}) {
            window_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window_));
            QTest::keyClick(window_->centralWidget(), Qt::Key_F1);
            QPointer<QWidget> viewer = window_->help_viewer;
            QVERIFY(viewer && QTest::qWaitForWindowActive(viewer));
            QVERIFY(!QApplication::activeModalWidget() && viewer->width() >= 600);
            const QRect menus(window_->menuBar()->mapToGlobal(QPoint()),
                              window_->menuBar()->size());
            QVERIFY(!menus.intersects(viewer->frameGeometry()));
            auto* contents = viewer->findChild<QHelpContentWidget*>();
            auto* page = viewer->findChild<QTextBrowser*>("help_page");
            QCOMPARE(page->documentTitle(), QString("Introduction"));
            QTRY_COMPARE(QApplication::focusWidget(), contents);
            QTRY_COMPARE(contents->currentIndex().data().toString(), QString("Introduction"));
            QTest::keyClick(contents, Qt::Key_Down);
            const QString next = contents->currentIndex().data().toString();
            QVERIFY(next != "Introduction");
            QTest::keyClick(contents, Qt::Key_Return);
            QTRY_COMPARE(page->documentTitle(), next);

            auto* search = viewer->findChild<QLineEdit*>("help_search");
            auto* results = viewer->findChild<QListWidget*>("help_results");
            QTRY_VERIFY(search->isEnabled()); // once the pages are indexed
            QTest::keyClick(contents, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), search);
            QTest::keyClicks(search, "pairs");
            QTest::keyClick(search, Qt::Key_Return);
            QTRY_VERIFY(results->count() > 0);
            QTest::keyClick(search, Qt::Key_Down);
            QVERIFY(QApplication::focusWidget() == results && results->currentRow() == 0);
            if (!close.isEmpty()) {
                QTest::keySequence(QApplication::focusWidget(), close);
                QTRY_VERIFY(!viewer);
                continue;
            }
            QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                              contents->visualRect(contents->model()->index(4, 0)).center());
            QTRY_COMPARE(page->documentTitle(), QString("The scoreboard"));
            action("q_help_menu")->trigger();
            QVERIFY(window_->help_viewer == viewer);
            QCOMPARE(page->documentTitle(), QString("Introduction"));
            QCOMPARE(collections(), before + 1);
            help::close_help_viewer();
            QVERIFY(!viewer);
            QCOMPARE(collections(), before);
        }
        qunsetenv("TMPDIR");
        const QString junk = write_file(dir, "vellox.qch", "not a help file");
        for (const auto& [file, topic] : {std::pair{dir.filePath("missing.qch"), "Introduction"},
                                          {junk, "Introduction"},
                                          {compiled_help, "No Such Topic"}}) {
            help::show_help_topic(file.toStdString(), topic);
            QVERIFY2(!window_->help_viewer && QApplication::topLevelWidgets().size() == windows,
                     topic);
        }
    }

    // A modal window as approved, gone once OK closed it.
    void aboutIsAsApprovedAndOkClosesIt() {
        QPointer<QDialog> about;
        std::string fault = "no About window";
        QTimer::singleShot(0, [&] {
            about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!about) return;
            fault = approval_fault(describe(about).toStdString(), "about.txt");
            QTest::mouseClick(about->findChild<QPushButton*>("Cmd_OK"), Qt::LeftButton);
        });
        action("about_menu")->trigger();
        QVERIFY2(fault.empty(), fault.c_str());
        QVERIFY(about.isNull() && !QApplication::activeModalWidget());
    }

    // VELLOX_MONKEY_EVENTS sets the number of events, 4000 by default.
    void theWindowAndTheGameAgreeAfterEveryMonkeyEvent() {
        const int events = std::max(2, qEnvironmentVariableIntValue("VELLOX_MONKEY_EVENTS"));
        window_->timer().setInterval(1); // the pace of a run does not matter here
        const QSize menus = window_->size() - window_->centralWidget()->size();
        for (unsigned seed : {1u, 2u}) {
            // The second plays on a window one and a half times as large, with margins.
            if (seed == 2) window_->resize(QSize(848, 667) + menus);
            Monkey monkey(seed,
                          qEnvironmentVariableIsSet("VELLOX_MONKEY_EVENTS") ? events / 2 : 2000);
            monkey.play();
            QVERIFY2(monkey.fault.isEmpty(), qPrintable(monkey.fault));
            QVERIFY(monkey.nested > 0 && monkey.during_runs > 0 && monkey.after_wins > 0);
        }
        window_->timer().setInterval(500);
    }
};

int main(int argc, char** argv) {
    const QString argument = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // A child run is as quiet as the program, from before its application object exists.
    if (argument.startsWith("--")) app::keep_quiet();
    QApplication application(argc, argv);
    const auto value_of = [&argument](const char* option) {
        return argument.startsWith(option) ? argument.mid(int(strlen(option))) : QString();
    };
    if (!value_of("--quit-while-waiting=").isEmpty())
        return quit_while_waiting(value_of("--quit-while-waiting="));
    if (argument == "--without-modules") return without_modules();
    if (argument == "--board-lines") return board_lines();
    if (!value_of("--contrast=").isEmpty()) return contrast_under(value_of("--contrast="));
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
