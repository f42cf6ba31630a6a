// Accessible interfaces of the panes and checkable buttons, and the change events that
// keep a screen reader up to date with the document.
#include "ui/views/pane_accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "document/lesson_marks.h"
#include "document/lesson_text.h"
#include "document/pane_text.h"
#include "document/velmora_doc.h"
#include "ui/gl/lesson_source.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/net_view.h"
#include "ui/views/pane_drawing.h"
#include "ui/views/solution_layout.h"
#include "ui/views/solution_view.h"

namespace velmora {
namespace {

constexpr int kNetRows = 18;  // six faces of three rows
constexpr int kNetColumns = 3;

// A cell's name; in learn mode a lit sticker says so after its colour: "已到位" for one
// an earlier stage put home, "本阶段" for one the current stage brings home.
QString NetCellText(const CVelmoraDoc& doc, int cell, const LessonView& lesson) {
    QString name = Utf8(NetCellName(doc.model, cell, doc.settings.colourSettings));
    if (lesson.active && doc.model.inputMode >= 0) {
        const StickerLight light = NetCellLight(doc.model, lesson, cell);
        if (light == StickerLight::Home) name += Utf8(" 已到位");
        if (light == StickerLight::Stage) name += Utf8(" 本阶段");
    }
    return name;
}
QString NetCellText(const CVelmoraDoc& doc, int cell) { return NetCellText(doc, cell, ShownLesson(doc)); }

// The solution pane's description: the step, and in learn mode first the stage's name
// and goal (and while practising how far the user has got).
QString SolutionDescription(const CVelmoraDoc& doc) {
    const QString step = Utf8(StepAnnouncement(doc.model.SolutionRecord.view(), doc.model.demoPos));
    const std::string lesson = LessonAnnouncement(ShownLesson(doc));
    return lesson.empty() ? step : Utf8(lesson) + Utf8("；") + step;
}

// A button whose accessible actions click it: a checkable button's "Toggle" runs the
// same command or dialog step a mouse click runs, not just a flip of its mark. The
// click is queued, so that a dialog it opens does not hold the caller's request.
class ClickButtonAccessible : public QAccessibleWidget {
public:
    explicit ClickButtonAccessible(QAbstractButton* b) : QAccessibleWidget(b, RoleOf(b)) {}

    static QAccessible::Role RoleOf(QAbstractButton* b) {
        if (qobject_cast<QRadioButton*>(b)) return QAccessible::RadioButton;
        if (qobject_cast<QCheckBox*>(b)) return QAccessible::CheckBox;
        return QAccessible::Button;
    }
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }

