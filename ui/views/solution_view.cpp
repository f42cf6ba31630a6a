// The solution pane: drawing and its two colour choices.
#include "ui/views/solution_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QPainter>

#include "document/pane_text.h"
#include "document/velmora_doc.h"
#include "model/move_notation.h"
#include "ui/views/pane_drawing.h"
#include "ui/views/solution_layout.h"

namespace velmora {
namespace {

// Opens the colour dialog on one colour entry and reports the outcome.
void ChooseColourEntry(CVelmoraDoc& doc, int index, bool fullyOpen, std::string_view prompt,
                       std::string_view done) {
    doc.ShowStatus(prompt);
    int colour = doc.settings.colourSettings[index];
    if (doc.user.ChooseColour(colour, fullyOpen)) {
        doc.settings.colourSettings[index] = colour;
        doc.ShowStatus(done);
        doc.Redraw();
    } else {
        doc.ShowStatus("就绪");
    }
}

// The first character of the record token at or after record position i (a separator
// gives the token after it); -1 where there is none.
int OwnTokenStart(std::string_view record, int i) {
    const int length = static_cast<int>(record.size());
    if (i < kRecordMovesStart || i >= length) return -1;
    if (IsSeparatorChar(record[i])) {
        while (i < length && IsSeparatorChar(record[i])) ++i;
        return i < length ? i : -1;
    }
    while (i > kRecordMovesStart && !IsSeparatorChar(record[i - 1])) --i;
    return i;
}

// The layout of the pane: the record as it is, or with its moves in the international
// notation (translated holds that text).
void LayoutPane(const CVelmoraDoc& doc, InternationalRecord& translated, SolutionLayout& layout) {
    const CTarnexSource& m = doc.model;
    if (!doc.internationalShown) {
        LayoutSolution(m.SolutionRecord.view(), m.demoPos, m.methodUsed, layout);
    } else {
        translated = TranslateSolutionRecord(m.SolutionRecord.view());
        LayoutSolution(translated.text, translated.FromOwn(m.demoPos), m.methodUsed, layout, true);
    }
    // A proven fewest-turns solution says so in place of the plain count.
    if (m.methodUsed == 5 && m.optimalFigures.searched) layout.turns.Format(" %s", m.optimalFigures.note.c_str());
}

}  // namespace

CTarnexSolutionView::CTarnexSolutionView(CVelmoraDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    clickTimer_ = new QTimer(this);
    clickTimer_->setSingleShot(true);
    connect(clickTimer_, &QTimer::timeout, this, [this] { JumpToTokenAt(clickPoint_.x(), clickPoint_.y()); });
}

double CTarnexSolutionView::Scale() const {
    const QFont desktop = QApplication::font();
    double pixels = desktop.pixelSize();
    if (pixels <= 0) pixels = desktop.pointSizeF() * logicalDpiY() / 72.0;
    return pixels > 12 ? pixels / 12.0 : 1.0;
}

int CTarnexSolutionView::CharWidth() const { return QFontMetrics(PaneFont()).horizontalAdvance(QLatin1Char('0')); }

void CTarnexSolutionView::JumpToTokenAt(int x, int y) {
    const CTarnexSource& m = doc_.model;
    if (m.inputMode < 0) return;
    int line = 0, column = 0;
    if (!SolutionCellAt(x, y, CharWidth(), line, column)) return;
    SolutionLayout layout;
    InternationalRecord translated;
    LayoutPane(doc_, translated, layout);
    int target = -1;
    if (!doc_.internationalShown) {
        target = SolutionTokenAt(m.SolutionRecord.view(), layout, line, column);
    } else {
        const int i = SolutionRecordIndexAt(layout, line, column);
        if (i >= 0 && i < static_cast<int>(translated.ownIndex.size()))
            target = OwnTokenStart(m.SolutionRecord.view(), translated.ownIndex[static_cast<std::size_t>(i)]);
    }
    if (target >= 0) doc_.StepSolutionTo(target);
}

QImage CTarnexSolutionView::Render() const {
    const int* colours = doc_.settings.colourSettings;
    const CTarnexSource& m = doc_.model;
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(RefColour(colours[0]));
    QPainter p(&image);
    p.scale(Scale(), Scale());
    p.setFont(PaneFont());
    p.setPen(RefColour(colours[7]));
    if (m.inputMode < 0) {
        for (int i = 0; i < 3; ++i) DrawTextAt(p, 6, 10 + 28 * i, Utf8(kInputInstructions[i]));
        return image;
    }
    SolutionLayout layout;
    InternationalRecord translated;
    LayoutPane(doc_, translated, layout);
    DrawTextAt(p, 14, 9, QStringLiteral("建议复原方法："));
    DrawTextAt(p, 14, 29, Utf8(layout.turns.view()));
    DrawTextAt(p, 14, 49, Utf8(layout.method));
    const int charWidth = CharWidth();
    const int lineHeight = QFontMetrics(p.font()).height();
    for (int i = 0; i < layout.lineCount; ++i) {
        const int y = SolutionLayout::kFirstLineY + SolutionLayout::kLinePitch * i;
        const QString text = QString::fromLatin1(layout.lines[i].c_str());
        DrawTextAt(p, 132, y, text);
        // The token the next step demonstrates, in reversed colours.
        const auto [begin, end] = layout.highlight[i];
        if (begin < end) {
            p.fillRect(132 + begin * charWidth, y, (end - begin) * charWidth, lineHeight, RefColour(colours[7]));
            p.setPen(RefColour(colours[0]));
            DrawTextAt(p, 132 + begin * charWidth, y, text.mid(begin, end - begin));
            p.setPen(RefColour(colours[7]));
        }
    }
    return image;
}

void CTarnexSolutionView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, Render());
    if (hasFocus()) {
        p.setPen(QPen(RefColour(doc_.settings.colourSettings[7]), 2, Qt::DashLine));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void CTarnexSolutionView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // The keyboard's way to the two colour choices: Enter as the double click (text
    // colour), the menu key or Shift+F10 as the right click (background colour).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !mods) {
        ChooseColourEntry(doc_, 7, false, "请选择文字颜色", "文字颜色设置成功！");
        return;
    }
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
        ChooseColourEntry(doc_, 0, true, "请选择背景颜色", "背景颜色设置成功！");
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTarnexSolutionView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CTarnexSolutionView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void CTarnexSolutionView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    clickTimer_->stop();
    ignoreRelease_ = true;
    ChooseColourEntry(doc_, 7, false, "请选择文字颜色", "文字颜色设置成功！");
}

void CTarnexSolutionView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (ignoreRelease_) {
            ignoreRelease_ = false;
        } else {
            clickPoint_ = (event->position() / Scale()).toPoint();
            clickTimer_->start(QApplication::doubleClickInterval());
        }
        return;
    }
    if (event->button() != Qt::RightButton) return;
    ChooseColourEntry(doc_, 0, true, "请选择背景颜色", "背景颜色设置成功！");
}

}  // namespace velmora
