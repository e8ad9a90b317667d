// Builds the main window's controls and menus and hands their events to the game's handlers.
#include "app/qt/main_window.h"

#include "app/controller.h"
#include "app/qt/about_box.h"
#include "app/qt/accessibility.h"
#include "app/qt/panels.h"
#include "settings/settings.h"
#include "view/board_view.h"
#include "view/qt/board_surface.h"
#include "view/qt/twips.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace app {

MainWindow* main_window = nullptr;

namespace {

constexpr int timer_interval_ms = 500;
// Ctrl+Plus and Ctrl+Minus zoom the client area by a quarter of its described size.
constexpr double zoom_step = 0.25;

constexpr int body_font_pixels = 11;
constexpr int smallest_panel_font_pixels = 6;

const QColor side_panel_grey(214, 214, 214);
const QColor red_text(192, 0, 0);
const QColor green_text(0, 128, 0);
const QColor blue_text(0, 0, 192);
const QColor purple_text(128, 0, 128);
const QColor title_text(20, 40, 90);
const QColor disabled_text(128, 128, 128);

// Status panels, labels and frames take no presses, and a press on a disabled button is
// ignored: none of them may reach the side panel behind them.
void stop_presses(QWidget* widget) { widget->setAttribute(Qt::WA_NoMousePropagation); }

// What a screen reader calls each status panel; the captions beside them say it by their place.
const char* spoken_name(Control panel) {
    switch (panel) {
    case Control::scode_lab: return "Computer's last tactic";
    case Control::moves_panel: return "Moves";
    case Control::r_games_won: return "Games won by RED";
    case Control::g_games_won: return "Games won by GREEN";
    case Control::r_taken: return "Pairs lost by RED";
    case Control::g_taken: return "Pairs lost by GREEN";
    default: return "";
    }
}

bool is_status_panel(Control which) { return *spoken_name(which) != '\0'; }

QColor ink_of(Control panel) {
    switch (panel) {
    case Control::scode_lab: return purple_text;
    case Control::moves_panel: return blue_text;
    case Control::r_games_won:
    case Control::r_taken: return red_text;
    default: return green_text;
    }
}

// The body font at a zoom: never larger than scaled, so that every caption still fits.
QFont body_font(double scale) {
    QFont font = QApplication::font();
    font.setPixelSize(static_cast<int>(body_font_pixels * scale + 1e-6));
    return font;
}

QFont title_font(double scale) {
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(qRound(13 * scale));
    return font;
}

// The desktop's look, with the options' round marks grown with the client area's zoom as
// their captions are.
class ZoomedStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int pixels = QProxyStyle::pixelMetric(metric, option, widget);
        const bool mark = metric == PM_ExclusiveIndicatorWidth ||
                          metric == PM_ExclusiveIndicatorHeight ||
                          metric == PM_RadioButtonLabelSpacing;
        const QWidget* panel = main_window ? main_window->control(Control::side_panel) : nullptr;
        if (!mark || !view::board_surface || !panel || !panel->isAncestorOf(widget)) return pixels;
        return qRound(pixels * view::board_surface->zoom().factor());
    }
};

