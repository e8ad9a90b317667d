// What the program asks of its help module: the help viewer on the Qt Help engine.
#pragma once

#include <QMargins>
#include <QPointer>
#include <QString>
#include <QtPlugin>

class QMainWindow;
class QWidget;

namespace help {

class Module {
public:
    // Shows the help file at topic in the viewer that open holds, or in a fresh one owned by game
    // and placed beside it, whose desktop frame is frame; open then holds the fresh one. Nothing
    // is shown where the file cannot be read or lacks the topic.
    virtual void show_help(QPointer<QWidget>& open, QMainWindow& game, QMargins frame,
                           const QString& file, const QString& topic) = 0;

protected:
    ~Module() = default;
};

} // namespace help

#define VELLOX_HELP_MODULE "org.vellox.Vellox.Help/1"
Q_DECLARE_INTERFACE(help::Module, VELLOX_HELP_MODULE)
