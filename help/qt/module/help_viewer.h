// The program's own help viewer: the help file's table of contents and a full-text search beside
// the page it shows, with the pages seen one step back and forward.
#pragma once

#include <QHelpEngine>
#include <QTemporaryDir>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QMainWindow;
class QTextBrowser;

namespace help {

// A window of its own, not modal: the game goes on while it is open. It is destroyed when it
// is closed.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    HelpViewer(const QString& file, QWidget* owner);

    const QString& file() const { return file_; }

    // The page of the topic; empty when the help file could not be read or lacks the topic.
    QUrl topic_page(const QString& topic) const;

    // Shows the page and brings the window to the front.
    void show_page(const QUrl& page);

    // Puts the window beside the game's, or where the screen has no room for that, over the board
    // below the game's menus; frame is the desktop's frame around the game's window.
    void place_beside(const QMainWindow& game, QMargins frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* build_history_bar();
    QWidget* build_finders(QWidget* contents);
    QWidget* build_search();
    void open_entry(const QModelIndex& entry);
    void open_page(const QUrl& page);
    void list_results(int count);
    void select_in_contents(const QUrl& page);

    QString file_;
    // The engine keeps its collection here, outside the program's and the user's folders; it is
    // declared first so that it outlives the engine's open database.
    QTemporaryDir collection_dir_;
    QHelpEngine engine_;
    bool registered_ = false;
    QTextBrowser* browser_;
    QLineEdit* search_query_ = nullptr;
    QListWidget* search_results_ = nullptr;
};

} // namespace help
