// The solution pane: drawing and its two colour choices.
#include "ui/views/solution_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "document/lesson_text.h"
#include "document/pane_text.h"
#include "document/velmora_doc.h"
#include "model/move_notation.h"
#include "ui/gl/lesson_source.h"
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

// Breaks a paragraph into lines no wider than width pixels of the pane's font; the
// text has no blanks to break at (Chinese), so any character may start a line.
QStringList Wrap(const QString& text, int width) {
    const QFontMetrics metrics(PaneFont());
    QStringList lines;
    QString line;
    for (const QChar c : text) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > width) {
            lines.append(line);
            line.clear();
        }
        line += c;
    }
    if (!line.isEmpty()) lines.append(line);
    return lines;
}

}  // namespace

CTarnexSolutionView::CTarnexSolutionView(CVelmoraDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), layout_(std::make_unique<SolutionLayout>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    clickTimer_ = new QTimer(this);
    clickTimer_->setSingleShot(true);
    connect(clickTimer_, &QTimer::timeout, this, [this] { JumpToTokenAt(clickPoint_.x(), clickPoint_.y()); });
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("solutionScrollBar"));
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { update(); });
}

CTarnexSolutionView::~CTarnexSolutionView() = default;

double CTarnexSolutionView::Scale() const {
    const QFont desktop = QApplication::font();
    double pixels = desktop.pixelSize();
    if (pixels <= 0) pixels = desktop.pointSizeF() * logicalDpiY() / 72.0;
    return pixels > 12 ? pixels / 12.0 : 1.0;
}

int CTarnexSolutionView::CharWidth() const { return QFontMetrics(PaneFont()).horizontalAdvance(QLatin1Char('0')); }

int CTarnexSolutionView::ScrollOffset() const { return scrollShown_ ? scrollBar_->value() : 0; }

void CTarnexSolutionView::LayOut(SolutionLayout& layout, InternationalRecord* translated, bool withScrollBar) const {
    const CTarnexSource& m = doc_.model;
    const int barWidth = withScrollBar ? scrollBar_->sizeHint().width() : 0;
    const int paneWidth = static_cast<int>((width() - barWidth) / Scale());
    SolutionGeometry g = FitSolutionGeometry(paneWidth, CharWidth());
    // Learn mode's lines stand above the moves, wrapped to the moves' width; the moves
    // start below them.
    header_.clear();
    headerTop_ = g.firstLineY;
    if (m.inputMode >= 0) {
        const int headerWidth = std::max(120, paneWidth - g.movesLeft - 8);
        for (const std::string& paragraph : LessonPaneLines(ShownLesson(doc_)))
            header_.append(Wrap(Utf8(paragraph), headerWidth));
        g.firstLineY += SolutionLayout::kLinePitch * static_cast<int>(header_.size());
    }
    if (!doc_.internationalShown) {
        LayoutSolution(m.SolutionRecord.view(), m.demoPos, m.methodUsed, layout, false, g);
    } else {
        InternationalRecord local;
        InternationalRecord& t = translated ? *translated : local;
        t = TranslateSolutionRecord(m.SolutionRecord.view());
        LayoutSolution(t.text, t.FromOwn(m.demoPos), m.methodUsed, layout, true, g);
    }
    // A proven fewest-turns solution says so in place of the plain count.
    if (m.methodUsed == 5 && m.optimalFigures.searched) layout.turns.Format(" %s", m.optimalFigures.note.c_str());
}

const SolutionLayout& CTarnexSolutionView::Layout() const {
    LayOut(*layout_, nullptr, scrollShown_);
    return *layout_;
}

std::string CTarnexSolutionView::ShownRecord() const {
    const std::string_view own = doc_.model.SolutionRecord.view();
    return doc_.internationalShown ? TranslateSolutionRecord(own).text : std::string(own);
}

