// The main window: its controls and menus laid out in twips, each wired to its handler.
#pragma once

#include "app/window_ops.h"
#include "settings/settings_platform.h"

#include <QFrame>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>

class QAction;
class QLabel;

namespace view {
class BoardSurface;
}

namespace app {

// The side panel behind the status panels and buttons; a press on its bare part is refused.
class SidePanel : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    QWidget* control(Control which) const { return controls_[static_cast<int>(which)]; }
    QAction* menu_item(settings::MenuItem item) const;
    QTimer& timer() { return Timer1_; }

    // The desktop's frame around the window, as good a guess as there is for the program's other
    // windows before they are shown.
    QMargins frame_margins() const;

    // Where a message box of the given size, frame included, leaves the winning line and the
    // stone just played in sight; in screen coordinates.
    QPoint message_place(QSize box) const;

    // Enables Help > Hint when a hint can be given: the game goes on and the computer is not
    // playing.
    void refresh_hint_command();

    // The cursor ring on the grid point (x, y), and text in the status line and to the screen
    // reader.
    void show_hint(int x, int y, const QString& text);

    // The help viewer, while one is open; the quit notice closes it.
    QPointer<QWidget> help_viewer;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_menus();
    void add_keys();
    void add_zoom_keys();
    double zoom_factor() const;
    void zoom_to(double factor);
    void lay_out_controls();
    void build_side_panel();
    void build_frames(QWidget* panel);
    QWidget* add_status_panel(Control which, const char* caption, QRect twips, QWidget* parent);
    QWidget* add_label(Control which, const char* caption, QRect twips, QWidget* parent);
    QWidget* add_button(Control which, const char* caption, QRect twips, QWidget* parent,
                        void (*handler)());
    QWidget* add_option(Control which, const char* caption, QRect twips, QWidget* parent,
                        void (*handler)());
    QWidget* place(Control which, QWidget* widget, QRect twips);
    void lay_out(Control which);

    view::BoardSurface* surface_;
    std::array<QWidget*, control_count> controls_{};
    // Where each control lies in its parent, in twips.
    std::array<QRect, control_count> places_{};
    QAction* sound_menu_ = nullptr;
    QAction* novice_menu_ = nullptr;
    QAction* advanced_menu_ = nullptr;
    QAction* expert_menu_ = nullptr;
    QAction* hint_menu_ = nullptr;
    QTimer Timer1_;
};

// The one main window, while it exists.
extern MainWindow* main_window;

// Shows text on a status panel in its bold font, made smaller where the text would not fit.
void show_on_panel(QLabel* panel, const QString& text);

// The application's name and look, set before the main window is created.
void set_up_application();

// From here on Qt's own messages, such as a missing sound device, are dropped: the program
// prints nothing in normal use. A fatal error is still told, as the program then ends. Called
// before the application object exists, so that its start-up is quiet too. With VELLOX_DEBUG
// set (to anything but 0) every message of Qt's is let through, to find out what goes wrong
// on a desktop.
void keep_quiet();
bool debugging();

} // namespace app
