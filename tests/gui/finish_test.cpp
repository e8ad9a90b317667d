// The window's finish as a person sees it: disabled options look disabled, frames keep their lines
// clear of their controls, panels hold three digits, a win message leaves the line in sight, and
// the help viewer behaves as on the desktop.
#include "app/controller.h"
#include "app/qt/main_window.h"
#include "view/board_view.h"

#include <QAction>
#include <QApplication>
#include <QHelpContentWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

#include <functional>

using app::Control;

namespace {

QWidget* widget(Control control) { return app::main_window->control(control); }

QAction* action(const char* name) { return app::main_window->findChild<QAction*>(name); }

QRect on_screen(QWidget* widget) { return QRect(widget->mapToGlobal(QPoint()), widget->size()); }

// The bounds of the pixels that pass the test, empty when none does.
QRect pixels_where(const QImage& image, const std::function<bool(QColor)>& test) {
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixelColor(x, y))) found |= QRect(x, y, 1, 1);
    return found;
}

bool drawn(QColor colour) { return colour.alpha() > 0; }

// Whether the option's caption, right of its round mark, has pixels darker than the grey level.
bool caption_darker_than(Control option, int grey) {
    const QImage caption = widget(option)->grab(QRect(20, 0, -1, -1)).toImage();
    return !pixels_where(caption, [grey](QColor c) { return qGray(c.rgb()) < grey; }).isEmpty();
}

// The help viewer, opened from the Help menu at its first page.
QWidget* open_help() {
    action("q_help_menu")->trigger();
    QWidget* viewer = app::main_window->help_viewer;
    return viewer && QTest::qWaitForWindowExposed(viewer) ? viewer : nullptr;
}

// Calls open, which shows a modal window, and hands the window to look before closing it.
void while_modal(const std::function<void()>& open, const std::function<void(QWidget*)>& look) {
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            look(modal);
            modal->close();
        }
    });
    open();
}

// The stone just played and the five markers of its line from a first point, one step apart; a
// win by pairs has no line.
const struct {
    QPoint stone, first, step;
    int markers;
} wins[] = {{{6, 10}, {2, 10}, {1, 0}, 5},
            {{3, 2}, {3, 2}, {0, 1}, 5},
            {{4, 16}, {2, 18}, {1, -1}, 5},
            {{2, 12}, {}, {}, 0}};

} // namespace

