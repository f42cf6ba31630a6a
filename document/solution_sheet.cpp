// The solution sheet's content and pages.
#include "document/solution_sheet.h"

#include <ctime>
#include <memory>

#include "document/lesson_marks.h"
#include "document/lesson_plan.h"
#include "document/settings.h"
#include "files/cube_file.h"
#include "model/move_notation.h"

namespace velmora {
namespace {

struct MarkerName {
    int method;
    std::string_view marker;
    std::string_view name;
};

// Stages by the marker that ends them; "" is the part after the last marker.
constexpr MarkerName kStageNames[] = {
    {1, "#  ", "上边块"},
    {1, "## ", "上角块和中边块"},
    {1, ",# ", "下角块"},
    {1, "# #", "顶层边块"},
    {1, "###", "顶层角块"},
    {1, "", "下边块"},
    {2, "#  ", "下角块"},
    {2, " # ", "上角块色向"},
    {2, "  #", "角块位置"},
    {2, "## ", "三块上边块"},
    {2, "# #", "下边块"},
    {2, " ##", "最后一块上边块"},
    {2, "", "中边块"},
    {4, "#  ", "前、右、后、顶、左面中心"},
    {4, "", "其余中心"},
};

// Block column and row of faces T F R P L B in the net, as the net pane places them.
constexpr int kNetBlockPlaces[6][2] = {{1, 1}, {1, 2}, {2, 1}, {1, 0}, {0, 1}, {1, 3}};

bool IsMarkerChar(char c) { return c == ' ' || c == '#' || c == ','; }

// A stage marker at record[i]: three marker characters, one of them "#".
bool MarkerAt(std::string_view record, std::size_t i) {
    if (i + 3 > record.size()) return false;
    const std::string_view s = record.substr(i, 3);
    return IsMarkerChar(s[0]) && IsMarkerChar(s[1]) && IsMarkerChar(s[2]) && s.find('#') != std::string_view::npos;
}

// Colours of the 54 stickers of the model's live cube, in net order.
void StickerColours(const CTarnexSource& m, std::array<int, kFaceletCount>& out) {
    for (int i = 0; i < kFaceletCount; ++i) {
        const FaceletRecord& r = m.FaceletTable[i];
        out[static_cast<std::size_t>(i)] = m.StickerColour(r.row, r.col, r.sticker);
    }
}

// Every face block shows one colour.
bool EveryFaceOneColour(const std::array<int, kFaceletCount>& colours) {
    for (int face = 0; face < 6; ++face)
        for (int k = 0; k < 9; ++k)
            if (colours[static_cast<std::size_t>(9 * face + k)] != colours[static_cast<std::size_t>(9 * face)])
                return false;
    return true;
}

// Applies one move of the record to the work model; returns the turns it counted.
int ApplyRecordMove(CTarnexSource& work, std::string_view move) {
    int turns = 0;
    for (std::string_view token : RecordTokens(move)) {
        const int got = work.ApplyToken(token);
        if (got > 0) turns += got;
    }
    return turns;
}

void StartStage(SolutionSheet& out) {
    out.stages.emplace_back();
    out.stages.back().name = "第" + std::to_string(out.stages.size()) + "阶段";
}

// Closes the open stage with marker: names it, or drops it when it holds no move.
// The stage's goal and the stickers of its pieces on the cube after it (work), from
// the lesson of the method's stage that holds the record position of its first move.
void StageGoal(SheetStage& stage, const std::vector<RecordStage>& lessons, int firstMove, const CTarnexSource& work) {
    for (const RecordStage& r : lessons) {
        if (!r.lesson || firstMove < r.begin || firstMove >= r.end) continue;
        stage.goal.assign(r.lesson->goal);
        std::array<StickerLight, 54> lights{};
        lights.fill(StickerLight::Dimmed);
        LightLessonPieces(work, *r.lesson, StickerLight::Stage, lights);
        for (int i = 0; i < kFaceletCount; ++i) {
            const FaceletRecord& f = work.FaceletTable[i];
            const int place = StringPlaceOf(f.row, f.col, f.sticker);
            stage.stagePieces[static_cast<std::size_t>(i)] =
                place >= 0 && lights[static_cast<std::size_t>(place)] == StickerLight::Stage;
        }
        return;
    }
}

void CloseStage(SolutionSheet& out, int method, std::string_view marker) {
    SheetStage& stage = out.stages.back();
    if (stage.ownMoves.empty()) {
        out.stages.pop_back();
        return;
    }
    const std::string_view name = StageName(method, marker);
    if (!name.empty()) stage.name.append(" ").append(name);
}

}  // namespace

std::string_view StageName(int methodUsed, std::string_view marker) {
    for (const MarkerName& row : kStageNames)
        if (row.method == methodUsed && row.marker == marker) return row.name;
    return {};
}

std::string InternationalMove(std::string_view ownMove) {
    if (!ownMove.empty() && ownMove.front() == '(') {
        std::string out = "(";
        for (std::string_view token : RecordTokens(ownMove)) {
            const std::string one = InternationalMove(token);
            if (one.empty()) continue;
            if (out.size() > 1) out += ' ';
            out += one;
        }
        return out + ")";
    }
    const std::vector<std::string_view> tokens = RecordTokens(ownMove);
    if (tokens.size() != 1) return {};
    return InternationalOfOwnToken(tokens.front());
}

void BuildSolutionSheet(const CTarnexSource& m, std::string_view name, std::string_view date, SolutionSheet& out) {
    out = SolutionSheet{};
    for (int c = 1; c <= 6; ++c) out.faceColours[static_cast<std::size_t>(c)] = kSettingDefaults[static_cast<std::size_t>(c)].value;
    const std::string_view record = m.SolutionRecord.view();
    // The model is large: the replay works on a copy on the heap.
    auto work = std::make_unique<CTarnexSource>(m);
    SilentUser silent;
    work->user = &silent;
    work->cube = m.startState;
    work->moveRecord.Clear();
    work->turnCounter = 0;
    StickerColours(*work, out.startColours);

    const int method = m.methodUsed;
    const std::vector<RecordStage> lessons = SplitRecordStages(record, method);
    int firstMove = -1;  // record position of the open stage's first move
    StartStage(out);
    std::size_t i = record.size() > static_cast<std::size_t>(kRecordMovesStart) ? kRecordMovesStart : record.size();
    while (i < record.size()) {
        if (MarkerAt(record, i)) {
            StickerColours(*work, out.stages.back().colours);
            StageGoal(out.stages.back(), lessons, firstMove, *work);
            CloseStage(out, method, record.substr(i, 3));
            firstMove = -1;
            StartStage(out);
            i += 3;
            continue;
        }
        if (IsSeparatorChar(record[i]) && record[i] != '(') {
            ++i;
            continue;
        }
        // A move: a parenthesised group whole, else a token with its terminator.
        std::size_t end = i;
        if (record[i] == '(') {
            end = record.find(')', i);
            end = end == std::string_view::npos ? record.size() : end + 1;
        } else {
            while (end < record.size() && !IsSeparatorChar(record[end])) ++end;
            if (end < record.size() && (record[end] == ';' || record[end] == ',')) ++end;
        }
        const std::string_view move = record.substr(i, end - i);
        i = end;
        const std::vector<std::string_view> tokens = RecordTokens(move);
        if (tokens.empty() || (tokens.size() == 1 && tokens.front() == "nothing")) continue;
        SheetStage& stage = out.stages.back();
        if (firstMove < 0) firstMove = static_cast<int>(i - move.size());
        stage.ownMoves.emplace_back(move);
        stage.internationalMoves.push_back(InternationalMove(move));
        stage.turns += ApplyRecordMove(*work, move);
    }
    StickerColours(*work, out.stages.back().colours);
    StageGoal(out.stages.back(), lessons, firstMove, *work);
    CloseStage(out, method, {});

    for (const SheetStage& stage : out.stages) out.turns += stage.turns;
    const std::array<int, kFaceletCount>& last = out.stages.empty() ? out.startColours : out.stages.back().colours;
    out.restored = EveryFaceOneColour(last);

    out.title.assign(name.empty() ? kUntitledSheetName : name);
    out.title.append("    ").append(date).append("    ").append(CubeFileMethodName(method));
    out.title.append("    共 ").append(std::to_string(out.turns)).append(" 转");
    if (out.restored)
        out.closing = "做完以上 " + std::to_string(out.turns) + " 转，魔方已经复原。";
    else
        out.closing = "做完以上 " + std::to_string(out.turns) + " 转，魔方没有复原：这个解法不完整。";
}

void SheetNetCell(int sticker, int& column, int& row) {
    const int face = sticker >= 0 && sticker < kFaceletCount ? sticker / 9 : 0;
    const int cell = sticker >= 0 && sticker < kFaceletCount ? sticker % 9 : 0;
    column = 3 * kNetBlockPlaces[face][0] + cell % 3;
    row = 3 * kNetBlockPlaces[face][1] + cell / 3;
}

std::string SheetDateToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::vector<std::string> WrapMoves(const std::vector<std::string>& moves, int width, std::string_view gap) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& move : moves) {
        if (move.empty()) continue;
        const std::size_t needed = line.empty() ? move.size() : line.size() + gap.size() + move.size();
        if (!line.empty() && needed > static_cast<std::size_t>(width > 0 ? width : 1)) {
            lines.push_back(std::move(line));
            line.clear();
        }
        if (!line.empty()) line.append(gap);
        line.append(move);
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

double StageBlockHeight(const SheetMetrics& metrics, int ownLines, int internationalLines, int goalLines) {
    const double text = metrics.lineHeight * (1 + goalLines + ownLines + internationalLines);
    return (text > metrics.stageNetHeight ? text : metrics.stageNetHeight) + metrics.stageGap;
}

std::vector<std::string> WrapGoal(std::string_view text, int width) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::string line;
    int count = 0;
    for (std::size_t i = 0; i < text.size();) {
        // The length of the UTF-8 sequence that starts at i.
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t n = lead < 0x80 ? 1 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
        if (i + n > text.size()) n = text.size() - i;
        if (width > 0 && count == width) {
            lines.push_back(std::move(line));
            line.clear();
            count = 0;
        }
        line.append(text.substr(i, n));
        ++count;
        i += n;
    }
    lines.push_back(std::move(line));
    return lines;
}

