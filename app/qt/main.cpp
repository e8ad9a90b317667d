// Starts Vellox: the application object and its one main window.
#include "app/controller.h"
#include "app/qt/main_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

bool set(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

} // namespace

int main(int argc, char** argv) {
    // Without a desktop to show the window on, Qt would abort with advice about reinstalling.
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM")) {
        std::fputs("Vellox needs a graphical desktop (X11 or Wayland), and none was found.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    app::keep_quiet();
    QApplication application(argc, argv);
    app::set_up_application();
    app::MainWindow window;
    app::Form_Load();
    window.show();
    return QApplication::exec();
}
