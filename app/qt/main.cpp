// Starts Vellox: the application object and its one main window.
#include "app/controller.h"
#include "app/qt/main_window.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellox"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app::MainWindow window;
    app::Form_Load();
    window.show();
    return QApplication::exec();
}
