// The floor that the game's start-up is measured against: a bare Qt window with a menu bar,
// its client area the game's size, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Exit"));
    auto* client = new QWidget;
    client->setFixedSize(565, 418);
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
