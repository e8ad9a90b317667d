// The compiled help file, the help viewer and the About window on Qt's offscreen platform.
#include "app/qt/main_window.h"
#include "gui_support.h"
#include "settings/system_platform.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <functional>

namespace {

const QString compiled_help = QStringLiteral(VELLOX_HELP_FILE);

// The names the computer shows for its moves, in the order it tries them.
const char* const ladder[] = {
    "MAKE 5",        "BLOCK 4",        "EXTEND SPLIT 3",  "BLOCK SPLIT 4",   "BLOCK SPLIT 3",
    "EXTEND OPEN 3", "BLOCK OPEN 3",   "TAKE 2",          "EXTEND CLOSED 2", "EXTEND OPEN 2",
    "BLOCK OPEN 2",  "BLOCK CLOSED 3", "EXTEND CLOSED 3", "BLOCK SPLIT 2",   "RANDOM"};

// The About window's items, their places in twips and their fonts' nominal pixel sizes (0 for
// items without text).
const struct {
    const char* name;
    QRect twips;
    int font_pixels;
} about_items[] = {
    {"Pic_ApplicationIcon", {300, 300, 480, 480}, 0},
    {"title_label", {990, 270, 3720, 450}, 24},
    {"version_label", {960, 840, 1455, 240}, 13},
    {"author_label", {1020, 1110, 2265, 240}, 13},
    {"lin_HorizontalLine1", {975, 1425, 4035, 30}, 0},
    {"Cmd_OK", {4350, 1800, 1035, 360}, 0},
    {"Label1", {960, 2400, 3255, 1095}, 11},
};

QAction* action(const char* name) { return app::main_window->findChild<QAction*>(name); }

QWidget* viewer() { return app::main_window->help_viewer; }

QString screenshot(const QString& name) {
    const QString dir = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(dir);
    return dir + "/" + name;
}

qsizetype collection_dirs() {
    return QDir(QDir::tempPath()).entryList({"vellox-help-*"}, QDir::Dirs).size();
}

int window_count() { return static_cast<int>(QApplication::topLevelWidgets().size()); }

// A help engine of the test's own on the compiled help file.
struct HelpFile {
    QTemporaryDir dir;
    QHelpEngineCore engine{dir.filePath("test.qhc")};
    bool registered = false;
    HelpFile() {
        engine.setReadOnly(false);
        registered = engine.setupData() && engine.registerDocumentation(compiled_help);
    }
    QString page(const QString& topic) const {
        const QList<QHelpLink> pages = engine.documentsForIdentifier(topic);
        return pages.isEmpty() ? QString() : QString::fromUtf8(engine.fileData(pages[0].url));
    }
};

// Picks "&About..." and hands the modal window to while_open, which closes it; returns the
// window, which by then should be gone. A window left open by a failed check is closed here.
QPointer<QDialog> run_about(const std::function<void(QDialog*)>& while_open) {
    QPointer<QDialog> seen;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (seen) while_open(seen);
        if (seen && seen->isVisible()) seen->close();
    });
    action("about_menu")->trigger();
    return seen;
}

