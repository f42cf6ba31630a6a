// The solution sheet on paper: fonts measured, blocks placed by the core's pagination,
// nets painted in the display colours.
#include "ui/views/sheet_drawing.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "document/solution_sheet.h"
#include "ui/views/pane_drawing.h"

namespace velmora {
namespace {

// Sizes in points.
constexpr double kMargin = 40;
constexpr double kStartCell = 13, kStartGap = 4;
constexpr double kStageCell = 6, kStageGap = 2;
constexpr double kNetSpace = 14;  // between a stage's text and its net

constexpr std::string_view kOwnLabel = "本程序记号：";
constexpr std::string_view kInternationalLabel = "国际记号：";
constexpr std::string_view kGoalLabel = "目标：";
constexpr std::string_view kFaceLetters = " TFRPLB";

QFont SheetFont(double points, bool bold = false, bool fixed = false) {
    QFont font(fixed ? QStringLiteral("WenQuanYi Micro Hei Mono") : QStringLiteral("WenQuanYi Micro Hei"));
    font.setStyleHint(fixed ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixed);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

double NetWidth(double cell, double gap) { return 9 * cell + 2 * gap; }
double NetHeight(double cell, double gap) { return 12 * cell + 3 * gap; }

// Everything measured once per device, in device units.
struct SheetGeometry {
    double unit = 1;  // device units per point
    double width = 0, height = 0;  // the paper
    QFont title = SheetFont(13, true), heading = SheetFont(10, true), label = SheetFont(8.5),
          moves = SheetFont(9, false, true), letter = SheetFont(6, true);
    double line = 0, titleLine = 0, labelWidth = 0;
    SheetMetrics metrics;

    double Pt(double points) const { return points * unit; }
};

SheetGeometry Measure(QPagedPaintDevice& device) {
    SheetGeometry g;
    g.unit = device.logicalDpiY() / 72.0;
    const QSizeF paper = device.pageLayout().fullRectPoints().size();
    g.width = g.Pt(paper.width());
    g.height = g.Pt(paper.height());
    const QFontMetricsF moves(g.moves, &device), label(g.label, &device), heading(g.heading, &device);
    g.line = std::max({moves.lineSpacing(), label.lineSpacing(), heading.lineSpacing()});
    g.titleLine = QFontMetricsF(g.title, &device).lineSpacing();
    g.labelWidth = std::max(label.horizontalAdvance(Utf8(kOwnLabel)), label.horizontalAdvance(Utf8(kInternationalLabel))) +
                   g.Pt(4);
    const double textWidth = g.width - 2 * g.Pt(kMargin) - g.Pt(NetWidth(kStageCell, kStageGap) + kNetSpace) - g.labelWidth;
    const int chars = static_cast<int>(textWidth / moves.horizontalAdvance(QLatin1Char('0')));

    SheetMetrics& m = g.metrics;
    // The last line of a page stays free for its number.
    m.pageHeight = g.height - 2 * g.Pt(kMargin) - g.line;
    m.headHeight = g.titleLine + g.Pt(6) + g.line + g.Pt(NetHeight(kStartCell, kStartGap)) + g.Pt(14);
    m.lineHeight = g.line;
    m.stageNetHeight = g.Pt(NetHeight(kStageCell, kStageGap) + 4);
    m.stageGap = g.Pt(8);
    m.ownChars = chars;
    m.internationalChars = chars;
    // The goal runs under the heading across the text's width, its label included.
    const double goalWidth = g.width - 2 * g.Pt(kMargin) - g.Pt(NetWidth(kStageCell, kStageGap) + kNetSpace) -
                             label.horizontalAdvance(Utf8(kGoalLabel));
    m.goalChars = std::max(8, static_cast<int>(goalWidth / label.horizontalAdvance(QChar(0x4e2d))));
    return g;
}

QColor FaceColour(const SolutionSheet& sheet, int colour) {
    if (colour < 1 || colour > 6) return Qt::white;
    return RefColour(sheet.faceColours[static_cast<std::size_t>(colour)]);
}

// A net with its top left at (x, y); letters on the centres when letters is set.
void DrawNet(QPainter& p, const SheetGeometry& g, const SolutionSheet& sheet,
             const std::array<int, kFaceletCount>& colours, double x, double y, double cell, double gap, bool letters,
             SheetNetPlace* place, const std::array<bool, kFaceletCount>* outlined = nullptr) {
    p.save();
    QPen pen(QColor(60, 60, 60));
    pen.setWidthF(g.Pt(0.5));
    p.setPen(pen);
    const double page = 1 / g.unit;
    for (int i = 0; i < kFaceletCount; ++i) {
        int column = 0, row = 0;
        SheetNetCell(i, column, row);
        const QRectF r(x + g.Pt(column * cell + (column / 3) * gap), y + g.Pt(row * cell + (row / 3) * gap), g.Pt(cell),
                       g.Pt(cell));
        p.setBrush(FaceColour(sheet, colours[static_cast<std::size_t>(i)]));
        p.drawRect(r);
        if (place) place->stickers.emplace_back(r.x() * page, r.y() * page, r.width() * page, r.height() * page);
    }
    if (outlined) {
        // The stage's pieces: a heavy black frame inside the cell, plain on any printer.
        QPen heavy(Qt::black);
        heavy.setWidthF(g.Pt(1.2));
        heavy.setJoinStyle(Qt::MiterJoin);
        p.setPen(heavy);
        p.setBrush(Qt::NoBrush);
        const double inset = g.Pt(0.6);
        for (int i = 0; i < kFaceletCount; ++i) {
            if (!(*outlined)[static_cast<std::size_t>(i)]) continue;
            int column = 0, row = 0;
            SheetNetCell(i, column, row);
            p.drawRect(QRectF(x + g.Pt(column * cell + (column / 3) * gap) + inset,
                              y + g.Pt(row * cell + (row / 3) * gap) + inset, g.Pt(cell) - 2 * inset,
                              g.Pt(cell) - 2 * inset));
        }
        p.setPen(pen);
    }
    if (letters) {
        // The face letter in the upper left of its centre, clear of the centre's middle.
        p.setFont(g.letter);
        for (int face = 1; face <= 6; ++face) {
            int column = 0, row = 0;
            SheetNetCell(9 * (face - 1) + 4, column, row);
            const QColor fill = FaceColour(sheet, colours[static_cast<std::size_t>(9 * (face - 1) + 4)]);
            p.setPen(fill.lightness() > 110 ? Qt::black : Qt::white);
            const QPointF at(x + g.Pt(column * cell + (column / 3) * gap + 1.2),
                             y + g.Pt(row * cell + (row / 3) * gap + 1) + QFontMetricsF(g.letter, p.device()).ascent());
            p.drawText(at, QString(QChar(kFaceLetters[static_cast<std::size_t>(face)])));
        }
    }
    p.restore();
}

// Text with its top left at (x, y).
void Text(QPainter& p, const QFont& font, double x, double y, const QString& text) {
    p.setFont(font);
    p.drawText(QPointF(x, y + QFontMetricsF(font, p.device()).ascent()), text);
}

void DrawStage(QPainter& p, const SheetGeometry& g, const SolutionSheet& sheet, const SheetBlock& block, double top,
               SheetNetPlace* place) {
    const SheetStage& stage = sheet.stages[static_cast<std::size_t>(block.stage)];
    const double left = g.Pt(kMargin);
    QString heading = Utf8(stage.name);
    if (block.part > 0) heading += Utf8("（续）");
    heading += QStringLiteral("    %1 转").arg(stage.turns);
    p.setPen(Qt::black);
    Text(p, g.heading, left, top, heading);
    double y = top + g.line;
    const double goalIndent = QFontMetricsF(g.label, p.device()).horizontalAdvance(Utf8(kGoalLabel));
    for (std::size_t i = 0; i < block.goalLines.size(); ++i, y += g.line) {
        if (i == 0) Text(p, g.label, left, y, Utf8(kGoalLabel));
        Text(p, g.label, left + goalIndent, y, Utf8(block.goalLines[i]));
    }
    for (std::size_t i = 0; i < block.ownLines.size(); ++i, y += g.line) {
        if (i == 0) Text(p, g.label, left, y, Utf8(kOwnLabel));
        Text(p, g.moves, left + g.labelWidth, y, QString::fromLatin1(block.ownLines[i].c_str()));
    }
    for (std::size_t i = 0; i < block.internationalLines.size(); ++i, y += g.line) {
        if (i == 0) Text(p, g.label, left, y, Utf8(kInternationalLabel));
        Text(p, g.moves, left + g.labelWidth, y, QString::fromLatin1(block.internationalLines[i].c_str()));
    }
    if (block.withNet)
        DrawNet(p, g, sheet, stage.colours, g.width - g.Pt(kMargin) - g.Pt(NetWidth(kStageCell, kStageGap)),
                top + g.Pt(2), kStageCell, kStageGap, false, place, &stage.stagePieces);
    // A hairline under the stage.
    QPen rule(QColor(190, 190, 190));
    rule.setWidthF(g.Pt(0.4));
    p.setPen(rule);
    const double bottom = top + block.height - g.metrics.stageGap / 2;
    p.drawLine(QPointF(left, bottom), QPointF(g.width - g.Pt(kMargin), bottom));
}

}  // namespace

bool DrawSolutionSheet(QPagedPaintDevice& device, const SolutionSheet& sheet, std::vector<SheetNetPlace>* places,
                       int* pageCount) {
    const SheetGeometry g = Measure(device);
    const std::vector<SheetPage> pages = PaginateSheet(sheet, g.metrics);
    QPainter p;
    if (!p.begin(&device)) return false;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const double left = g.Pt(kMargin), top = g.Pt(kMargin);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0 && !device.newPage()) return false;
        for (const SheetBlock& block : pages[n]) {
            const double y = top + block.top;
            SheetNetPlace place;
            place.page = static_cast<int>(n);
            place.stage = block.stage;
            const bool withNet = block.kind == SheetBlock::Kind::Head || (block.kind == SheetBlock::Kind::Stage && block.withNet);
            SheetNetPlace* target = places && withNet ? &place : nullptr;
            p.setPen(Qt::black);
            switch (block.kind) {
                case SheetBlock::Kind::Head:
                    // A long file name is cut short rather than run off the paper.
                    Text(p, g.title, left, y,
                         QFontMetricsF(g.title, &device).elidedText(Utf8(sheet.title), Qt::ElideMiddle, g.width - 2 * left));
                    Text(p, g.label, left, y + g.titleLine + g.Pt(6), Utf8("开始状态"));
                    DrawNet(p, g, sheet, sheet.startColours, left, y + g.titleLine + g.Pt(6) + g.line, kStartCell,
                            kStartGap, true, target);
                    break;
                case SheetBlock::Kind::Stage: DrawStage(p, g, sheet, block, y, target); break;
                case SheetBlock::Kind::Closing: Text(p, g.heading, left, y, Utf8(sheet.closing)); break;
            }
            if (target) places->push_back(std::move(place));
        }
        p.setPen(Qt::darkGray);
        const QString number = Utf8("第 %1 页，共 %2 页").arg(n + 1).arg(pages.size());
        const double width = QFontMetricsF(g.label, &device).horizontalAdvance(number);
        Text(p, g.label, (g.width - width) / 2, g.height - top - g.line, number);
    }
    if (pageCount) *pageCount = static_cast<int>(pages.size());
    return p.end();
}

bool SolutionSheetPdf(const SolutionSheet& sheet, std::string& bytes, std::vector<SheetNetPlace>* places,
                      int* pageCount) {
    QByteArray data;
    {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Velmora"));
        writer.setTitle(Utf8(sheet.title));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        if (!DrawSolutionSheet(writer, sheet, places, pageCount)) return false;
    }
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return !bytes.empty();
}

void SetUpSheetPrinter(QPrinter& printer) {
    const bool letter = printer.pageLayout().pageSize().id() == QPageSize::Letter;
    printer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
}

}  // namespace velmora
