// The board, the status panels and the computer's moves as a screen reader sees them.
#include "app/qt/accessibility.h"

#include "app/controller.h"
#include "app/qt/main_window.h"
#include "view/board_view.h"
#include "view/qt/board_surface.h"
#include "view/qt/twips.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <array>

namespace app {

namespace {

using view::BoardSurface;

constexpr int lines = 19;
constexpr int cell_count = lines * lines;
constexpr int win_markers = 5;

// The newest computer move in words, and its stone, so that a refresh without a move is silent.
QString move_statement;
QPointer<view::PictureElement> told_stone;

bool marker_at(int x, int y) {
    for (int index = 1; index <= win_markers; ++index) {
        const view::ImageElement* marker = view::image(view::ImageArray::x_image, index);
        if (marker && marker->visible && marker->left + marker->width / 2 == view::point_left(x) &&
            marker->top + marker->height / 2 == view::point_top(y))
            return true;
    }
    return false;
}

QString color_name(int color) { return QString::fromUtf8(engine::color_names[color - 1]); }

// "10, 10: GREEN stone", "2, 5: empty", "1, 7: outer line", read from the game when asked.
QString cell_name(int x, int y) {
    QString what = QStringLiteral("outer line");
    if (engine::is_interior(x, y)) {
        const int color = game.cell(x, y).color;
        what = color == engine::empty ? QStringLiteral("empty") : color_name(color) + " stone";
        if (marker_at(x, y)) what += QStringLiteral(", win marker");
    }
    return QStringLiteral("%1, %2: %3").arg(x).arg(y).arg(what);
}

void tell(QAccessibleInterface* about, QAccessible::Event change) {
    QAccessibleEvent event(about, change);
    QAccessible::updateAccessibility(&event);
}

// An interface with no object behind it and no children, a part of its owner widget's: one of
// the board's cells, or the window's move status.
template <typename Owner> class PartOf : public QAccessibleInterface {
public:
    explicit PartOf(Owner* owner) : owner_(owner) {}
    bool isValid() const override { return owner_; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<Owner> owner_;
};

class CellAccessible : public PartOf<BoardSurface>, public QAccessibleTableCellInterface {
public:
    CellAccessible(BoardSurface* board, int row, int column)
        : PartOf(board), row_(row), column_(column) {}
    QPoint point() const { return QPoint(column_ + 1, row_ + 1); }
    QString text(QAccessible::Text text) const override {
        return text == QAccessible::Name ? cell_name(point().x(), point().y()) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.focused = owner_ && owner_->hasFocus() && owner_->cursor_point() == point();
        return state;
    }
    QRect rect() const override {
        if (!owner_) return QRect();
        const view::Zoom& zoom = owner_->zoom();
        const int side = zoom.pixels(view::grid_step);
        QRect square(0, 0, side, side);
        square.moveCenter(owner_->mapToGlobal(
            zoom.at(QPoint(view::point_left(point().x()), view::point_top(point().y())))));
        return square;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    int row_;
    int column_;
};

// The computer's last move in words, a status line of the window.
class MoveStatusAccessible : public PartOf<QWidget> {
public:
    explicit MoveStatusAccessible(QWidget* window) : PartOf(window) {}
    QString text(QAccessible::Text text) const override {
        if (text == QAccessible::Name) return move_statement;
        return text == QAccessible::Description ? QStringLiteral("Computer's last move")
                                                : QString();
    }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override { return {}; }
    QRect rect() const override { return QRect(); }
};

// The main window: its widgets, the board and the side panel among them, then the move status.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window),
          status_(QAccessible::registerAccessibleInterface(new MoveStatusAccessible(window))) {}
    ~WindowAccessible() override { QAccessible::deleteAccessibleInterface(status_); }

    QAccessibleInterface* status() const { return QAccessible::accessibleInterface(status_); }

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface* child(int index) const override {
        return index == QAccessibleWidget::childCount() ? status()
                                                        : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == status() ? QAccessibleWidget::childCount()
                                 : QAccessibleWidget::indexOfChild(child);
    }

private:
    QAccessible::Id status_;
};

// The board: a table of 19 x 19 points, and nothing else, whose focused cell is the cursor's. Its
// stones, markers and cursor are told as cells.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(BoardSurface* board) : QAccessibleWidget(board, QAccessible::Table) {
        QObject::connect(board, &BoardSurface::piece_changed, board,
                         [this](QPoint point) { name_changed(point); });
        // After the window has told of the board's own focus.
        QObject::connect(
            board, &BoardSurface::cursor_moved, board, [this] { focus_cursor_cell(); },
            Qt::QueuedConnection);
    }
    ~BoardAccessible() override {
        for (QAccessible::Id id : cell_ids_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text text) const override {
        return text == QAccessible::Name ? QStringLiteral("Board") : QAccessibleWidget::text(text);
    }
    int childCount() const override { return cell_count; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < cell_count ? cellAt(index / lines, index % lines) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < cell_count; ++index)
            if (cell_ids_[index] && QAccessible::accessibleInterface(cell_ids_[index]) == child)
                return index;
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        if (!widget()->hasFocus()) return nullptr;
        const QPoint point = board()->cursor_point();
        return cellAt(point.y() - 1, point.x() - 1);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= lines || column < 0 || column >= lines) return nullptr;
        QAccessible::Id& id = cell_ids_[row * lines + column];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new CellAccessible(board(), row, column));
        return QAccessible::accessibleInterface(id);
    }
    int columnCount() const override { return lines; }
    int rowCount() const override { return lines; }
    QString columnDescription(int column) const override { return QString::number(column + 1); }
    QString rowDescription(int row) const override { return QString::number(row + 1); }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    // Points are played, never selected.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    BoardSurface* board() const { return static_cast<BoardSurface*>(widget()); }

    // Told once the handler has finished, when the game and the pictures agree again.
    void name_changed(QPoint point) {
        if (changed_.isEmpty()) QTimer::singleShot(0, widget(), [this] { tell_names_changed(); });
        changed_.insert((point.y() - 1) * lines + point.x() - 1);
    }
    void tell_names_changed() {
        for (int index : std::as_const(changed_))
            if (QAccessibleInterface* cell = cellAt(index / lines, index % lines))
                tell(cell, QAccessible::NameChanged);
        changed_.clear();
    }
    void focus_cursor_cell() {
        if (QAccessibleInterface* cell = focusChild()) tell(cell, QAccessible::Focus);
    }

    mutable std::array<QAccessible::Id, cell_count> cell_ids_{};
    QSet<int> changed_;
};