// The panel's bold font, from the side panel's at the window's zoom, made smaller where the
// text would not fit.
void fit_font_to(QLabel* panel, const QString& text) {
    QFont font = panel->parentWidget()->font();
    font.setBold(true);
    // A pixel of room on either side keeps the text off the bevel.
    const int room = panel->contentsRect().width() - 2;
    while (font.pixelSize() > smallest_panel_font_pixels &&
           QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(font.pixelSize() - 1);
    panel->setFont(font);
}

// Places and sizes of the controls, as the window is laid out: in twips.
QRect twips(int left, int top, int width, int height) { return QRect(left, top, width, height); }

// The client area is a picture in fixed light colors, the board's and the panels' as described,
// whatever the desktop's colors are. The controls on the side panel take a light palette of their
// own to match: on a dark desktop its light texts would stand on the panel's grey, its buttons
// and round marks would be dark blots. Windows of their own (menus, message boxes, the About
// window, the help) follow the desktop. Captions take the board's ink; a disabled one is a
// middle grey, plainly paler yet still legible.
QPalette side_panel_palette() {
    QPalette colors = QApplication::style()->standardPalette();
    colors.setColor(QPalette::Window, side_panel_grey);
    for (auto group : {QPalette::Active, QPalette::Inactive})
        colors.setColor(group, QPalette::WindowText, view::BoardSurface::foreground());
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        colors.setColor(QPalette::Disabled, role, disabled_text);
    return colors;
}

// Only the checked option of the group is reached by Tab, as in every group of options; the
// arrow keys then move within the group.
void tab_to_checked(const QList<QRadioButton*>& options) {
    for (QRadioButton* option : options)
        option->setFocusPolicy(option->isChecked() ? Qt::TabFocus : Qt::NoFocus);
}

} // namespace

// The controls' places are fixed in pixels, so the font is sized in pixels too.
void set_up_application() {
    QApplication::setApplicationName(QStringLiteral("Vellox"));
    // The desktop matches the window to the installed menu entry by this name.
    QApplication::setDesktopFileName(QStringLiteral(VELLOX_APP_ID));
    QApplication::setWindowIcon(app::application_icon());
    QApplication::setStyle(new ZoomedStyle(QStringLiteral("Fusion")));
    QFont font = QApplication::font();
    font.setPixelSize(body_font_pixels);
    QApplication::setFont(font);
    install_accessibility();
}

void keep_quiet() {
    if (debugging()) return;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtFatalMsg) return;
        // Qt's own words here advise reinstalling, which rarely helps: say what is missing.
        if (!text.contains(QLatin1String("platform plugin"))) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
            return;
        }
        std::fputs("Vellox could not open its window on this desktop: on Wayland it needs the "
                   "package qt6-wayland, on X11 qt6-qpa-plugins (VELLOX_DEBUG=1 tells more).\n",
                   stderr);
        std::_Exit(EXIT_FAILURE);
    });
}

bool debugging() {
    const QByteArray value = qgetenv("VELLOX_DEBUG");
    return !value.isEmpty() && value != "0";
}

void show_on_panel(QLabel* panel, const QString& text) {
    fit_font_to(panel, text);
    panel->setText(text);
    tell_panel_changed(panel);
}

void SidePanel::mousePressEvent(QMouseEvent* event) {
    const QPointF at = view::board_surface->zoom().twips_in(event->position());
    side_panel_MouseDown(static_cast<int>(event->button()), static_cast<int>(event->modifiers()),
                         static_cast<float>(at.x()), static_cast<float>(at.y()));
    event->accept();
}

// The second press of a double click makes no press of its own.
void SidePanel::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

MainWindow::MainWindow() : surface_(new view::BoardSurface(this)) {
    main_window = this;
    view::board_surface = surface_;
    setWindowTitle(QStringLiteral("Vellox"));
    // It opens at the client area's described size, its smallest, and grows from there.
    surface_->setMinimumSize(view::client_pixels());
    setCentralWidget(surface_);
    build_menus();
    build_side_panel();
    // The status line below the board, where a hint is told.
    statusBar()->setObjectName(QStringLiteral("status_line"));
    statusBar()->setAccessibleName(QStringLiteral("Status line"));
    statusBar()->setSizeGripEnabled(false);
    // A hint is out of date as soon as a stone comes or goes.
    connect(surface_, &view::BoardSurface::piece_changed, statusBar(), &QStatusBar::clearMessage);
    add_keys();
    add_zoom_keys();
    // The keyboard starts on the board, first in the order of Tab.
    surface_->setFocus();
    view::init_image_arrays();
    Timer1_.setInterval(timer_interval_ms);
    connect(&Timer1_, &QTimer::timeout, [] { move_delay_timer_Timer(); });
    connect(surface_, &view::BoardSurface::pressed, [](int button, int shift, QPointF twips) {
        Form_MouseDown(button, shift, static_cast<float>(twips.x()), static_cast<float>(twips.y()));
    });
    connect(surface_, &view::BoardSurface::point_pressed,
            [](QPoint point) { board_point_pressed(point.x(), point.y()); });
    connect(surface_, &view::BoardSurface::marker_clicked, [](int index) { x_image_Click(index); });
    connect(surface_, &view::BoardSurface::zoomed, this, &MainWindow::lay_out_controls);
    surface_->installEventFilter(this);
    adjustSize();
}

