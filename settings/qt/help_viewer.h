// The program's own help viewer: the help file's table of contents beside the page it shows.
#pragma once

#include <QHelpEngine>
#include <QTemporaryDir>
#include <QWidget>

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

private:
    void select_in_contents(const QUrl& page);

    QString file_;
    // The engine keeps its collection here, outside the program's and the user's folders; it is
    // declared first so that it outlives the engine's open database.
    QTemporaryDir collection_dir_;
    QHelpEngine engine_;
    bool registered_ = false;
    QTextBrowser* browser_;
};

} // namespace help