void CTarnexSolutionView::InputLines(QRect (&rects)[3], bool withScrollBar) const {
    // The designed lines at y = 10, 38 and 66; a pane too narrow for one wraps it and
    // moves the lines after it down.
    const int barWidth = withScrollBar ? scrollBar_->sizeHint().width() : 0;
    const int textWidth = std::max(40, static_cast<int>((width() - barWidth) / Scale()) - 12);
    const QFontMetrics metrics(PaneFont());
    int y = 10;
    for (int i = 0; i < 3; ++i) {
        const QRect r = metrics.boundingRect(QRect(6, y, textWidth, 10000), Qt::TextWordWrap,
                                             Utf8(kInputInstructions[i]));
        rects[i] = QRect(6, y, textWidth, r.height());
        y = std::max(y + 28, y + r.height() + 13);
    }
}

int CTarnexSolutionView::ContentHeight(const SolutionLayout& layout, bool withScrollBar) const {
    if (doc_.model.inputMode < 0) {
        QRect rects[3];
        InputLines(rects, withScrollBar);
        return rects[2].bottom() + 9;
    }
    return layout.ContentHeight();
}

void CTarnexSolutionView::SyncScroll() {
    SolutionLayout& layout = *layout_;
    const double s = Scale();
    LayOut(layout, nullptr, false);
    bool shown = ContentHeight(layout, false) * s > height();
    if (shown) LayOut(layout, nullptr, true);
    const int content = static_cast<int>(std::ceil(ContentHeight(layout, shown) * s));
    scrollShown_ = shown;
    {
        const QSignalBlocker quiet(scrollBar_);
        const int barWidth = scrollBar_->sizeHint().width();
        scrollBar_->setGeometry(width() - barWidth, 0, barWidth, height());
        scrollBar_->setRange(0, shown ? std::max(0, content - height()) : 0);
        scrollBar_->setPageStep(std::max(1, height()));
        scrollBar_->setSingleStep(static_cast<int>(SolutionLayout::kLinePitch * s));
    }
    scrollBar_->setVisible(shown);

    const CTarnexSource& m = doc_.model;
    const bool changed = ScrollStale();
    seenPos_ = m.demoPos;
    seenRecord_.assign(m.SolutionRecord.view());
    seenSize_ = size();
    seenInternational_ = doc_.internationalShown;
    seenInputMode_ = m.inputMode;
    update();
    if (!changed || !shown || m.inputMode < 0) return;
    // The marked move, or the first line that shows part of the next token.
    int line = layout.markerLine;
    for (int l = 0; line < 0 && l < layout.lineCount; ++l)
        if (layout.highlight[l].first < layout.highlight[l].second) line = l;
    if (line < 0) return;
    const QSignalBlocker quiet(scrollBar_);
    ScrollLineIntoView(line);
}

bool CTarnexSolutionView::ScrollStale() const {
    const CTarnexSource& m = doc_.model;
    return seenPos_ != m.demoPos || seenRecord_ != m.SolutionRecord.view() || seenSize_ != size() ||
           seenInternational_ != doc_.internationalShown || seenInputMode_ != m.inputMode;
}

void CTarnexSolutionView::ScrollLineIntoView(int line) {
    const SolutionLayout& layout = *layout_;
    const double s = Scale();
    const int top = static_cast<int>(std::floor((layout.LineTop(line) - 4) * s));
    const int bottom = static_cast<int>(std::ceil((layout.LineTop(line) + SolutionLayout::kLinePitch) * s));
    int value = scrollBar_->value();
    if (top < value) value = top;
    else if (bottom > value + height()) value = bottom - height();
    scrollBar_->setValue(value);
    update();
}

QRect CTarnexSolutionView::CellRect(int line, int column, int count) const {
    const SolutionLayout& layout = *layout_;
    const double s = Scale();
    const int cw = CharWidth();
    const int lineHeight = QFontMetrics(PaneFont()).height();
    const QRectF r((layout.geometry.movesLeft + column * cw) * s, layout.LineTop(line) * s - ScrollOffset(),
                   count * cw * s, lineHeight * s);
    return r.toAlignedRect();
}