MainWindow::~MainWindow() {
    view::board_surface = nullptr;
    main_window = nullptr;
}

QAction* MainWindow::menu_item(settings::MenuItem item) const {
    switch (item) {
    case settings::MenuItem::sound_menu: return sound_menu_;
    case settings::MenuItem::novice_menu: return novice_menu_;
    case settings::MenuItem::advanced_menu: return advanced_menu_;
    case settings::MenuItem::expert_menu: return expert_menu_;
    }
    return nullptr;
}

QMargins MainWindow::frame_margins() const {
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

// Over the side panel where it can, else at the board's right, each time at the middle, the top
// or the bottom of the window: a winning line is too short to block all three heights.
QPoint MainWindow::message_place(QSize box) const {
    const QRect area = surface_->zoom().area();
    const QRect client(surface_->mapToGlobal(area.topLeft()), area.size());
    const QRegion in_sight = surface_->pieces_of_the_win().translated(client.topLeft());
    const int middle = client.center().y() - box.height() / 2;
    QList<QPoint> places;
    for (int left : {client.left(), client.right() + 1 - box.width()})
        for (int top : {middle, client.top(), client.bottom() + 1 - box.height()})
            places << QPoint(left, top);
    for (QPoint place : places)
        if (!in_sight.intersects(QRect(place, box))) return place;
    return places.first();
}

// The side panel lies over the client area but is no child of it, so it follows the client
// area when that moves in the window.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == surface_ && event->type() == QEvent::Move && control(Control::side_panel))
        lay_out(Control::side_panel);
    return QMainWindow::eventFilter(watched, event);
}

// The program ends with its window, also when a handler further up the stack is waiting for
// events: nothing of the game may go on without a window.
void MainWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    app::end_program();
}

void MainWindow::build_menus() {
    auto add_item = [](QMenu* menu, const char* name, const char* caption, void (*handler)()) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        QObject::connect(action, &QAction::triggered, [handler] { handler(); });
        return action;
    };
    QMenu* file_menu = menuBar()->addMenu(QStringLiteral("&File"));
    file_menu->setObjectName(QStringLiteral("file_menu"));
    add_item(file_menu, "exit_menu", "&Exit", exit_menu_Click)->setShortcut(Qt::CTRL | Qt::Key_Q);

    QMenu* options_menu = menuBar()->addMenu(QStringLiteral("&Options"));
    options_menu->setObjectName(QStringLiteral("options_menu"));
    sound_menu_ = add_item(options_menu, "sound_menu", "&Sound on", app::sound_menu_Click);
    QMenu* skill_menu = options_menu->addMenu(QStringLiteral("S&kill Level"));
    skill_menu->setObjectName(QStringLiteral("skill_menu"));
    novice_menu_ = add_item(skill_menu, "novice_menu", "&Novice", app::novice_menu_Click);
    advanced_menu_ = add_item(skill_menu, "advanced_menu", "&Advanced", app::advanced_menu_Click);
    expert_menu_ = add_item(skill_menu, "expert_menu", "&Expert", app::expert_menu_Click);
    add_item(options_menu, "save_menu", "S&ave Settings", app::save_menu_Click);
    for (QAction* checked : {sound_menu_, novice_menu_, advanced_menu_, expert_menu_})
        checked->setCheckable(true);
    // Shown with round marks as one choice of three. A pick of the checked level leaves it
    // checked; the handlers set every mark all the same.
    auto* skill_levels = new QActionGroup(skill_menu);
    skill_levels->addAction(novice_menu_);
    skill_levels->addAction(advanced_menu_);
    skill_levels->addAction(expert_menu_);

    QMenu* help_menu = menuBar()->addMenu(QStringLiteral("&Help"));
    help_menu->setObjectName(QStringLiteral("help_menu"));
    add_item(help_menu, "q_help_menu", "&Vellox Help", app::q_help_menu_Click)
        ->setShortcut(Qt::Key_F1);
    add_item(help_menu, "about_menu", "&About...", app::about_menu_Click);
    help_menu->addSeparator();
    hint_menu_ = add_item(help_menu, "hint_menu", "&Hint", app::hint_menu_Click);
    hint_menu_->setShortcut(Qt::CTRL | Qt::Key_I);
    connect(help_menu, &QMenu::aboutToShow, this, &MainWindow::refresh_hint_command);
}

