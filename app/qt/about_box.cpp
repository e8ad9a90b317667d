// The About window laid out in twips, and the program's icons: the window's drawn at build time at
// the sizes a desktop shows it, the About window's and the message's drawn from their scalable
// pictures when they are first shown, which loads the library that draws them only then.
#include "app/qt/about_box.h"

#include "app/qt/main_window.h"
#include "view/qt/twips.h"

#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

namespace app {

namespace {

constexpr int client_width = 5610;
constexpr int client_height = 3630;
constexpr int twips_per_point = 20;
constexpr int smallest_font_pixels = 7;

QWidget* place(QWidget* widget, const char* name, QRect twips) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(view::to_pixels(twips));
    return widget;
}

// The window was laid out for a narrow sans-serif font; where that font is missing a wider one
// stands in, so the size in points becomes pixels as the window's twips do, and is then made
// smaller until the text fits its box. flags are those the label draws the text with.
QFont fitted_font(double points, const QString& text, QSize box, int flags) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    for (int pixels = qRound(points * twips_per_point / view::twips_per_pixel);
         pixels >= smallest_font_pixels; --pixels) {
        font.setPixelSize(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(QRect(QPoint(), box), flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height()) break;
    }
    return font;
}

QLabel* add_text(QDialog* box, const char* name, const char* text, QRect twips, double points,
                 bool wrapped = false) {
    auto* label = new QLabel(QString::fromUtf8(text), box);
    place(label, name, twips);
    label->setWordWrap(wrapped);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int flags = wrapped ? int(Qt::TextWordWrap) : 0;
    label->setFont(fitted_font(points, label->text(), label->size(), flags));
    return label;
}

// Empty where the scalable pictures cannot be drawn.
QPixmap svg_picture(const QString& file, int side, qreal pixel_ratio) {
    QImageReader drawing(file);
    drawing.setScaledSize(QSize(side, side) * pixel_ratio);
    QPixmap picture = QPixmap::fromImage(drawing.read());
    picture.setDevicePixelRatio(pixel_ratio);
    return picture;
}

} // namespace

QPixmap icon_picture(int side, qreal pixel_ratio) {
    return svg_picture(QStringLiteral(":/icons/vellox.svg"), side, pixel_ratio);
}

QPixmap information_picture(int side, qreal pixel_ratio) {
    const QIcon themed = QIcon::fromTheme(QStringLiteral("dialog-information"));
    if (!themed.isNull()) return themed.pixmap(QSize(side, side), pixel_ratio);
    return svg_picture(QStringLiteral(":/icons/information.svg"), side, pixel_ratio);
}

// Larger sizes, for the desktop's menus and launchers, come from the installed theme icons.
QIcon application_icon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/" VELLOX_APP_ID ".png").arg(side),
                     QSize(side, side));
    return icon;
}

QDialog* create_about_box(QWidget* owner) {
    auto* box = new QDialog(owner);
    box->setObjectName(QStringLiteral("AboutBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("About Vellox"));
    box->setFixedSize(view::to_pixels(client_width), view::to_pixels(client_height));

    auto* icon = new QLabel(box);
    place(icon, "Pic_ApplicationIcon", QRect(300, 300, 480, 480));
    icon->setPixmap(icon_picture(icon->width(), box->devicePixelRatioF()));

    add_text(box, "title_label", "Vellox for Linux", QRect(990, 270, 3720, 450), 18);
    add_text(box, "version_label", "Version " VELLOX_VERSION, QRect(960, 840, 1455, 240), 9.75);
    add_text(box, "author_label", "The Vellox developers", QRect(1020, 1110, 2265, 240), 9.75);

    auto* rule = new QFrame(box);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    place(rule, "rule_line", QRect(975, 1425, 5010 - 975, 30));

    auto* ok = new QPushButton(QStringLiteral("OK"), box);
    place(ok, "Cmd_OK", QRect(4350, 1800, 1035, 360));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, box, [box] { Cmd_OK_Click(box); });

    add_text(box, "contact_label",
             "Found a problem or have an idea? Please tell the Vellox developers on the "
             "project's issue tracker.",
             QRect(960, 2400, 3255, 1095), 8.25, true);
    return box;
}

void Cmd_OK_Click(QDialog* about_box) { about_box->accept(); }

// exec() destroys the window before it returns, as the window deletes itself on closing.
void show_about() { create_about_box(main_window)->exec(); }

} // namespace app
