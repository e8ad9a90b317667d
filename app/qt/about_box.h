// The About window and the program's icons.
#pragma once

#include <QIcon>
#include <QPixmap>

class QDialog;
class QWidget;

namespace app {

// The icon drawn at side x side logical pixels, sharp at the given device pixel ratio.
QPixmap icon_picture(int side, qreal pixel_ratio);

// The desktop theme's information icon, or the program's own where the theme has none; drawn
// like icon_picture.
QPixmap information_picture(int side, qreal pixel_ratio);

// The icon at the sizes a desktop asks for, for the application's windows.
QIcon application_icon();

// A fresh About window, destroyed when it is closed, by its OK button or its title bar.
QDialog* create_about_box(QWidget* owner);

// The OK button's handler: closes the About window, which destroys it.
void Cmd_OK_Click(QDialog* about_box);

} // namespace app
