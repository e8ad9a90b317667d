// Measuring the window's pictures: the contrast of its texts and the evenness of the board's grid.
#include "gui/desktop_checks.h"

#include "app/qt/about_box.h"
#include "app/qt/main_window.h"
#include "help/help_platform.h"
#include "view/board_view.h"
#include "view/qt/board_surface.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <vector>

namespace desktop_checks {

namespace {

using app::Control;

// The least contrast of a text that reads well; a disabled one shows less, yet still shows.
constexpr double readable = 4.5;
constexpr double faint = 1.5;
// A button's face and an option's round mark are light on the light side panel.
constexpr double light = 0.6;

class Faults {
public:
    void add(const QString& what, double measured) {
        list << QStringLiteral("%1: %2").arg(what).arg(measured, 0, 'f', 2);
    }

    // An enabled text reads; a disabled one is plainly paler, yet still there.
    void check_text(QWidget* widget, QRect part, const QString& what) {
        const double measured = caption_contrast(widget->grab(part).toImage());
        const bool right =
            widget->isEnabled() ? measured >= readable : measured < readable && measured >= faint;
        if (!right) add(what + (widget->isEnabled() ? " text" : " disabled text"), measured);
    }

    QStringList list;
};

// The captions of the side panel, its round marks and its buttons.
void check_side_panel(Faults& faults) {
    app::MainWindow& window = *app::main_window;
    for (Control which : {Control::moves_label, Control::games_won_label, Control::columns_label,
                          Control::pairs_lost_label}) {
        QWidget* label = window.control(which);
        faults.check_text(label, label->rect(), label->objectName());
    }
    // A frame's caption: the upper half of its letters, above the frame's line.
    for (Control frame : {Control::mode_frame, Control::computer_play_frame}) {
        QWidget* box = window.control(frame);
        faults.check_text(box, QRect(0, 0, box->width(), box->fontMetrics().ascent() / 2),
                          box->objectName());
    }
    for (Control which :
         {Control::two_player_button, Control::one_player_button, Control::no_player_button}) {
        auto* option = static_cast<QRadioButton*>(window.control(which));
        const int mark =
            option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option);
        const int spacing =
            option->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option);
        faults.check_text(option, option->rect().adjusted(mark + spacing, 0, 0, 0),
                          option->objectName());
        if (option->isChecked()) continue;
        // An empty mark is a light well in a ring that shows.
        const QImage picture = option->grab(QRect(0, 0, mark, option->height())).toImage();
        const double well = luminance(picture.pixelColor(picture.rect().center()));
        if (well < light) faults.add(option->objectName() + " mark", well);
        if (caption_contrast(picture) < faint)
            faults.add(option->objectName() + " ring", caption_contrast(picture));
    }
    // A button's caption, and its face as light as a button on a light panel.
    for (auto* button : window.control(Control::side_panel)->findChildren<QPushButton*>()) {
        const QRect face = button->rect().adjusted(3, 3, -3, -3);
        faults.check_text(button, face, button->objectName());
        const double ground = luminance(commonest(button->grab(face).toImage()));
        if (ground < light) faults.add(button->objectName() + " face", ground);
    }
}

void check_texts_of(Faults& faults, QWidget* window, const QString& what) {
    for (auto* label : window->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            faults.check_text(label, label->rect(), what + " " + label->objectName());
    for (auto* button : window->findChildren<QPushButton*>())
        faults.check_text(button, button->rect().adjusted(3, 3, -3, -3), what + " button");
}

void check_about_and_message(Faults& faults) {
    QDialog* about = app::create_about_box(app::main_window);
    about->show();
    if (QTest::qWaitForWindowExposed(about)) check_texts_of(faults, about, "About");
    delete about;
    QTimer::singleShot(0, [&faults] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            check_texts_of(faults, box, "message");
            box->close();
        } else {
            faults.list << "no message box";
        }
    });
    app::show_message("RED WINS WITH FIVE PAIRS");
}

// Every block of text of every page, each seen on the viewer's page; the little boards' stones
// are pictures, not text.
void check_help_pages(Faults& faults, const QString& help_file) {
    help::show_help_topic(help_file.toStdString(), "Introduction");
    QWidget* viewer = app::main_window->help_viewer;
    auto* page = viewer ? viewer->findChild<QTextBrowser*>("help_page") : nullptr;
    if (!page) {
        faults.list << "no help page";
        return;
    }
    const QUrl first = page->source();
    for (const char* name : {"index.html", "rules.html", "playing.html", "scoreboard.html",
                             "computer.html", "options.html", "keyboard.html"}) {
        page->setSource(first.resolved(QUrl(QString::fromUtf8(name))));
        QTextDocument* document = page->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text().trimmed();
            if (text.isEmpty() || text.contains(QChar(0x25CF)) || text.contains(QChar(0x25CB)))
                continue;
            const QRect place = document->documentLayout()->blockBoundingRect(block).toRect();
            page->verticalScrollBar()->setValue(place.top());
            const QRect shown = place.translated(-page->horizontalScrollBar()->value(),
                                                 -page->verticalScrollBar()->value()) &
                                page->viewport()->rect();
            const double measured = caption_contrast(page->viewport()->grab(shown).toImage());
            if (measured < readable)
                faults.add(QStringLiteral("%1 \"%2\"").arg(name, text.left(30)), measured);
        }
    }
    help::close_help_viewer();
}