void MainWindow::refresh_hint_command() { hint_menu_->setEnabled(app::hint_available()); }

// The ring and the words stay until the next hint, a move or the cursor's own steps move them.
void MainWindow::show_hint(int x, int y, const QString& text) {
    surface_->show_cursor_at(QPoint(x, y));
    statusBar()->showMessage(text);
    tell_hint(text);
}

// Keys for the buttons played most (Exit and Help have theirs in the menus). A key does what its
// button's click does, and nothing while the button is disabled; the button's tooltip names it.
void MainWindow::add_keys() {
    const std::pair<Control, QKeySequence> button_keys[] = {
        {Control::restart_button, Qt::CTRL | Qt::Key_N},
        {Control::back_button, Qt::CTRL | Qt::Key_Z},
        {Control::step_button, Qt::CTRL | Qt::Key_T},
        {Control::run_button, Qt::CTRL | Qt::Key_R},
        {Control::halt_button, Qt::CTRL | Qt::Key_H}};
    for (const auto& [which, key] : button_keys) {
        auto* button = static_cast<QAbstractButton*>(control(which));
        button->setShortcut(key);
        button->setToolTip(
            QStringLiteral("%1 (%2)").arg(button->text(), key.toString(QKeySequence::NativeText)));
    }
    // Quit does what Exit does, and its key is the menu item's.
    const QKeySequence exit_key = findChild<QAction*>(QStringLiteral("exit_menu"))->shortcut();
    control(Control::quit_button)
        ->setToolTip(QStringLiteral("Quit (%1)").arg(exit_key.toString(QKeySequence::NativeText)));
    control(Control::Zero_games_won)->setToolTip(QStringLiteral("Set the games won to 0"));
}

// Ctrl+Plus and Ctrl+Minus make the window a step larger or smaller, Ctrl+0 gives it its
// described size again. Ctrl+= is Ctrl+Plus without the Shift key on many keyboards.
void MainWindow::add_zoom_keys() {
    auto add_key = [this](const char* name, QList<QKeySequence> keys, auto factor) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, [this, factor] { zoom_to(factor(zoom_factor())); });
        addAction(action);
    };
    // A window sized for a step has whole pixels, so its factor may fall a little short of it.
    constexpr double slack = 0.05;
    add_key("zoom_in", {QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal},
            [](double now) { return (std::floor(now / zoom_step + slack) + 1) * zoom_step; });
    add_key("zoom_out", {QKeySequence::ZoomOut},
            [](double now) { return (std::ceil(now / zoom_step - slack) - 1) * zoom_step; });
    add_key("zoom_back", {Qt::CTRL | Qt::Key_0}, [](double) { return 1.0; });
}

double MainWindow::zoom_factor() const { return surface_->zoom().factor(); }

