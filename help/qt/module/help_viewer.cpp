// The help module: the help viewer on the Qt Help engine, and the help operation that opens it.
#include "help/qt/module/help_viewer.h"

#include "help/qt/help_module.h"

#include <QAction>
#include <QHelpContentWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <memory>

namespace help {

namespace {

constexpr int contents_width = 210;
constexpr int page_width = 560;
constexpr int viewer_height = 520;
// Narrower, and the pages wrap too often to read with ease.
constexpr int readable_width = 600;

// The contrast of text with its ground that reads well (4.5 is the least), with some to spare
// for the softened edges of small letters.
constexpr double readable_contrast = 5.0;

double luminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

double contrast(const QColor& one, const QColor& other) {
    const double a = luminance(one), b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The color, or where it would not read on the ground, the color moved towards the text's
// until it does; the desktop's text reads on its own ground.
QColor readable(const QColor& color, const QColor& ground, const QColor& text) {
    for (int step = 0; step <= 10; ++step) {
        const double t = step / 10.0;
        const QColor mixed = QColor::fromRgbF(color.redF() * (1 - t) + text.redF() * t,
                                              color.greenF() * (1 - t) + text.greenF() * t,
                                              color.blueF() * (1 - t) + text.blueF() * t);
        if (contrast(mixed, ground) >= readable_contrast) return mixed;
    }
    return text;
}

bool is_dark(const QColor& ground) { return luminance(ground) < 0.2; }

// The colors of the pages' text from the palette: headings in a blue that suits the ground,
// notes a little softer than the text, table heads on the palette's alternate ground.
QString page_colors(const QPalette& palette) {
    const QColor ground = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor heading =
        readable(is_dark(ground) ? QColor(150, 185, 255) : QColor(20, 40, 90), ground, text);
    const QColor note = readable(QColor::fromRgbF((text.redF() + ground.redF()) / 2,
                                                  (text.greenF() + ground.greenF()) / 2,
                                                  (text.blueF() + ground.blueF()) / 2),
                                 ground, text);
    const QColor head_ground = palette.color(QPalette::AlternateBase);
    const QColor head_text = readable(text, head_ground, palette.color(QPalette::WindowText));
    const QColor link = readable(palette.color(QPalette::Link), ground, text);
    return QStringLiteral("\nbody { color: %1; }\nh1, h2 { color: %2; }\n.note { color: %3; }\n"
                          "th { color: %4; background-color: %5; }\na { color: %6; }\n")
        .arg(text.name(), heading.name(), note.name(), head_text.name(), head_ground.name(),
             link.name());
}

// Loads the help file's pages and style sheet through the help engine; the style sheet gets
// the colors of the viewer's palette.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() != QLatin1String("qthelp")) return QTextBrowser::loadResource(type, name);
        QByteArray data = engine_.fileData(name);
        if (type == QTextDocument::StyleSheetResource) data += page_colors(palette()).toUtf8();
        return data;
    }

private:
    QHelpEngine& engine_;
};

} // namespace

HelpViewer::HelpViewer(const QString& file, QWidget* owner)
    : QWidget(owner, Qt::Window), file_(file),
      collection_dir_(QDir::tempPath() + QStringLiteral("/vellox-help-XXXXXX")),
      engine_(collection_dir_.filePath(QStringLiteral("vellox.qhc"))),
      browser_(new HelpBrowser(engine_, this)) {
    setObjectName(QStringLiteral("help_viewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Vellox Help"));
    // A read-only engine would neither create its collection nor register the file in it.
    engine_.setReadOnly(false);
    registered_ =
        collection_dir_.isValid() && engine_.setupData() && engine_.registerDocumentation(file);

    QHelpContentWidget* contents = engine_.contentWidget();
    contents->setObjectName(QStringLiteral("help_contents"));
    contents->setHeaderHidden(true);
    browser_->setObjectName(QStringLiteral("help_page"));
    auto* splitter = new QSplitter;
    splitter->addWidget(build_finders(contents));
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({contents_width, page_width});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(build_history_bar());
    layout->addWidget(splitter);
    resize(contents_width + page_width, viewer_height);

    // One click opens an entry, as in every help browser; Return and a double click do too.
    connect(contents, &QHelpContentWidget::clicked, this, &HelpViewer::open_entry);
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpViewer::open_page);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::select_in_contents);
    // Escape and Ctrl+W close the viewer, as they close a document window.
    auto* close_key = new QAction(this);
    close_key->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    connect(close_key, &QAction::triggered, this, &QWidget::close);
    addAction(close_key);

    // The contents are read on a thread of the engine's and arrive after the first page.
    connect(engine_.contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        contents->expandAll();
        select_in_contents(browser_->source());
    });
}

QUrl HelpViewer::topic_page(const QString& topic) const {
    if (!registered_) return {};
    const QList<QHelpLink> pages = engine_.documentsForIdentifier(topic);
    return pages.isEmpty() ? QUrl() : pages.first().url;
}

// The keyboard starts in the contents, where the arrows choose a topic and Return opens it.
void HelpViewer::show_page(const QUrl& page) {
    browser_->setSource(page);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    engine_.contentWidget()->setFocus(Qt::OtherFocusReason);
}