// Every text of the About window is bold, no larger than its nominal size and not much smaller,
// and fits its box.
void check_about_items(QDialog* box) {
    for (const auto& item : about_items) {
        QWidget* widget = box->findChild<QWidget*>(item.name);
        QVERIFY2(widget && widget->parentWidget() == box, item.name);
        QVERIFY2(near(widget->geometry(), item.twips), item.name);
        auto* label = qobject_cast<QLabel*>(widget);
        if (!label || item.font_pixels == 0) continue;
        const QFont font = label->font();
        QVERIFY2(font.bold(), item.name);
        QVERIFY2(font.pixelSize() <= item.font_pixels && font.pixelSize() >= item.font_pixels - 3,
                 item.name);
        const int flags = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
        const QRect box_rect = label->contentsRect();
        const QRect needed = QFontMetrics(font).boundingRect(box_rect, flags, label->text());
        QVERIFY2(needed.width() <= box_rect.width() && needed.height() <= box_rect.height(),
                 item.name);
    }
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
    app::MainWindow* window_ = nullptr;

    QString help_beside_test() const {
        return QCoreApplication::applicationDirPath() + "/vellox.qch";
    }

private slots:
    void initTestCase() {
        QFile::remove(help_beside_test());
        QVERIFY(QFile::copy(compiled_help, help_beside_test()));
        app::set_up_application();
        window_ = new app::MainWindow;
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanupTestCase() {
        delete window_;
        QFile::remove(help_beside_test());
    }

    void helpFileHoldsIntroductionTheTacticsInOrderAndTheSettingsKeys() {
        HelpFile help;
        QVERIFY(help.registered);
        QCOMPARE(help.engine.documentsForIdentifier("Introduction").size(), 1);
        QVERIFY(help.page("Introduction").contains("<title>Introduction</title>"));
        const QString tactics = help.page("Tactics").section("name=\"skill\"", 0, 0);
        qsizetype at = 0;
        for (const char* name : ladder) {
            at = tactics.indexOf(QString(name), at);
            QVERIFY2(at >= 0, name);
        }
        const QString settings = help.page("Settings");
        for (const char* key : {"[OPTIONS]", "Sound", "Skill", "VictorySoundFIle", "BadSoundFile",
                                "PutAPieceSoundFile", "TakeTwoPiecesSoundFile", "media"})
            QVERIFY2(settings.contains(key), key);
    }

    // Not modal, its contents beside the page; picking the menu item again brings the same
    // window back to its first topic.
    void helpMenuOpensTheViewerAtIntroduction() {
        action("q_help_menu")->trigger();
        QPointer<QWidget> opened = viewer();
        QVERIFY(opened && opened->isVisible() && opened->isWindow());
        QVERIFY(QTest::qWaitForWindowExposed(opened));
        QCOMPARE(opened->windowModality(), Qt::NonModal);
        QVERIFY(!QApplication::activeModalWidget());
        auto* page = opened->findChild<QTextBrowser*>("help_page");
        QCOMPARE(page->documentTitle(), QString("Introduction"));
        QCOMPARE(page->source().scheme(), QString("qthelp"));
        auto* contents = opened->findChild<QHelpContentWidget*>();
        QTRY_VERIFY(contents->model()->rowCount() >= 6);
        QCOMPARE(contents->model()->index(0, 0).data().toString(), QString("Introduction"));
        QTRY_COMPARE(contents->currentIndex().data().toString(), QString("Introduction"));

        const QModelIndex rules = contents->model()->index(1, 0);
        contents->setCurrentIndex(rules);
        QTest::keyClick(contents, Qt::Key_Return);
        QTRY_COMPARE(page->documentTitle(), QString("Rules of the game"));
        QVERIFY(page->toPlainText().contains("Taking pairs"));
        QVERIFY(opened->grab().save(screenshot("help-viewer.png")));

        const int windows = window_count();
        action("q_help_menu")->trigger();
        QCOMPARE(viewer(), opened.data());
        QCOMPARE(window_count(), windows);
        QCOMPARE(page->documentTitle(), QString("Introduction"));
    }

    // At once, since the program ends right after it, and with the viewer's temporary files.
    void quitNoticeDestroysTheViewerAndItsCollection() {
        const qsizetype collections = collection_dirs();
        platform::html_help(compiled_help.toStdString(), "Introduction");
        QPointer<QWidget> opened = viewer();
        QVERIFY(opened && opened->isVisible());
        QCOMPARE(collection_dirs(), collections + 1);
        platform::help_quit();
        QVERIFY(!opened);
        QCOMPARE(collection_dirs(), collections);
        platform::help_quit();
    }

    // A missing file, one that is no help file and one without the topic open no window and
    // show no message.
    void unusableHelpShowsNothing() {
        QTemporaryDir dir;
        QFile junk(dir.filePath("vellox.qch"));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a help file") > 0);
        junk.close();
        const int windows = window_count();
        const std::pair<QString, const char*> cases[] = {
            {dir.filePath("missing.qch"), "Introduction"},
            {junk.fileName(), "Introduction"},
            {compiled_help, "No Such Topic"}};
        for (const auto& [file, topic] : cases) {
            platform::html_help(file.toStdString(), topic);
            QVERIFY2(!viewer(), topic);
            QCOMPARE(window_count(), windows);
            QVERIFY(!QApplication::activeModalWidget());
        }
    }

    // Each time a fresh modal window, gone once OK or its title bar closed it.
    void aboutOpensFreshEachTimeAndOkClosesIt() {
        QPointer<QDialog> first;
        bool first_checked = false;
        QPointer<QDialog> gone = run_about([&](QDialog* box) {
            first = box;
            QCOMPARE(box->objectName(), QString("AboutBox"));
            QCOMPARE(box->windowTitle(), QString("About Vellox"));
            QVERIFY(box->isModal() && box->isVisible());
            QCOMPARE(box->size(), QSize(374, 242));
            QCOMPARE(box->minimumSize(), box->maximumSize());
            check_about_items(box);
            QCOMPARE(box->findChild<QLabel*>("title_label")->text(), QString("Vellox for Linux"));
            QCOMPARE(box->findChild<QLabel*>("version_label")->text(), QString("Version 2.2"));
            QVERIFY(box->findChild<QLabel*>("author_label")->text().contains("Vellox developers"));
            QVERIFY(box->findChild<QLabel*>("Label1")->text().contains("issue tracker"));
            const QPixmap icon = box->findChild<QLabel*>("Pic_ApplicationIcon")->pixmap();
            QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
            QVERIFY(qAlpha(icon.toImage().pixel(icon.width() / 2, icon.height() / 2)) == 255);
            QVERIFY(box->grab().save(screenshot("about.png")));
            first_checked = true;
            QTest::mouseClick(box->findChild<QPushButton*>("Cmd_OK"), Qt::LeftButton);
        });
        QVERIFY(first_checked);
        QVERIFY(!gone);

        bool fresh = false;
        gone = run_about([&](QDialog* box) {
            fresh = !first && box->objectName() == "AboutBox";
            box->close();
        });
        QVERIFY(fresh);
        QVERIFY(!gone);
        QVERIFY(!QApplication::windowIcon().pixmap(32, 32).isNull());
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    HelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "help_test.moc"