void CTarnexSolutionView::JumpToTokenAt(int x, int y) {
    const CTarnexSource& m = doc_.model;
    if (m.inputMode < 0) return;
    InternationalRecord translated;
    SolutionLayout& layout = *layout_;
    LayOut(layout, &translated, scrollShown_);
    int line = 0, column = 0;
    if (!SolutionCellAt(layout.geometry, x, y, CharWidth(), line, column)) return;
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
    p.translate(0, -ScrollOffset());
    p.scale(Scale(), Scale());
    p.setFont(PaneFont());
    p.setPen(RefColour(colours[7]));
    if (m.inputMode < 0) {
        QRect rects[3];
        InputLines(rects, scrollShown_);
        for (int i = 0; i < 3; ++i) p.drawText(rects[i], Qt::TextWordWrap, Utf8(kInputInstructions[i]));
        return image;
    }
    const SolutionLayout& layout = Layout();
    DrawTextAt(p, SolutionLayout::kHeaderLeft, 9, QStringLiteral("建议复原方法："));
    DrawTextAt(p, SolutionLayout::kHeaderLeft, 29, Utf8(layout.turns.view()));
    DrawTextAt(p, SolutionLayout::kHeaderLeft, 49, Utf8(layout.method));
    const int charWidth = CharWidth();
    const int lineHeight = QFontMetrics(p.font()).height();
    const int left = layout.geometry.movesLeft;
    for (int i = 0; i < header_.size(); ++i)
        DrawTextAt(p, left, headerTop_ + SolutionLayout::kLinePitch * i, header_[i]);
    // Only the lines in view are drawn.
    const double s = Scale();
    const int firstShown = std::max(0, static_cast<int>((ScrollOffset() / s - layout.geometry.firstLineY) /
                                                        SolutionLayout::kLinePitch) - 1);
    for (int i = firstShown; i < layout.lineCount; ++i) {
        const int y = layout.LineTop(i);
        if ((y - 2) * s > ScrollOffset() + height()) break;
        const QString text = QString::fromLatin1(layout.lines[i].c_str());
        DrawTextAt(p, left, y, text);
        // The token the next step demonstrates, in reversed colours.
        const auto [begin, end] = layout.highlight[i];
        if (begin < end) {
            p.fillRect(left + begin * charWidth, y, (end - begin) * charWidth, lineHeight, RefColour(colours[7]));
            p.setPen(RefColour(colours[0]));
            DrawTextAt(p, left + begin * charWidth, y, text.mid(begin, end - begin));
            p.setPen(RefColour(colours[7]));
        }
    }
    return image;
}

QString CTarnexSolutionView::AccessibleText(int* moveStart) const {
    int offset = -1;
    const std::string text = SolutionPaneText(doc_.model, &offset);
    if (offset < 0) {
        if (moveStart) *moveStart = -1;
        return QString::fromStdString(text);
    }
    const QString head = QString::fromUtf8(text.data(), offset);
    if (moveStart) *moveStart = static_cast<int>(head.size());
    const std::string shown = ShownRecord();
    if (shown.size() <= static_cast<std::size_t>(kRecordMovesStart)) return head;
    return head + QString::fromLatin1(shown.data() + kRecordMovesStart,
                                      static_cast<qsizetype>(shown.size()) - kRecordMovesStart);
}

QRect CTarnexSolutionView::AccessibleCharacterRect(int offset) const {
    int start = -1;
    const QString text = AccessibleText(&start);
    if (offset < 0 || offset >= text.size() || text[offset] == QLatin1Char('\n')) return {};
    const double s = Scale();
    const QFontMetrics metrics(PaneFont());
    auto onLine = [&](int x, int y, const QString& drawn, int k) {
        k = std::clamp(k, 0, std::max(0, static_cast<int>(drawn.size()) - 1));
        const int from = metrics.horizontalAdvance(drawn.left(k));
        const int width = drawn.isEmpty() ? metrics.averageCharWidth() : metrics.horizontalAdvance(drawn.at(k));
        return QRectF((x + from) * s, y * s - ScrollOffset(), width * s, metrics.height() * s).toAlignedRect();
    };
    if (start < 0) {
        // Cube input: the instruction the character belongs to, at its first line.
        QRect rects[3];
        InputLines(rects, scrollShown_);
        int line = static_cast<int>(text.left(offset).count(QLatin1Char('\n')));
        line = std::clamp(line, 0, 2);
        const int lineStart = static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1;
        return onLine(rects[line].x(), rects[line].y(), Utf8(kInputInstructions[line]), offset - lineStart);
    }
    const SolutionLayout& layout = Layout();
    if (offset < start) {
        // The first line tells "建议复原方法：", the method and the count, which the
        // pane draws as three lines.
        const QString title = QStringLiteral("建议复原方法：");
        const QString method = Utf8(layout.method);
        if (offset < title.size()) return onLine(SolutionLayout::kHeaderLeft, 9, title, offset);
        if (offset < title.size() + method.size())
            return onLine(SolutionLayout::kHeaderLeft, 49, method, offset - static_cast<int>(title.size()));
        return onLine(SolutionLayout::kHeaderLeft, 29, Utf8(layout.turns.view()),
                      offset - static_cast<int>(title.size() + method.size()));
    }
    int line = 0, column = 0;
    if (!SolutionPlaceOf(layout, kRecordMovesStart + offset - start, line, column)) return {};
    return CellRect(line, column);
}

