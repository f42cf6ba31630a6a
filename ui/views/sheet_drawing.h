#pragma once
// Drawing the solution sheet (document/solution_sheet.h) on paper or into a PDF: the
// content and the page breaks come from the core; this only measures the fonts and
// paints. Pages are A4 portrait, or the printer's Letter paper.
#include <QRectF>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace velmora {

struct SolutionSheet;

// Where a net was drawn: its page (from 0), the stage (-1 for the start position) and
// the rectangle of each of its 54 stickers in the page's own points (1/72 inch from the
// paper's top left).
struct SheetNetPlace {
    int page = 0;
    int stage = -1;
    std::vector<QRectF> stickers;
};

// Draws every page of the sheet on device, whose page layout is already set (margins
// of its own are ignored: the sheet keeps its own). False when the device cannot be
// painted on. places, when given, receives the nets drawn.
bool DrawSolutionSheet(QPagedPaintDevice& device, const SolutionSheet& sheet,
                       std::vector<SheetNetPlace>* places = nullptr, int* pageCount = nullptr);

// The sheet as a PDF file in memory, A4 portrait, fonts embedded.
bool SolutionSheetPdf(const SolutionSheet& sheet, std::string& bytes, std::vector<SheetNetPlace>* places = nullptr,
                      int* pageCount = nullptr);

// Prepares a printer for the sheet: portrait, A4 unless it uses Letter paper, the whole
// paper as the painter's page.
void SetUpSheetPrinter(QPrinter& printer);

}  // namespace velmora