    QString text(QAccessible::Text t) const override {
        QAbstractButton* b = Button();
        if (t == QAccessible::Name) {
            QString name = b->accessibleName();
            if (name.isEmpty()) name = b->text();
            if (name.isEmpty()) name = b->toolTip();
            // A menu text carries its shortcut after a tab; the mnemonic marks go too.
            name = name.section(QLatin1Char('\t'), 0, 0);
            name.remove(QLatin1Char('&'));
            return name;
        }
        if (t == QAccessible::Description) {
            if (!b->accessibleDescription().isEmpty()) return b->accessibleDescription();
            return b->toolTip() != text(QAccessible::Name) ? b->toolTip() : QString();
        }
        if (t == QAccessible::Accelerator) {
            if (auto* tool = qobject_cast<QToolButton*>(b); tool && tool->defaultAction())
                return tool->defaultAction()->shortcut().toString(QKeySequence::NativeText);
            return b->shortcut().toString(QKeySequence::NativeText);
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        QAbstractButton* b = Button();
        s.checkable = b->isCheckable();
        s.checked = b->isChecked();
        s.pressed = b->isDown();
        return s;
    }
    QStringList actionNames() const override {
        if (!Button()->isEnabled()) return {};
        if (Button()->isCheckable()) return {toggleAction(), pressAction()};
        return {pressAction()};
    }
    QStringList keyBindingsForAction(const QString&) const override {
        const QString keys = text(QAccessible::Accelerator);
        return keys.isEmpty() ? QStringList() : QStringList(keys);
    }
    void doAction(const QString& name) override {
        if (name != pressAction() && name != toggleAction()) return;
        QPointer<QAbstractButton> b = Button();
        if (!b->isEnabled()) return;
        QTimer::singleShot(0, b, [b] {
            if (b && b->isEnabled()) b->click();
        });
    }
};

// The net pane: a table of 18 rows (three per face, T F R P L B) and 3 columns whose
// cells are the 54 stickers, cell = 3 * row + column.
class NetAccessible;

class NetCellAccessible : public QAccessibleInterface,
                          public QAccessibleTableCellInterface,
                          public QAccessibleActionInterface {
public:
    NetCellAccessible(CVelmoraView* view, int cell) : view_(view), cell_(cell) {}

    bool isValid() const override { return view_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table()->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!view_) return {};
        if (t == QAccessible::Name) return NetCellText(view_->Doc(), cell_);
        if (t == QAccessible::Description && view_->Doc().model.inputMode < 0)
            return Utf8("回车或默认动作用选中的颜色涂这一小块");
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_) return {};
        const QRect r = view_->CellRect(cell_);
        return QRect(view_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!view_) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        s.selected = view_->CursorCell() == cell_;
        s.focused = s.selected && view_->hasFocus();
        s.invisible = !view_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
        if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return view_ && view_->CursorCell() == cell_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return cell_ % kNetColumns; }
    int rowIndex() const override { return cell_ / kNetColumns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return QAccessible::queryAccessibleInterface(view_.data()); }

    // The default action is what Enter does on the cursor cell: in cube input it paints
    // the sticker with the chosen colour (a centre turns its mark), otherwise it names
    // the sticker in the message pane.
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (!view_) return;
        if (name == setFocusAction()) {
            view_->SetCursorCell(cell_);
            view_->setFocus(Qt::OtherFocusReason);
        } else if (name == pressAction()) {
            QPointer<CVelmoraView> v = view_;
            const int cell = cell_;
            QTimer::singleShot(0, v, [v, cell] {
                if (!v) return;
                v->SetCursorCell(cell);
                v->ActivateCell(cell);
            });
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<CVelmoraView> view_;
    int cell_;
};

class NetAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit NetAccessible(CVelmoraView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~NetAccessible() override {
        for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
    }
    CVelmoraView* View() const { return static_cast<CVelmoraView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return Utf8(kNetPaneName);
        if (t == QAccessible::Description) {
            return View()->Doc().model.inputMode < 0
                       ? Utf8("方向键移动光标，数字键1到6选择颜色，回车涂色")
                       : Utf8("六个面，每面三行三列");
        }
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return kFaceletCount; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= kFaceletCount) return nullptr;
        if (const auto it = cells_.constFind(index); it != cells_.cend())
            return QAccessible::accessibleInterface(*it);
        auto* cell = new NetCellAccessible(View(), index);
        cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || child->role() != QAccessible::Cell || child->parent() != this) return -1;
        const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        return cell ? cell->rowIndex() * kNetColumns + cell->columnIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p = View()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < kFaceletCount; ++i)
            if (View()->CellRect(i).contains(p)) return child(i);
        return nullptr;
    }
    void doAction(const QString& name) override {
        if (name == setFocusAction()) View()->activateWindow();
        QAccessibleWidget::doAction(name);
    }
    QAccessibleInterface* focusChild() const override {
        return View()->hasFocus() ? child(View()->CursorCell()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= kNetRows || column < 0 || column >= kNetColumns) return nullptr;
        return child(row * kNetColumns + column);
    }
    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface*> selectedCells() const override { return {child(View()->CursorCell())}; }
    QString columnDescription(int column) const override { return Utf8("第%1列").arg(column + 1); }
    QString rowDescription(int row) const override {
        return Utf8(FaceName(row / 3 + 1)) + Utf8(" 第%1行").arg(row % 3 + 1);
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kNetColumns; }
    int rowCount() const override { return kNetRows; }
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
    mutable QHash<int, QAccessible::Id> cells_;
};

