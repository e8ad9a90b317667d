// The window operations on the Qt main window, and those of the other rooms that need it: the
// Options menu's check marks and the help viewer beside the window.
#include "app/qt/about_box.h"
#include "app/qt/accessibility.h"
#include "app/qt/main_window.h"
#include "help/help_platform.h"
#include "help/qt/help_module.h"
#include "platform/qt/modules.h"
#include "settings/settings_platform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include <cstdio>
#include <cstdlib>

namespace {

// The game's message box, which tells of a win: it opens where the winning line and the stone
// just played stay in sight.
class MessageBox : public QMessageBox {
public:
    MessageBox(const QString& text, QWidget* owner)
        : QMessageBox(QMessageBox::NoIcon, QStringLiteral("Vellox"), text, QMessageBox::Ok, owner) {
        const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        setIconPixmap(app::information_picture(side, devicePixelRatioF()));
    }

protected:
    // The box knows its size only once it is about to be shown.
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (!app::main_window) return;
        const QMargins frame = app::main_window->frame_margins();
        const QPoint corner = app::main_window->message_place(size().grownBy(frame));
        // The frame's place is not known before the window is shown: place its inside.
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
    }
};

} // namespace

namespace app {

// The buttons change with the game's state, and Hint with them.
void set_enabled(app::Control control, bool enabled) {
    if (!main_window) return;
    main_window->control(control)->setEnabled(enabled);
    main_window->refresh_hint_command();
}

void set_caption(app::Control panel, const std::string& value) {
    if (!main_window) return;
    if (auto* label = qobject_cast<QLabel*>(main_window->control(panel)))
        app::show_on_panel(label, QString::fromStdString(value));
    // The tactic is shown only after a move of the computer, or at a new game.
    if (panel == app::Control::scode_lab) app::tell_computer_move(value);
}

void set_busy_pointer(bool busy) {
    if (!main_window) return;
    if (busy)
        main_window->setCursor(Qt::WaitCursor);
    else
        main_window->unsetCursor();
}

void process_events() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void wait_for_events() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

// Leaves at once, wherever it is called from: no handler further up the stack may go on.
// Nothing needs saving; the settings file is only ever replaced whole.
void end_program() {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void show_message(const std::string& text) {
    MessageBox box(QString::fromStdString(text), main_window);
    box.exec();
}

// Where no screen is known the window stays where the system put it.
void center_main_window() {
    if (!main_window) return;
    const QScreen* screen = main_window->screen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize size = main_window->frameGeometry().size();
    main_window->move(area.x() + (area.width() - size.width()) / 2,
                      area.y() + (area.height() - size.height()) / 2);
}

void set_timer_enabled(bool enabled) {
    if (!main_window) return;
    QTimer& timer = main_window->timer();
    if (!enabled)
        timer.stop();
    else if (!timer.isActive())
        timer.start();
}

// A queued call that does nothing is enough to end the wait.
void wake_window() {
    if (auto* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            application, [] {}, Qt::QueuedConnection);
}

void refresh_hint_command() {
    if (main_window) main_window->refresh_hint_command();
}

void show_hint(int x, int y, const std::string& text) {
    if (main_window) main_window->show_hint(x, y, QString::fromStdString(text));
}

} // namespace app

namespace settings {

void set_checked(MenuItem item, bool checked) {
    if (!app::main_window) return;
    if (QAction* action = app::main_window->menu_item(item)) action->setChecked(checked);
}

} // namespace settings

namespace help {

// Without the help module, as without the help file, nothing is shown.
void show_help_topic(const std::string& file, const std::string& topic) {
    if (!app::main_window) return;
    auto* help = qobject_cast<Module*>(platform::load_module(u"help"));
    if (!help) return;
    help->show_help(app::main_window->help_viewer, *app::main_window,
                    app::main_window->frame_margins(), QString::fromStdString(file),
                    QString::fromStdString(topic));
}

// Destroyed at once rather than closed: the program ends right after this, and the viewer's
// temporary collection goes only with the viewer.
void close_help_viewer() {
    if (app::main_window) delete app::main_window->help_viewer;
}

} // namespace help