class FinishTest : public QObject {
    Q_OBJECT
    app::MainWindow* window_ = nullptr;
    QString help_file_;

private slots:
    void initTestCase() {
        help_file_ = QCoreApplication::applicationDirPath() + "/vellox.qch";
        QFile::remove(help_file_);
        QVERIFY(QFile::copy(VELLOX_HELP_FILE, help_file_));
        app::set_up_application();
        window_ = new app::MainWindow;
        app::Form_Load();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanupTestCase() {
        delete window_;
        QFile::remove(help_file_);
    }

    void disabledModeOptionsLookPaleAndEnabledOnesDark() {
        for (Control option : {Control::one_player_button, Control::two_player_button}) {
            platform::set_enabled(option, false);
            QVERIFY2(!caption_darker_than(option, 120), app::control_name(option));
            platform::set_enabled(option, true);
            QVERIFY2(caption_darker_than(option, 80), app::control_name(option));
        }
    }

    // The caption sits in the top line, and no line runs through a control.
    void frameLinesRunClearOfTheirControls() {
        for (Control frame : {Control::Frame3D1, Control::Frame3D5}) {
            QWidget* box = widget(frame);
            QImage drawing(box->size(), QImage::Format_ARGB32_Premultiplied);
            drawing.fill(Qt::transparent);
            box->render(&drawing, {}, {}, QWidget::RenderFlags()); // no background, no children
            for (QWidget* control : box->findChildren<QWidget*>())
                QVERIFY2(pixels_where(drawing.copy(control->geometry()), drawn).isEmpty(),
                         qPrintable(control->objectName()));
            const QRect top_line =
                pixels_where(drawing.copy(box->width() / 2, 0, box->width() / 2, 20), drawn);
            QVERIFY(top_line.top() > 1 && top_line.top() < box->fontMetrics().ascent());
        }
    }

    void statusPanelsHoldTheirWidestTexts() {
        const std::pair<Control, const char*> panels[] = {{Control::moves_panel, "188"},
                                                          {Control::r_games_won, "100"},
                                                          {Control::g_taken, "888"},
                                                          {Control::scode_lab, "EXTEND CLOSED 3"}};
        for (const auto& [panel, text] : panels) {
            platform::set_caption(panel, text);
            const QImage image = widget(panel)->grab().toImage();
            const QRect ink = pixels_where(image, [](QColor c) { return c.hsvSaturation() > 120; });
            QVERIFY2(image.rect().adjusted(2, 2, -2, -2).contains(ink) && ink.width() >= 12, text);
        }
        app::new_game();
    }

    void winMessageLeavesTheLineAndTheLastStoneInSight() {
        for (const auto& win : wins) {
            QWidget* board = window_->centralWidget();
            view::place_stone_image(1, 1, win.stone.x(), win.stone.y());
            QList<QWidget*> in_sight{board->findChild<QWidget*>("g_stone_1")};
            for (int i = 1; i <= win.markers; ++i) {
                const QPoint at = win.first + (i - 1) * win.step;
                view::place_marker(i, at.x(), at.y());
                in_sight << board->findChild<QWidget*>(QString("x_image_%1").arg(i));
            }
            QRect box;
            while_modal([] { platform::show_message("GREEN WINS WITH FIVE IN A ROW"); },
                        [&](QWidget* modal) { box = modal->frameGeometry(); });
            QVERIFY(window_->screen()->availableGeometry().contains(box));
            for (QWidget* picture : in_sight)
                QVERIFY2(!box.intersects(on_screen(picture)), qPrintable(picture->objectName()));
            view::remove_stone_image(1, 1);
            if (win.markers) view::remove_markers();
        }
    }

    void helpViewerOpensBesideTheGameAtAReadableSize() {
        QWidget* viewer = open_help();
        QVERIFY(viewer);
        QVERIFY(!on_screen(window_->menuBar()).intersects(viewer->frameGeometry()));
        QVERIFY(viewer->screen()->availableGeometry().contains(viewer->frameGeometry()));
        QVERIFY(viewer->width() >= 600 && viewer->height() >= 400);
    }

    // One click opens a contents entry; Alt+Left and Alt+Right walk the pages seen.
    void helpContentsOpenOnOneClick() {
        QWidget* viewer = open_help();
        QVERIFY(viewer);
        auto* page = viewer->findChild<QTextBrowser*>("help_page");
        auto* contents = viewer->findChild<QHelpContentWidget*>();
        QTRY_VERIFY(contents->model()->rowCount() >= 6);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                          contents->visualRect(contents->model()->index(3, 0)).center());
        QTRY_COMPARE(page->documentTitle(), QString("The scoreboard"));
        QTest::keyClick(viewer, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(page->documentTitle(), QString("Introduction"));
        QTest::keyClick(viewer, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(page->documentTitle(), QString("The scoreboard"));
    }

    void helpSearchOpensThePageOfAWord() {
        QWidget* viewer = open_help(); // back at the first page
        QVERIFY(viewer);
        auto* query = viewer->findChild<QLineEdit*>("help_search");
        auto* results = viewer->findChild<QListWidget*>("help_results");
        QVERIFY(query && results);
        QTRY_VERIFY(query->isEnabled());
        QTest::keyClick(viewer, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(query->isVisible() && query->hasFocus());
        QTest::keyClicks(query, "zero");
        QTest::keyClick(query, Qt::Key_Return);
        QTRY_COMPARE(results->count(), 1);
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                          results->visualItemRect(results->item(0)).center());
        QCOMPARE(viewer->findChild<QTextBrowser*>("help_page")->documentTitle(),
                 QString("The scoreboard"));
    }
};

QTEST_MAIN(FinishTest)

#include "finish_test.moc"