std::vector<SheetPage> PaginateSheet(const SolutionSheet& sheet, const SheetMetrics& metrics) {
    std::vector<SheetPage> pages(1);
    double y = 0;
    // Starts a new page unless the block fits below y.
    auto place = [&](SheetBlock block) {
        if (y > 0 && y + block.height > metrics.pageHeight) {
            pages.emplace_back();
            y = 0;
        }
        block.top = y;
        y += block.height;
        pages.back().push_back(std::move(block));
    };

    SheetBlock head;
    head.kind = SheetBlock::Kind::Head;
    head.height = metrics.headHeight;
    place(head);

    for (std::size_t s = 0; s < sheet.stages.size(); ++s) {
        const SheetStage& stage = sheet.stages[s];
        SheetBlock block;
        block.kind = SheetBlock::Kind::Stage;
        block.stage = static_cast<int>(s);
        block.ownLines = WrapMoves(stage.ownMoves, metrics.ownChars, "");
        block.internationalLines = WrapMoves(stage.internationalMoves, metrics.internationalChars, " ");
        block.goalLines = WrapGoal(stage.goal, metrics.goalChars);
        block.height = StageBlockHeight(metrics, static_cast<int>(block.ownLines.size()),
                                        static_cast<int>(block.internationalLines.size()),
                                        static_cast<int>(block.goalLines.size()));
        if (block.height <= metrics.pageHeight || metrics.lineHeight <= 0) {
            place(std::move(block));
            continue;
        }
        // Taller than a page: whole pages of lines from a fresh page, own notation
        // first, the net with the last part.
        const int perPage = static_cast<int>((metrics.pageHeight - metrics.stageGap) / metrics.lineHeight) - 1;
        std::vector<std::pair<bool, std::string>> lines;
        for (std::string& l : block.ownLines) lines.emplace_back(true, std::move(l));
        for (std::string& l : block.internationalLines) lines.emplace_back(false, std::move(l));
        const int step = perPage > 0 ? perPage : 1;
        for (std::size_t from = 0, part = 0; from < lines.size(); from += static_cast<std::size_t>(step), ++part) {
            SheetBlock piece;
            piece.kind = SheetBlock::Kind::Stage;
            piece.stage = block.stage;
            piece.part = static_cast<int>(part);
            for (std::size_t k = from; k < lines.size() && k < from + static_cast<std::size_t>(step); ++k)
                (lines[k].first ? piece.ownLines : piece.internationalLines).push_back(lines[k].second);
            piece.withNet = from + static_cast<std::size_t>(step) >= lines.size();
            if (part == 0) piece.goalLines = block.goalLines;
            const double text = metrics.lineHeight * static_cast<double>(1 + piece.goalLines.size() +
                                                                         piece.ownLines.size() +
                                                                         piece.internationalLines.size());
            piece.height = (piece.withNet && metrics.stageNetHeight > text ? metrics.stageNetHeight : text) +
                           metrics.stageGap;
            if (y > 0) {
                pages.emplace_back();
                y = 0;
            }
            place(std::move(piece));
        }
    }

    SheetBlock closing;
    closing.kind = SheetBlock::Kind::Closing;
    closing.height = metrics.lineHeight;
    place(closing);
    return pages;
}

}  // namespace velmora