// The window resized to show the client area at the factor, or at the largest that the screen
// has room for, and moved where it would leave the screen. A maximised window goes back to where
// it was before, as the desktop tells its place only later.
void MainWindow::zoom_to(double factor) {
    const QMargins edges = frame_margins();
    QPoint place = pos();
    if (isMaximized() || isFullScreen()) {
        place = normalGeometry().topLeft() - QPoint(edges.left(), edges.top());
        showNormal();
    }
    const QSize menus = size() - surface_->size();
    const QSize frame(edges.left() + edges.right(), edges.top() + edges.bottom());
    const QRect room = screen()->availableGeometry();
    factor = std::min(factor, view::Zoom::to_fit(room.size() - menus - frame).factor());
    const QSize window = view::Zoom::client_size(std::max(1.0, factor)) + menus;
    resize(window);
    const QRect framed(place, window + frame);
    move(place + QPoint(std::min(0, room.right() - framed.right()),
                        std::min(0, room.bottom() - framed.bottom())));
}

// The side panel and its controls follow the client area's zoom: places, fonts and frames alike.
// Parents come before their controls in the list, so a status panel fits its text to the side
// panel's font of this zoom.
void MainWindow::lay_out_controls() {
    for (int i = 0; i < control_count; ++i)
        if (controls_[i]) lay_out(static_cast<Control>(i));
}

// The side panel is the window's child rather than the board's: a screen reader then finds the
// board's points alone in the board, and the panel's controls beside it.
void MainWindow::build_side_panel() {
    auto* panel = new SidePanel(this);
    panel->setPalette(side_panel_palette());
    panel->setAccessibleName(QStringLiteral("Scores and controls"));
    panel->setAutoFillBackground(true);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    place(Control::side_panel, panel, twips(45, 480, 2175, 5775));

    auto* title = new BevelPanel(true, title_text, panel);
    title->setText(QStringLiteral("V E L L O X"));
    place(Control::title_panel, title, twips(120, 120, 1935, 495));

    add_status_panel(Control::scode_lab, "SCODE", twips(120, 660, 1935, 375), panel);
    add_status_panel(Control::moves_panel, "0", twips(540, 1140, 330, 330), panel);
    add_label(Control::moves_label, "Moves", twips(960, 1200, 855, 255), panel);
    add_label(Control::games_won_label, "Games Won", twips(420, 1560, 1215, 255), panel);
    add_status_panel(Control::r_games_won, "0", twips(540, 1800, 330, 330), panel);
    add_status_panel(Control::g_games_won, "0", twips(1140, 1800, 330, 330), panel);
    add_button(Control::Zero_games_won, "0", twips(1620, 1800, 375, 375), panel,
               Zero_games_won_Click);
    // Its caption alone would be read as a bare "0".
    control(Control::Zero_games_won)->setAccessibleName(QStringLiteral("Set the games won to 0"));
    add_label(Control::columns_label, "Red   Green", twips(480, 2160, 1095, 255), panel);
    add_status_panel(Control::r_taken, "0", twips(540, 2400, 330, 330), panel);
    add_status_panel(Control::g_taken, "0", twips(1140, 2400, 330, 330), panel);
    add_label(Control::pairs_lost_label, "Pairs Lost", twips(480, 2760, 1215, 255), panel);
    build_frames(panel);
    add_button(Control::restart_button, "Clear", twips(120, 4920, 615, 495), panel,
               restart_button_Click);
    add_button(Control::back_button, "Back", twips(765, 4920, 615, 495), panel, back_button_Click);
    add_button(Control::quit_button, "Quit", twips(1440, 4920, 570, 495), panel, quit_button_Click);
    for (QWidget* child : panel->findChildren<QWidget*>()) stop_presses(child);
    panel->raise();
    lay_out_controls();
}