// The solution pane: read-only text (method, turn count, moves), the caret before the
// token the next step demonstrates and that token selected.
class SolutionAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SolutionAccessible(CTarnexSolutionView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}
    CTarnexSolutionView* View() const { return static_cast<CTarnexSolutionView*>(widget()); }
    const CTarnexSource& Model() const { return View()->Doc().model; }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return Utf8(kSolutionPaneName);
        if (t == QAccessible::Description) return SolutionDescription(View()->Doc());
        if (t == QAccessible::Value) return Full();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    // The text in the notation shown and the text position of the record's first move.
    QString Full(int* moveStart = nullptr) const { return View()->AccessibleText(moveStart); }

    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index != 0) return;
        const auto [b, e] = View()->AccessibleNextToken();
        *startOffset = b;
        *endOffset = e;
    }
    int selectionCount() const override {
        int b = 0, e = 0;
        selection(0, &b, &e);
        return b < e ? 1 : 0;
    }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return View()->AccessibleCaret(); }
    // Moving the caret onto a move steps the demonstration to just before it, as a
    // click on the move does (queued: a step may ask a question).
    void setCursorPosition(int position) override {
        const int target = View()->OwnRecordPositionAt(position);
        if (target < 0) return;
        QPointer<CTarnexSolutionView> view = View();
        QTimer::singleShot(0, view, [view, target] {
            if (view) view->Doc().StepSolutionTo(target);
        });
    }
    QString text(int startOffset, int endOffset) const override {
        const QString full = Full();
        if (startOffset < 0) startOffset = 0;
        if (endOffset < 0 || endOffset > full.size()) endOffset = static_cast<int>(full.size());
        return startOffset < endOffset ? full.mid(startOffset, endOffset - startOffset) : QString();
    }
    int characterCount() const override { return static_cast<int>(Full().size()); }
    // Where a character is drawn, in screen coordinates; empty while it is scrolled
    // out of the pane.
    QRect characterRect(int offset) const override {
        const QRect r = View()->AccessibleCharacterRect(offset);
        if (r.isEmpty() || !View()->rect().intersects(r)) return {};
        return QRect(View()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return View()->AccessibleOffsetAt(View()->mapFromGlobal(point));
    }
    // Scrolls the pane so that the line of the range's first character shows.
    void scrollToSubstring(int startIndex, int) override {
        CTarnexSolutionView* view = View();
        view->SyncScroll();
        const QRect r = view->AccessibleCharacterRect(startIndex);
        if (r.isEmpty()) return;
        const QPoint unscaled = ((QPointF(r.center()) + QPointF(0, view->ScrollOffset())) / view->Scale()).toPoint();
        int line = 0, column = 0;
        if (SolutionCellAt(view->Layout().geometry, unscaled.x(), unscaled.y(), view->CharWidth(), line, column))
            view->ScrollLineIntoView(line);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }
};

// The 3D pane: a drawing named "魔方立体图" whose description tells the position.
class CubeAccessible : public QAccessibleWidget {
public:
    CubeAccessible(CTarnex3dView* view, CVelmoraDoc* doc) : QAccessibleWidget(view, QAccessible::Canvas), doc_(doc) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return Utf8(kCubePaneName);
        if (t == QAccessible::Description && doc_) return Utf8(CubeDescription(doc_->model));
        return QAccessibleWidget::text(t);
    }
    // The default action is the double click: the designed angle, in cube input the
    // input tool (queued: the tool is a modal dialog).
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        QPointer<CTarnex3dView> view = static_cast<CTarnex3dView*>(widget());
        if (name == setFocusAction()) {
            // Focus asked for by a screen reader also brings the window forward.
            view->activateWindow();
            view->setFocus(Qt::OtherFocusReason);
        } else if (name == pressAction()) {
            QTimer::singleShot(0, view, [view] {
                if (view) view->Straighten();
            });
        }
    }

