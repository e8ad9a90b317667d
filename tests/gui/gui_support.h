// A person who answers the game's message boxes, for the tests on the real window.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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