// Down from the search field goes on to the results, on the first of them.
bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_query_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && search_results_->count() > 0) {
        if (search_results_->currentRow() < 0) search_results_->setCurrentRow(0);
        search_results_->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Placed once, when it opens; after that it stays where the user puts it.
void HelpViewer::place_beside(const QMainWindow& game, QMargins margins) {
    const QScreen* screen = game.screen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    const QRect taken = game.frameGeometry();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const int right_room = room.right() - taken.right() - frame.width();
    const int left_room = taken.left() - room.left() - frame.width();
    const bool beside = std::max(right_room, left_room) >= readable_width;
    QSize inner = size().boundedTo(room.size() - frame);
    int top =
        std::clamp(taken.top(), room.top(), room.bottom() + 1 - inner.height() - frame.height());
    if (beside) {
        inner.setWidth(std::min(inner.width(), std::max(right_room, left_room)));
    } else {
        top = game.menuBar()->mapToGlobal(QPoint(0, game.menuBar()->height())).y();
        const int below_menus = room.bottom() + 1 - top - frame.height();
        inner.setHeight(std::min(inner.height(), std::max(below_menus, viewer_height / 2)));
    }
    const QSize outer = inner + frame;
    const int left = right_room >= left_room ? taken.right() + 1 : taken.left() - outer.width();
    const QPoint corner(std::clamp(left, room.left(), room.right() + 1 - outer.width()), top);
    setGeometry(QRect(corner + QPoint(margins.left(), margins.top()), inner));
}

QWidget* HelpViewer::build_history_bar() {
    auto* bar = new QToolBar;
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"),
                                   browser_, &QTextBrowser::backward);
    back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"),
                                      browser_, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    return bar;
}

// The contents and the search on two tabs; Ctrl+F goes to the search.
QWidget* HelpViewer::build_finders(QWidget* contents) {
    auto* finders = new QTabWidget;
    finders->addTab(contents, tr("Contents"));
    QWidget* search = build_search();
    finders->addTab(search, tr("Search"));
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this, finders, search] {
        finders->setCurrentWidget(search);
        search_query_->setFocus();
    });
    addAction(find);
    return finders;
}

// The search index is kept beside the engine's collection, in the viewer's temporary folder.
QWidget* HelpViewer::build_search() {
    QHelpSearchEngine* search = engine_.searchEngine();
    search_query_ = new QLineEdit;
    search_query_->setObjectName(QStringLiteral("help_search"));
    search_query_->setPlaceholderText(tr("Words to find"));
    search_query_->setClearButtonEnabled(true);
    // The index is built on a thread of the engine's; until it is ready nothing can be found.
    search_query_->setEnabled(false);
    search_results_ = new QListWidget;
    search_results_->setObjectName(QStringLiteral("help_results"));
    search_query_->installEventFilter(this);
    connect(search, &QHelpSearchEngine::indexingFinished, search_query_,
            [this] { search_query_->setEnabled(true); });
    connect(search_query_, &QLineEdit::returnPressed, search,
            [this, search] { search->search(search_query_->text()); });
    connect(search, &QHelpSearchEngine::searchingFinished, this, &HelpViewer::list_results);
    for (auto picked : {&QListWidget::itemClicked, &QListWidget::itemActivated})
        connect(search_results_, picked, this,
                [this](QListWidgetItem* item) { open_page(item->data(Qt::UserRole).toUrl()); });
    if (registered_) search->reindexDocumentation();

    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->addWidget(search_query_);
    layout->addWidget(search_results_);
    return pane;
}

void HelpViewer::list_results(int count) {
    search_results_->clear();
    for (const QHelpSearchResult& found : engine_.searchEngine()->searchResults(0, count)) {
        auto* item = new QListWidgetItem(found.title(), search_results_);
        item->setData(Qt::UserRole, found.url());
    }
    if (count == 0) new QListWidgetItem(tr("No page holds these words"), search_results_);
}

void HelpViewer::open_entry(const QModelIndex& entry) {
    if (const QHelpContentItem* item = engine_.contentModel()->contentItemAt(entry))
        open_page(item->url());
}

// A page asked for twice in a row, by a double click say, is one step of the history.
void HelpViewer::open_page(const QUrl& page) {
    if (page.isValid() && page != browser_->source()) browser_->setSource(page);
}

void HelpViewer::select_in_contents(const QUrl& page) {
    QHelpContentWidget* contents = engine_.contentWidget();
    const QModelIndex entry = contents->indexOf(page);
    if (entry.isValid()) contents->setCurrentIndex(entry);
}

// The viewer is owned by the game's window: it stays in front of the game and goes with it. One
// open on another file makes way for the file asked for.
class Viewers : public QObject, public Module {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELLOX_HELP_MODULE)
    Q_INTERFACES(help::Module)

public:
    void show_help(QPointer<QWidget>& open, QMainWindow& game, QMargins frame, const QString& file,
                   const QString& topic) override {
        auto* viewer = qobject_cast<HelpViewer*>(open.data());
        if (viewer && viewer->file() != file) {
            viewer->close();
            viewer = nullptr;
        }
        std::unique_ptr<HelpViewer> fresh;
        if (!viewer) {
            fresh = std::make_unique<HelpViewer>(file, &game);
            viewer = fresh.get();
        }
        const QUrl page = viewer->topic_page(topic);
        if (page.isEmpty()) return;
        if (fresh) {
            open = fresh.release();
            viewer->place_beside(game, frame);
        }
        viewer->show_page(page);
    }
};

} // namespace help

#include "help_viewer.moc"