void MainWindow::build_frames(QWidget* panel) {
    auto* mode = new EtchedFrame(QStringLiteral("Mode"), panel);
    place(Control::mode_frame, mode, twips(120, 3000, 1875, 1095));
    add_option(Control::two_player_button, "Two Players", twips(120, 240, 1455, 255), mode,
               two_player_button_Click);
    auto* one = add_option(Control::one_player_button, "One vs Comp", twips(120, 480, 1455, 255),
                           mode, one_player_button_Click);
    add_option(Control::no_player_button, "Comp vs Comp", twips(120, 720, 1575, 255), mode,
               no_player_button_Click);
    static_cast<QRadioButton*>(one)->setChecked(true);
    const QList<QRadioButton*> options = mode->findChildren<QRadioButton*>();
    tab_to_checked(options);
    for (QRadioButton* option : options)
        connect(option, &QRadioButton::toggled, [options] { tab_to_checked(options); });

    auto* play = new EtchedFrame(QStringLiteral("Computer Play"), panel);
    place(Control::computer_play_frame, play, twips(120, 4080, 1875, 735));
    add_button(Control::run_button, "Run", twips(60, 240, 555, 375), play, run_button_Click);
    add_button(Control::halt_button, "Halt", twips(660, 240, 555, 375), play, halt_button_Click);
    add_button(Control::step_button, "Step", twips(1260, 240, 555, 375), play, step_button_Click);
}

QWidget* MainWindow::add_status_panel(Control which, const char* caption, QRect twips,
                                      QWidget* parent) {
    auto* panel = new BevelPanel(false, ink_of(which), parent);
    // Named before anything is shown, so that its first description already has the name.
    panel->setAccessibleName(QString::fromUtf8(spoken_name(which)));
    panel->setText(QString::fromUtf8(caption));
    return place(which, panel, twips);
}

QWidget* MainWindow::add_label(Control which, const char* caption, QRect twips, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    return place(which, label, twips);
}

QWidget* MainWindow::add_button(Control which, const char* caption, QRect twips, QWidget* parent,
                                void (*handler)()) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, [handler] { handler(); });
    return place(which, button, twips);
}

// Every click calls the handler, also on the option already selected.
QWidget* MainWindow::add_option(Control which, const char* caption, QRect twips, QWidget* parent,
                                void (*handler)()) {
    auto* option = new QRadioButton(QString::fromUtf8(caption), parent);
    // A click picks the mode and leaves the keyboard where it was, with the board say: the next
    // arrow key then moves the board's cursor rather than the mode.
    option->setFocusPolicy(Qt::TabFocus);
    connect(option, &QRadioButton::clicked, [handler] { handler(); });
    return place(which, option, twips);
}

QWidget* MainWindow::place(Control which, QWidget* widget, QRect twips) {
    widget->setObjectName(QString::fromUtf8(control_name(which)));
    controls_[static_cast<int>(which)] = widget;
    places_[static_cast<int>(which)] = twips;
    return widget;
}

// A control at its place, in its font and with its frame at the client area's zoom. Every
// control is given its font, as a frame would otherwise keep the captions inside it at their
// first size.
void MainWindow::lay_out(Control which) {
    const view::Zoom& zoom = surface_->zoom();
    QWidget* widget = control(which);
    QRect rect = zoom.pixels(places_[static_cast<int>(which)]);
    if (widget->parentWidget() == surface_) rect.translate(zoom.area().topLeft());
    if (widget->parentWidget() == this) rect.translate(surface_->pos() + zoom.area().topLeft());
    widget->setGeometry(rect);
    if (auto* bevel = dynamic_cast<BevelPanel*>(widget)) bevel->set_scale(zoom.factor());
    if (auto* frame = dynamic_cast<EtchedFrame*>(widget)) frame->set_scale(zoom.factor());
    if (which == Control::title_panel)
        widget->setFont(title_font(zoom.factor()));
    else if (is_status_panel(which))
        fit_font_to(static_cast<QLabel*>(widget), static_cast<QLabel*>(widget)->text());
    else
        widget->setFont(body_font(zoom.factor()));
}

} // namespace app
