// The net pane: drawing into a picture and the mouse rules of the net.
#include "ui/views/net_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>

#include "document/settings.h"
#include "document/velmora_doc.h"
#include "ui/gl/lesson_source.h"
#include "ui/views/net_drawing.h"
#include "ui/views/pane_drawing.h"

namespace velmora {
namespace {

QPoint CellCentre(const FaceletRecord& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// The 54 sticker cells in reading order of the picture: by rows of the net, then left
// to right, so that Right and Left walk every sticker.
std::array<int, kFaceletCount> ReadingOrder(const CTarnexSource& m) {
    std::array<int, kFaceletCount> order{};
    for (int i = 0; i < kFaceletCount; ++i) order[static_cast<std::size_t>(i)] = i;
    std::stable_sort(order.begin(), order.end(), [&m](int a, int b) {
        const FaceletRecord& ra = m.FaceletTable[a];
        const FaceletRecord& rb = m.FaceletTable[b];
        if (CellCentre(ra).y() != CellCentre(rb).y()) return CellCentre(ra).y() < CellCentre(rb).y();
        return ra.left < rb.left;
    });
    return order;
}

// The nearest cell straight above (dy < 0) or below (dy > 0) a cell; the cell itself
// when there is none.
int VerticalNeighbour(const CTarnexSource& m, int cell, int dy) {
    const FaceletRecord& from = m.FaceletTable[cell];
    const QPoint c = CellCentre(from);
    int best = cell;
    long bestScore = -1;
    for (int i = 0; i < kFaceletCount; ++i) {
        const QPoint o = CellCentre(m.FaceletTable[i]);
        const int v = (o.y() - c.y()) * dy;
        if (v <= 0) continue;
        const long score = static_cast<long>(v) + 4L * std::abs(o.x() - c.x());
        if (bestScore < 0 || score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

}  // namespace

CVelmoraView::CVelmoraView(CVelmoraDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QImage CVelmoraView::Render() const {
    const int* colours = doc_.settings.colourSettings;
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(RefColour(colours[0]));
    QPainter p(&image);
    p.scale(Scale(), Scale());
    const LessonView lesson = ShownLesson(doc_);
    DrawNet(p, doc_.model, colours, &lesson);
    return image;
}

void CVelmoraView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, Render());
    if (!hasFocus()) return;
    // The focused pane is framed; in cube input the keyboard cursor frames its sticker.
    const QColor ink = RefColour(doc_.settings.colourSettings[7]);
    p.setPen(QPen(ink, 2, Qt::DashLine));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    if (doc_.model.inputMode == -1) {
        p.setPen(QPen(ink, 3));
        p.drawRect(CellRect(cursor_).adjusted(-3, -3, 3, 3));
    }
}

double CVelmoraView::Scale() const { return NetFitScale(size(), NetExtent(doc_.model)); }

QRect CVelmoraView::CellRect(int cell) const {
    if (cell < 0 || cell >= kFaceletCount) return {};
    const FaceletRecord& r = doc_.model.FaceletTable[cell];
    const double s = Scale();
    return QRectF(QPointF(r.left * s, r.top * s), QPointF(r.right * s, r.bottom * s)).toRect();
}

void CVelmoraView::SetCursorCell(int cell) {
    if (cell < 0 || cell >= kFaceletCount) return;
    cursor_ = cell;
    update();
    if (!QAccessible::isActive()) return;
    if (QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this)) {
        QAccessibleEvent selected(table->child(cell), QAccessible::Selection);
        QAccessible::updateAccessibility(&selected);
        if (hasFocus()) {
            QAccessibleEvent focus(table->child(cell), QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }
}

void CVelmoraView::ActivateCell(int cell) {
    if (cell < 0 || cell >= kFaceletCount) return;
    const FaceletRecord& r = doc_.model.FaceletTable[cell];
    const QPoint c((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    if (doc_.model.inputMode == -1)
        doc_.InputNetClick(c.x(), c.y());
    else
        NetClick(doc_, c.x(), c.y(), false, false);
}

bool CVelmoraView::TakesKey(int key) const {
    if (doc_.model.inputMode != -1) return false;
    switch (key) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Return: case Qt::Key_Enter:
        case Qt::Key_1: case Qt::Key_2: case Qt::Key_3: case Qt::Key_4: case Qt::Key_5: case Qt::Key_6:
            return true;
        default:
            return false;
    }
}

void CVelmoraView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // The colour choices of the right clicks: the menu key or Shift+F10 chooses the
    // selected palette colour in cube input, else the colour of the cursor's face;
    // with Ctrl the border colour (the right double click).
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && (mods & Qt::ShiftModifier))) {
        if (mods & Qt::ControlModifier) {
            ++clickCounter_;
            ChooseBorderColour(doc_);
            return;
        }
        const CTarnexSource& m = doc_.model;
        const int c = m.selectedColour;
        const int record = m.inputMode == -1 ? kNetCellCount + (c <= 6 ? c : c - 1) - 1 : 9 * (cursor_ / 9) + 4;
        const FaceletRecord& r = m.FaceletTable[record];
        ColourChoice(doc_, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return;
    }
    // Outside cube input the digits 1-6 put the cursor on a face's centre.
    if (doc_.model.inputMode != -1 && !mods && key >= Qt::Key_1 && key <= Qt::Key_6) {
        SetCursorCell(9 * (key - Qt::Key_1) + 4);
        return;
    }
    if (!TakesKey(key) || mods) {
        QWidget::keyPressEvent(event);
        return;
    }
    const CTarnexSource& m = doc_.model;
    const auto order = ReadingOrder(m);
    const auto at = static_cast<int>(std::find(order.begin(), order.end(), cursor_) - order.begin());
    switch (key) {
        case Qt::Key_Right: SetCursorCell(order[static_cast<std::size_t>(std::min(at + 1, kFaceletCount - 1))]); break;
        case Qt::Key_Left: SetCursorCell(order[static_cast<std::size_t>(std::max(at - 1, 0))]); break;
        case Qt::Key_Home: SetCursorCell(order.front()); break;
        case Qt::Key_End: SetCursorCell(order.back()); break;
        case Qt::Key_Up: SetCursorCell(VerticalNeighbour(m, cursor_, -1)); break;
        case Qt::Key_Down: SetCursorCell(VerticalNeighbour(m, cursor_, 1)); break;
        case Qt::Key_Return: case Qt::Key_Enter: ActivateCell(cursor_); break;
        default: {
            // A digit picks its palette swatch as a click on the swatch does.
            const FaceletRecord& swatch = m.FaceletTable[kNetCellCount + (key - Qt::Key_1)];
            doc_.InputNetClick((swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2);
            break;
        }
    }
    event->accept();
}

void CVelmoraView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CVelmoraView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void CVelmoraView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clickCounter_ = 0;
}

void CVelmoraView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = (event->position() / Scale()).toPoint();
    if (event->button() == Qt::LeftButton) {
        if (clickCounter_ > 0) return;
        ++clickCounter_;
        if (doc_.model.inputMode == -1) {
            doc_.InputNetClick(pos.x(), pos.y());
            return;
        }
        const Qt::KeyboardModifiers mods = event->modifiers();
        NetClick(doc_, pos.x(), pos.y(), mods == Qt::ShiftModifier, mods == Qt::ControlModifier);
    } else if (event->button() == Qt::RightButton) {
        doc_.ShowStatus("在展开图的字母上右击，可以选择该面颜色；在其它位置右键双击可以选择边框颜色。");
        ColourChoice(doc_, pos.x(), pos.y());
    }
}

void CVelmoraView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) return;
    ++clickCounter_;
    ChooseBorderColour(doc_);
}

}  // namespace velmora