private:
    CVelmoraDoc* doc_;
};

// A status bar pane: a fixed name, its message as text.
class StatusPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    StatusPaneAccessible(QLabel* label, const char* name, QAccessible::Role role)
        : QAccessibleWidget(label, role), name_(name) {}
    QLabel* Label() const { return static_cast<QLabel*>(widget()); }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return Utf8(name_);
        if (t == QAccessible::Description || t == QAccessible::Value) return Label()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString full = Label()->text();
        if (startOffset < 0) startOffset = 0;
        if (endOffset < 0 || endOffset > full.size()) endOffset = static_cast<int>(full.size());
        return startOffset < endOffset ? full.mid(startOffset, endOffset - startOffset) : QString();
    }
    int characterCount() const override { return static_cast<int>(Label()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    const char* name_;
};

// A splitter lists its panes in the order they appear, top to bottom and left to
// right, so that a screen reader walks cube, net, solution (the splitters keep their
// children in another order).
class SplitterAccessible : public QAccessibleWidget {
public:
    explicit SplitterAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Splitter) {}

    QList<QWidget*> Panes() const {
        QList<QWidget*> panes;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !w->isHidden()) panes.append(w);
        }
        std::stable_sort(panes.begin(), panes.end(), [](const QWidget* a, const QWidget* b) {
            const QPoint pa = a->geometry().topLeft(), pb = b->geometry().topLeft();
            return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
        });
        return panes;
    }
    int childCount() const override { return static_cast<int>(Panes().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> panes = Panes();
        return index >= 0 && index < panes.size() ? QAccessible::queryAccessibleInterface(panes[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return static_cast<int>(Panes().indexOf(qobject_cast<QWidget*>(child->object())));
    }
};

// The document the 3D pane belongs to, set by the announcer that names it.
QHash<QObject*, CVelmoraDoc*>& CubeDocs() {
    static QHash<QObject*, CVelmoraDoc*> docs;
    return docs;
}

QAccessibleInterface* PaneFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("velmora::CVelmoraView"))
        return new NetAccessible(static_cast<CVelmoraView*>(object));
    if (className == QLatin1String("velmora::CTarnexSolutionView"))
        return new SolutionAccessible(static_cast<CTarnexSolutionView*>(object));
    if (className == QLatin1String("velmora::CTarnex3dView"))
        return new CubeAccessible(static_cast<CTarnex3dView*>(object), CubeDocs().value(object, nullptr));
    if (className == QLatin1String("QLabel")) {
        if (object->objectName() == QLatin1String("messagePane"))
            return new StatusPaneAccessible(static_cast<QLabel*>(object), kMessagePaneName, QAccessible::StatusBar);
        if (object->objectName() == QLatin1String("keyPane"))
            return new StatusPaneAccessible(static_cast<QLabel*>(object), kKeyPaneName, QAccessible::StaticText);
        return nullptr;
    }
    if (className == QLatin1String("QSplitter") &&
        (object->objectName() == QLatin1String("outerSplitter") || object->objectName() == QLatin1String("innerSplitter")))
        return new SplitterAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("QToolButton") || className == QLatin1String("QRadioButton") ||
        className == QLatin1String("QCheckBox"))
        return new ClickButtonAccessible(static_cast<QAbstractButton*>(object));
    return nullptr;
}

void Notify(QObject* object, QAccessible::Event type) {
    QAccessibleEvent event(object, type);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

void InstallPaneAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(PaneFactory);
}