int CTarnexSolutionView::AccessibleOffsetAt(QPoint widgetPoint) const {
    int start = -1;
    AccessibleText(&start);
    if (start < 0) return -1;
    const double s = Scale();
    const SolutionLayout& layout = Layout();
    const int x = static_cast<int>(widgetPoint.x() / s), y = static_cast<int>((widgetPoint.y() + ScrollOffset()) / s);
    int line = 0, column = 0;
    if (!SolutionCellAt(layout.geometry, x, y, CharWidth(), line, column)) return -1;
    const int i = SolutionRecordIndexAt(layout, line, column);
    return i < kRecordMovesStart ? -1 : start + i - kRecordMovesStart;
}

std::pair<int, int> CTarnexSolutionView::AccessibleNextToken() const {
    int start = -1;
    const int length = static_cast<int>(AccessibleText(&start).size());
    if (start < 0) return {0, 0};
    const std::string_view own = doc_.model.SolutionRecord.view();
    const SolutionSteps steps = CountSteps(own, doc_.model.demoPos);
    if (steps.nextBegin >= steps.nextEnd) return {0, 0};
    int b = steps.nextBegin, e = steps.nextEnd;
    if (doc_.internationalShown) {
        const InternationalRecord t = TranslateSolutionRecord(own);
        b = t.FromOwn(b);
        e = t.FromOwn(e);
    }
    return {std::min(length, start + b - kRecordMovesStart), std::min(length, start + e - kRecordMovesStart)};
}

int CTarnexSolutionView::AccessibleCaret() const {
    int start = -1;
    const int length = static_cast<int>(AccessibleText(&start).size());
    if (start < 0) return 0;
    int pos = doc_.model.demoPos;
    if (doc_.internationalShown) pos = TranslateSolutionRecord(doc_.model.SolutionRecord.view()).FromOwn(pos);
    return std::min(length, start + std::max(0, pos - kRecordMovesStart));
}

int CTarnexSolutionView::OwnRecordPositionAt(int offset) const {
    int start = -1;
    AccessibleText(&start);
    if (start < 0 || offset < start) return -1;
    const std::string_view own = doc_.model.SolutionRecord.view();
    int i = kRecordMovesStart + offset - start;
    if (doc_.internationalShown) {
        const InternationalRecord t = TranslateSolutionRecord(own);
        if (i >= static_cast<int>(t.ownIndex.size())) return -1;
        i = t.ownIndex[static_cast<std::size_t>(i)];
    }
    return OwnTokenStart(own, i);
}

void CTarnexSolutionView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SyncScroll();
}

void CTarnexSolutionView::wheelEvent(QWheelEvent* event) {
    if (!scrollShown_) {
        QWidget::wheelEvent(event);
        return;
    }
    QCoreApplication::sendEvent(scrollBar_, event);
}

void CTarnexSolutionView::paintEvent(QPaintEvent*) {
    // The scroll bar is not changed while the pane paints: a change the last sync has
    // not seen is synced right after this paint.
    if (ScrollStale()) QTimer::singleShot(0, this, [this] { SyncScroll(); });
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
            clickPoint_ = ((event->position() + QPointF(0, ScrollOffset())) / Scale()).toPoint();
            clickTimer_->start(QApplication::doubleClickInterval());
        }
        return;
    }
    if (event->button() != Qt::RightButton) return;
    ChooseColourEntry(doc_, 0, true, "请选择背景颜色", "背景颜色设置成功！");
}

}  // namespace velmora
