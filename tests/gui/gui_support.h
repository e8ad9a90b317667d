// Helpers of the tests on the real window: a place check in twips, a sharp grab, and a person
// who answers the game's message boxes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

// Pixels times 15 within one pixel of the twips.
inline bool near(QRect pixels, QRect twips) {
    const QRect back(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15, pixels.height() * 15);
    return (back.topLeft() - twips.topLeft()).manhattanLength() <= 30 &&
           std::abs(back.width() - twips.width()) <= 15 &&
           std::abs(back.height() - twips.height()) <= 15;
}

// The widget as a screen of twice the density shows it.
inline QImage grab_at_double_scale(QWidget* widget) {
    QPixmap sharp(widget->size() * 2);
    sharp.setDevicePixelRatio(2);
    sharp.fill(Qt::transparent);
    widget->render(&sharp);
    return sharp.toImage();
}

// Dismisses the game's message boxes as a person would, by clicking their OK button, and keeps
// their texts.
class MessageCatcher : public QObject {
public:
    MessageCatcher() {
        connect(&poll_, &QTimer::timeout, this, &MessageCatcher::dismiss);
        poll_.start(20);
    }
    QStringList texts;

private:
    void dismiss() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        texts << box->text();
        box->button(QMessageBox::Ok)->click();
    }
    QTimer poll_;
};
