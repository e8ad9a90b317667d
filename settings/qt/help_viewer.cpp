// The help viewer on the Qt Help engine, and the help operations that open it.
#include "settings/qt/help_viewer.h"

#include "app/qt/main_window.h"
#include "settings/system_platform.h"

#include <QHelpContentWidget>
#include <QHelpLink>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <memory>

namespace help {

namespace {

constexpr int contents_width = 210;
constexpr int page_width = 560;
constexpr int viewer_height = 520;

// Loads the help file's pages and style sheet through the help engine.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String("qthelp")) return engine_.fileData(name);
        return QTextBrowser::loadResource(type, name);
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
    auto* splitter = new QSplitter(this);
    splitter->addWidget(contents);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({contents_width, page_width});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(contents_width + page_width, viewer_height);

    connect(contents, &QHelpContentWidget::linkActivated, browser_,
            [this](const QUrl& page) { browser_->setSource(page); });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::select_in_contents);
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

void HelpViewer::show_page(const QUrl& page) {
    browser_->setSource(page);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpViewer::select_in_contents(const QUrl& page) {
    QHelpContentWidget* contents = engine_.contentWidget();
    const QModelIndex entry = contents->indexOf(page);
    if (entry.isValid()) contents->setCurrentIndex(entry);
}

} // namespace help

// The viewer is owned by the main window: it stays in front of the game and goes with it. One
// open on another file makes way for the file asked for.
void platform::html_help(const std::string& file, const std::string& topic) {
    if (!app::main_window) return;
    QPointer<QWidget>& open = app::main_window->help_viewer;
    const QString path = QString::fromStdString(file);
    auto* viewer = qobject_cast<help::HelpViewer*>(open.data());
    if (viewer && viewer->file() != path) {
        viewer->close();
        viewer = nullptr;
    }
    std::unique_ptr<help::HelpViewer> fresh;
    if (!viewer) {
        fresh = std::make_unique<help::HelpViewer>(path, app::main_window);
        viewer = fresh.get();
    }
    const QUrl page = viewer->topic_page(QString::fromStdString(topic));
    if (page.isEmpty()) return;
    if (fresh) open = fresh.release();
    viewer->show_page(page);
}