PaneAnnouncer::PaneAnnouncer(CVelmoraDoc& doc, CTarnex3dView* cube, CVelmoraView* net, CTarnexSolutionView* solution,
                             QLabel* messagePane, QLabel* keyPane, QObject* parent)
    : QObject(parent),
      doc_(doc),
      cube_(cube),
      net_(net),
      solution_(solution),
      messagePane_(messagePane),
      keyPane_(keyPane),
      keyText_(keyPane->text()) {
    InstallPaneAccessibility();
    CubeDocs().insert(cube, &doc);
    connect(cube, &QObject::destroyed, this, [](QObject* o) { CubeDocs().remove(o); });
    // The names also serve code that reads the widgets' own properties.
    cube->setAccessibleName(Utf8(kCubePaneName));
    net->setAccessibleName(Utf8(kNetPaneName));
    solution->setAccessibleName(Utf8(kSolutionPaneName));
    const LessonView lesson = ShownLesson(doc_);
    for (int i = 0; i < kFaceletCount; ++i) cellNames_.append(NetCellText(doc_, i, lesson));
    description_ = SolutionDescription(doc_);
    solutionText_ = solution->AccessibleText();
    step_ = doc_.model.demoPos;
    inputMode_ = doc_.model.inputMode;
}

void PaneAnnouncer::Refresh() {
    const bool active = QAccessible::isActive();
    QAccessibleInterface* table = active ? QAccessible::queryAccessibleInterface(net_) : nullptr;
    bool cellsChanged = false;
    const LessonView lesson = ShownLesson(doc_);
    for (int i = 0; i < kFaceletCount; ++i) {
        const QString name = NetCellText(doc_, i, lesson);
        if (name == cellNames_[i]) continue;
        cellNames_[i] = name;
        cellsChanged = true;
        if (table) {
            QAccessibleEvent event(table->child(i), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (cellsChanged && active) Notify(net_, QAccessible::VisibleDataChanged);
    // The net tells its keys in cube input and its layout otherwise.
    if (doc_.model.inputMode != inputMode_ && active) Notify(net_, QAccessible::DescriptionChanged);
    inputMode_ = doc_.model.inputMode;

    const QString text = solution_->AccessibleText();
    const bool textChanged = text != solutionText_;
    const bool stepChanged = doc_.model.demoPos != step_;
    if (textChanged) {
        if (active) {
            QAccessibleTextUpdateEvent event(solution_, 0, solutionText_, text);
            QAccessible::updateAccessibility(&event);
        }
        solutionText_ = text;
    }
    step_ = doc_.model.demoPos;
    // A new stage, or the user's own progress in practice, changes the description
    // without a step.
    const QString description = SolutionDescription(doc_);
    const bool descriptionChanged = description != description_;
    description_ = description;
    if ((textChanged || stepChanged || descriptionChanged) && active) {
        if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(solution_)) {
            if (QAccessibleTextInterface* t = iface->textInterface()) {
                QAccessibleTextCursorEvent caret(solution_, t->cursorPosition());
                QAccessible::updateAccessibility(&caret);
                int b = 0, e = 0;
                t->selection(0, &b, &e);
                QAccessibleTextSelectionEvent selected(solution_, b, e);
                QAccessible::updateAccessibility(&selected);
            }
        }
        // The step in words ("第 12 步，共 58 步：R+") is the pane's description.
        Notify(solution_, QAccessible::DescriptionChanged);
    }
    if (active) Notify(cube_, QAccessible::DescriptionChanged);
    // The key pane's text (a pending typed key, the demonstration) is its description.
    if (keyPane_->text() != keyText_) {
        keyText_ = keyPane_->text();
        if (active) Notify(keyPane_, QAccessible::DescriptionChanged);
    }
}

void PaneAnnouncer::MessageShown(const QString& before, const QString& now) {
    if (!QAccessible::isActive() || before == now) return;
    // The message pane is the window's live region: its new text arrives as a text
    // change, which screen readers speak for a status bar.
    QAccessibleTextUpdateEvent event(messagePane_, 0, before, now);
    QAccessible::updateAccessibility(&event);
    Notify(messagePane_, QAccessible::DescriptionChanged);
}

}  // namespace velmora