// A status panel: named for what it counts, its value the text it shows. The counters also
// offer it as a number.
class PanelAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit PanelAccessible(QLabel* panel) : QAccessibleWidget(panel, QAccessible::StaticText) {}
    QString text(QAccessible::Text text) const override {
        if (text == QAccessible::Value || text == QAccessible::Description) return shown();
        return QAccessibleWidget::text(text);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        bool number = false;
        shown().toInt(&number);
        if (type == QAccessible::ValueInterface && number)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return shown().toInt(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return currentValue(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    QString shown() const { return static_cast<QLabel*>(widget())->text(); }
};

QAccessibleInterface* make_accessible(const QString&, QObject* object) {
    if (auto* board = qobject_cast<BoardSurface*>(object)) return new BoardAccessible(board);
    if (auto* window = qobject_cast<MainWindow*>(object)) return new WindowAccessible(window);
    auto* label = qobject_cast<QLabel*>(object);
    // Only the status panels have names of their own; other labels say their caption.
    if (label && !label->accessibleName().isEmpty()) return new PanelAccessible(label);
    return nullptr;
}

} // namespace

void install_accessibility() { QAccessible::installFactory(make_accessible); }

void tell_panel_changed(QLabel* panel) {
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent value(panel, panel->text());
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(panel, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

namespace {

// The move status says statement from now on, and a screen reader hears of it.
void tell_statement(const QString& statement) {
    move_statement = statement;
    if (!QAccessible::isActive() || !view::board_surface) return;
    auto* window = dynamic_cast<WindowAccessible*>(
        QAccessible::queryAccessibleInterface(view::board_surface->window()));
    if (window) tell(window->status(), QAccessible::NameChanged);
}

} // namespace

void tell_hint(const QString& text) { tell_statement(text); }

void tell_computer_move(const std::string& tactic) {
    if (!view::board_surface) return;
    view::PictureElement* stone = view::board_surface->computer_stone();
    if (!stone || stone == told_stone) return;
    told_stone = stone;
    const QPoint point = BoardSurface::point_of(stone);
    const int color = stone->array() == view::ImageArray::g_stone ? engine::green : engine::red;
    tell_statement(QStringLiteral("%1 plays %2, %3: %4")
                       .arg(color_name(color))
                       .arg(point.x())
                       .arg(point.y())
                       .arg(QString::fromStdString(tactic)));
}

} // namespace app