// A run of the grid's ink or of the frame's yellow.
struct Run {
    int start;
    int width;
    bool yellow;
};

// The runs along a row or a column of the picture, within the grid and a little beyond, between
// the third and fourth lines, clear of the centre and of the turn indicator. An ink run without
// the board's own ground on either side, a blurred one, adds a run of no width.
std::vector<Run> runs_along(const QImage& picture, bool across) {
    const auto device = [ratio = picture.devicePixelRatio()](int twips) {
        return static_cast<int>(std::lround(twips * ratio / 15));
    };
    const int at = device((across ? view::point_top(3) : view::point_left(3)) + 170);
    const int last = device((across ? view::point_left(19) : view::point_top(19)) + 120);
    const auto color_at = [&](int i) {
        return across ? picture.pixelColor(i, at) : picture.pixelColor(at, i);
    };
    const QColor ink = view::BoardSurface::foreground(), yellow(255, 255, 0);
    const QColor ground = view::BoardSurface::background();
    std::vector<Run> runs;
    for (int i = device((across ? view::point_left(1) : view::point_top(1)) - 120); i <= last;) {
        const QColor color = color_at(i);
        int end = i + 1;
        if (color == ink || color == yellow) {
            while (end <= last && color_at(end) == color) ++end;
            runs.push_back({i, end - i, color == yellow});
            if (color == ink && (color_at(i - 1) != ground || color_at(end) != ground))
                runs.push_back({i, 0, false});
        }
        i = end;
    }
    return runs;
}

} // namespace

double luminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

double contrast(const QColor& one, const QColor& other) {
    const double a = luminance(one), b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor commonest(const QImage& picture) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) ++counts[picture.pixel(x, y) | 0xff000000u];
    QRgb most = 0;
    int count = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > count) std::tie(most, count) = std::pair(it.key(), it.value());
    return QColor(most);
}

double caption_contrast(const QImage& picture) {
    const QColor ground = commonest(picture);
    double most = 1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            most = std::max(most, contrast(picture.pixelColor(x, y), ground));
    return most;
}

QPalette dark_palette() {
    const QColor window(53, 53, 53), base(36, 36, 36), text(230, 230, 230), muted(128, 128, 128);
    QPalette colors(text, window, window.lighter(150), window.darker(150), window.darker(120), text,
                    Qt::white, base, window);
    colors.setColor(QPalette::Link, QColor(42, 130, 218));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        colors.setColor(QPalette::Disabled, role, muted);
    return colors;
}

QStringList contrast_faults(const QString& help_file) {
    Faults faults;
    check_side_panel(faults);
    check_about_and_message(faults);
    check_help_pages(faults, help_file);
    return faults.list;
}

QStringList grid_faults(const QImage& client_area) {
    QStringList faults;
    std::vector<int> frame;
    for (bool across : {true, false}) {
        const std::vector<Run> runs = runs_along(client_area, across);
        QStringList widths;
        for (const Run& run : runs) widths << QString::number(run.width);
        const QString which = across ? "across" : "down";
        if (runs.size() != 19 || !runs.front().yellow || !runs.back().yellow) {
            faults << QStringLiteral("%1: runs %2").arg(which, widths.join(' '));
            continue;
        }
        frame.insert(frame.end(), {runs.front().width, runs.back().width});
        std::vector<int> pitches;
        bool even = true;
        for (size_t i = 2; i + 1 < runs.size(); ++i) {
            pitches.push_back(runs[i].start - runs[i - 1].start);
            even = even && runs[i].width == runs[1].width;
        }
        if (!even) faults << QStringLiteral("%1: line widths %2").arg(which, widths.join(' '));
        const auto [low, high] = std::minmax_element(pitches.begin(), pitches.end());
        if (*high - *low > 1)
            faults << QStringLiteral("%1: pitches from %2 to %3").arg(which).arg(*low).arg(*high);
    }
    if (!frame.empty() && std::count(frame.begin(), frame.end(), frame[0]) != int(frame.size()))
        faults << "the frame's sides differ in width";
    return faults;
}

} // namespace desktop_checks
