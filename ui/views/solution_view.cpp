// The solution pane: drawing and its two colour choices.
#include "ui/views/solution_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTimer>
#include <QPainter>

#include "document/velmora_doc.h"
#include "model/move_notation.h"
#include "ui/views/pane_drawing.h"
#include "ui/views/solution_layout.h"

namespace velmora {
namespace {

constexpr std::string_view kInputInstructions[3] = {
    "首先请摆放您手中的魔方，对准中心小块的位置，如果中心颜色与手中的魔方不符，请右击选色条或中心小块。",
    "然后按照魔方上每小块颜色，单击选色条，选择需要的颜色后，在魔方展开图的相应小块上点击输入。",
    "您可以在左上窗格中双击鼠标，使用输入工具；如果您的魔方上有图案，请点击中心小块调整方向。",
};

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
        return;
    }
    translated = TranslateSolutionRecord(m.SolutionRecord.view());
    LayoutSolution(translated.text, translated.FromOwn(m.demoPos), m.methodUsed, layout, true);
}

}  // namespace

CTarnexSolutionView::CTarnexSolutionView(CVelmoraDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    clickTimer_ = new QTimer(this);
    clickTimer_->setSingleShot(true);
    connect(clickTimer_, &QTimer::timeout, this, [this] { JumpToTokenAt(clickPoint_.x(), clickPoint_.y()); });
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
            clickPoint_ = event->position().toPoint();
            clickTimer_->start(QApplication::doubleClickInterval());
        }
        return;
    }
    if (event->button() != Qt::RightButton) return;
    ChooseColourEntry(doc_, 0, true, "请选择背景颜色", "背景颜色设置成功！");
}

}  // namespace velmora
