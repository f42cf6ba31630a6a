// The flat net: drawing and the mouse rules on it.
#include "ui/views/net_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSize>
#include <algorithm>

#include "document/cube_input.h"
#include "document/lesson_marks.h"
#include "document/velmora_doc.h"
#include "model/fixed_text.h"
#include "ui/views/pane_drawing.h"

namespace velmora {
namespace {

constexpr int kExtraGroups[3][2] = {{54, 5}, {57, 3}, {60, 4}};  // first cell, frame colour
constexpr int kPaletteFirst = kNetCellCount;                     // record of swatch 1

int SafeColour(const int colours[10], int index) { return colours[(index >= 0 && index <= 9) ? index : 0]; }

QRect CellRect(const FaceletRecord& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// The two frames around a block of cells: a 2-pixel ring in the given colour, 2 to 4
// pixels outside the cells.
void RingAround(QPainter& p, const FaceletRecord& first, const FaceletRecord& last, int ring, int background) {
    p.fillRect(QRect(QPoint(first.left - 4, first.top - 4), QPoint(last.right + 3, last.bottom + 3)), RefColour(ring));
    p.fillRect(QRect(QPoint(first.left - 2, first.top - 2), QPoint(last.right + 1, last.bottom + 1)),
               RefColour(background));
}

// A filled cell with its one-pixel frame.
void Cell(QPainter& p, const FaceletRecord& r, int fill, int border) {
    const QRect rect = CellRect(r);
    p.fillRect(rect, RefColour(fill));
    p.setPen(RefColour(border));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
}

// The 4-pixel bar inside a centre cell that shows its turn: bottom, left, top, right
// edge for turns 0-3.
void OrientationBar(QPainter& p, const FaceletRecord& r, int turn, int border) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    QRect bar;
    switch (((turn % 4) + 4) % 4) {
        case 0: bar = QRect(r.left, r.bottom - 4, w, 4); break;
        case 1: bar = QRect(r.left, r.top, 4, h); break;
        case 2: bar = QRect(r.left, r.top, w, 4); break;
        default: bar = QRect(r.right - 4, r.top, 4, h); break;
    }
    p.fillRect(bar, RefColour(border));
}

void FaceLetter(QPainter& p, const CTarnexSource& m, int face) {
    const FaceletRecord& r = m.FaceletTable[4 + 9 * (face - 1)];
    DrawTextAt(p, r.left + 6, r.top + 3, QString(QChar(m.keyLetters[face])));
}

// The frame of a sticker the current stage brings home: 3 pixels of bright orange just
// inside the cell's own frame.
void StageFrame(QPainter& p, const FaceletRecord& r) {
    p.setPen(QPen(RefColour(kStageOutlineColour), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(CellRect(r).adjusted(2, 2, -3, -3));
}

// The block of the face about to turn, framed in the space between the cells and the
// face's colour ring. Middle layers and rotations frame nothing.
void LayerFrame(QPainter& p, const CTarnexSource& m, const LayerMark& layer, int ink) {
    if (!layer.shown) return;
    static constexpr std::string_view kFaces = "TFRPLB";
    const std::size_t k = kFaces.find(layer.face);
    if (k == std::string_view::npos) return;
    const FaceletRecord& first = m.FaceletTable[9 * k];
    const FaceletRecord& last = m.FaceletTable[9 * k + 8];
    p.setPen(QPen(RefColour(ink), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(first.left - 1.0, first.top - 1.0, last.right - first.left + 1.0, last.bottom - first.top + 1.0));
}

bool Inside(const FaceletRecord& r, int x, int y) { return x > r.left && x < r.right && y > r.top && y < r.bottom; }

// Opens the colour dialog, fully opened, on colour entry index; shows done on OK and
// "就绪" on cancel.
void AskColour(CVelmoraDoc& doc, int index, std::string_view prompt, std::string_view done) {
    doc.ShowStatus(prompt);
    int colour = doc.settings.colourSettings[index];
    if (doc.user.ChooseColour(colour, true)) {
        doc.settings.colourSettings[index] = colour;
        doc.ShowStatus(done);
    } else {
        doc.ShowStatus("就绪");
    }
    doc.Redraw();
}

}  // namespace

void DrawNet(QPainter& p, CTarnexSource& m, const int colours[10], const LessonView* lesson) {
    const int background = colours[0];
    const int text = colours[7];
    const int border = colours[8];
    p.save();
    p.setFont(PaneFont());

    for (int k = 1; k <= 6; ++k)
        RingAround(p, m.FaceletTable[9 * (k - 1)], m.FaceletTable[9 * (k - 1) + 8], colours[k], background);

    if (m.inputMode >= 0) {
        for (const auto& group : kExtraGroups)
            RingAround(p, m.FaceletTable[group[0]], m.FaceletTable[group[0] + 2], colours[group[1]], background);
        const bool lit = lesson && lesson->active;
        for (int i = 0; i < kNetCellCount; ++i) {
            const FaceletRecord& r = m.FaceletTable[i];
            const int fill = SafeColour(colours, m.StickerColour(r.row, r.col, r.sticker));
            const StickerLight light = lit ? NetCellLight(m, *lesson, i) : StickerLight::Home;
            Cell(p, r, light == StickerLight::Dimmed ? DimmedColour(fill) : fill, border);
            if (light == StickerLight::Stage) StageFrame(p, r);
        }
        if (lit) LayerFrame(p, m, MarkedLayer(*lesson, m.SolutionRecord.view(), m.demoPos), text);
        for (int k = 1; k <= 6; ++k) {
            OrientationBar(p, m.FaceletTable[4 + 9 * (k - 1)], m.cube.centreTurns[k], border);
            p.setPen(RefColour(text));
            FaceLetter(p, m, k);
        }
    } else {
        m.CountColours();
        for (int i = 0; i < kFaceletCount; ++i) {
            const FaceletRecord& r = m.FaceletTable[i];
            if (i % 9 == 4) {
                Cell(p, r, colours[i / 9 + 1], border);
                continue;
            }
            Cell(p, r, SafeColour(colours, m.facelets[i]), border);
            if (m.showMethodIds == 1) {
                p.setPen(RefColour(text));
                DrawTextAt(p, r.left - 1, r.top + 3, QStringLiteral("%1%2%3").arg(r.row).arg(r.col).arg(r.sticker));
            }
        }
        for (int k = 1; k <= 6; ++k) {
            OrientationBar(p, m.FaceletTable[4 + 9 * (k - 1)], m.facelets[4 + 9 * (k - 1)], border);
            p.setPen(RefColour(text));
            FaceLetter(p, m, k);
        }
        for (int i = 1; i <= kPaletteCellCount; ++i) {
            const FaceletRecord& r = m.FaceletTable[kPaletteFirst + i - 1];
            const int fill = i <= 6 ? colours[i] : (i == 7 ? border : colours[9]);
            Cell(p, r, fill, border);
            const bool selected = m.selectedColour == SwatchColour(i);
            FixedText<127> label;
            if (i <= 6)
                label.Format(selected ? "%c面颜色有%2d 块 选中的颜色" : "%c面颜色有%2d 块           ",
                             m.keyLetters[i], m.colourCounts[i]);
            else
                label.Format(selected ? "%c%s颜色%2d 块 选中的颜色" : "%c%s颜色%2d 块           ",
                             i == 7 ? '?' : '@', i == 7 ? "边框" : "删除", m.colourCounts[i + 1]);
            p.setPen(RefColour(text));
            DrawTextAt(p, r.row, r.sticker, Utf8(label.view()));
        }
    }
    p.restore();
}

QSize NetExtent(const CTarnexSource& m) {
    constexpr int kDesignWidth = 280, kDesignHeight = 376, kMargin = 4;
    QSize extent(kDesignWidth, kDesignHeight);
    if (m.inputMode >= 0) return extent;
    // The longest palette text is the one of the selected swatch.
    const QFontMetrics metrics(PaneFont());
    const int text = std::max(metrics.horizontalAdvance(Utf8("T面颜色有 9 块 选中的颜色")),
                              metrics.horizontalAdvance(Utf8("?边框颜色 9 块 选中的颜色")));
    for (int i = 0; i < kPaletteCellCount; ++i) {
        const FaceletRecord& r = m.FaceletTable[kPaletteFirst + i];
        extent = extent.expandedTo(QSize(std::max(r.right, r.row + text) + kMargin, r.bottom + kMargin));
    }
    return extent;
}

double NetFitScale(const QSize& pane, const QSize& extent) {
    if (extent.width() <= 0 || extent.height() <= 0) return 1;
    const double s = std::min(double(pane.width()) / extent.width(), double(pane.height()) / extent.height());
    // A pane squeezed to nothing still draws at a scale that can be inverted.
    return std::max(s, 0.05);
}

int FaceBlockAt(const CTarnexSource& m, int x, int y) {
    for (int k = 1; k <= 6; ++k) {
        const FaceletRecord& first = m.FaceletTable[9 * (k - 1)];
        const FaceletRecord& last = m.FaceletTable[9 * (k - 1) + 8];
        if (x > first.left && x < last.right && y > first.top && y < last.bottom) return k;
    }
    return 0;
}

int NetCellAt(const CTarnexSource& m, int x, int y) {
    for (int i = 0; i < kNetCellCount; ++i)
        if (Inside(m.FaceletTable[i], x, y)) return i;
    return -1;
}

void NetClick(CVelmoraDoc& doc, int x, int y, bool shift, bool ctrl) {
    CTarnexSource& m = doc.model;
    doc.ShowStatus("就绪");
    if (shift != ctrl) {
        const int face = FaceBlockAt(m, x, y);
        if (face != 0) {
            char command[3] = {m.keyLetters[face], ctrl ? '-' : '+', '\0'};
            doc.RunTypedCommand(command);
            return;
        }
    }
    const int cell = NetCellAt(m, x, y);
    if (cell >= 0)
        m.DescribeFacelet(cell);
    else
        doc.ShowStatus("在展开图中用SHIFT+鼠标单击某面，表示顺时针旋转该面；CTRL+鼠标单击表示逆时针旋转。");
}

void ColourChoice(CVelmoraDoc& doc, int x, int y) { doc.ChooseNetColour(x, y); }

void ChooseBorderColour(CVelmoraDoc& doc) {
    AskColour(doc, 8, "请选择小块边框颜色", "小块边框颜色设置成功！");
}

}  // namespace velmora
