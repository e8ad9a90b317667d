// Starts Vellox: the application object and its one main window.
#include "app/controller.h"
#include "app/qt/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    app::keep_quiet();
    QApplication application(argc, argv);
    app::set_up_application();
    app::MainWindow window;
    app::Form_Load();
    window.show();
    return QApplication::exec();
}
