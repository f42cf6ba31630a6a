// Random deals of the four kinds, and colour input: filling the painted net from the
// cube, counting its colours, and turning a painted net back into a position.
#include <cstring>

#include "model/export_maps.h"
#include "model/tarnex_source.h"

namespace velmora {
namespace {

// Deal kinds.
constexpr int kDealTopLayer = 2;
constexpr int kDealEdges = 3;
constexpr int kDealCentreTurns = 4;

// Gives every centre a random quarter-turn count, faces 1-6 in order.
void RandomCentreTurns(CTarnexSource& m) {
    for (int k = 1; k <= 6; ++k) m.cube.centreTurns[k] = m.Random() % 4;
}

// Makes a dealt position legal: an odd arrangement exchanges the pieces (not the
// twists) of two edge slots, an odd flip total flips the second of them, and a corner
// twist total off by one or two turns the corner slot on by two or one.
void RepairDeal(CTarnexSource& m, int swapA, int swapB, int cornerSlot) {
    const int s = m.CheckAssembly();
    PieceSlot& a = m.cube.pieces[swapA / 10][swapA % 10];
    PieceSlot& b = m.cube.pieces[swapB / 10][swapB % 10];
    if (s % 2 == 1) {
        PieceSlot t = a;
        a.homeRow = b.homeRow;
        a.homeCol = b.homeCol;
        b.homeRow = t.homeRow;
        b.homeCol = t.homeCol;
    }
    if ((s / 10) % 2 == 1) b.twist = (b.twist + 1) % 2;
    PieceSlot& corner = m.cube.pieces[cornerSlot / 10][cornerSlot % 10];
    if ((s / 100) % 3 == 1) corner.twist = (corner.twist + 2) % 3;
    else if ((s / 100) % 3 == 2) corner.twist = (corner.twist + 1) % 3;
}

void DealCentreTurns(CTarnexSource& m) {
    m.ResetCube();
    int sum = 0;
    for (int k = 1; k <= 5; ++k) {
        m.cube.centreTurns[k] = m.Random() % 4;
        sum += m.cube.centreTurns[k];
    }
    m.cube.centreTurns[6] = sum % 2 + 2 * (m.Random() % 2);
}

void DealTopLayer(CTarnexSource& m) {
    bool taken[6][5] = {};
    for (int k = 1; k <= 6; ++k) m.cube.centres[k] = m.OrientationTable[0][k];
    RandomCentreTurns(m);
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c) {
            PieceSlot& slot = m.cube.pieces[r][c];
            if (r <= 2) {
                int y;
                do y = m.Random() % 4 + 1; while (taken[r][y]);
                taken[r][y] = true;
                slot.homeRow = r;
                slot.homeCol = y;
                slot.twist = r == 2 ? m.Random() % 3 : m.Random() % 2;
            } else {
                slot = PieceSlot{r, c, 0};
            }
        }
    }
    RepairDeal(m, 13, 14, 24);
}

void DealWhole(CTarnexSource& m, bool cornersHome) {
    bool taken[6][5] = {};
    const int g = m.Random() % 6;
    const int member = m.Random() % 4;
    for (int k = 1; k <= 6; ++k) m.cube.centres[k] = m.OrientationTable[4 * g + member][k];
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c) {
            const bool corner = IsCornerRow(r);
            int x, y;
            do {
                do x = m.Random() % 5 + 1; while (IsCornerRow(x) != corner);
                y = m.Random() % 4 + 1;
            } while (taken[x][y]);
            taken[x][y] = true;
            PieceSlot& slot = m.cube.pieces[r][c];
            slot.homeRow = x;
            slot.homeCol = y;
            slot.twist = corner ? m.Random() % 3 : m.Random() % 2;
        }
    }
    RandomCentreTurns(m);
    if (cornersHome)
        for (int r : {2, 4})
            for (int c = 1; c <= 4; ++c) m.cube.pieces[r][c] = PieceSlot{r, c, 0};
    RepairDeal(m, 53, 54, 44);
}

// Net index of each slot's stickers: [row][column][sticker 1-3].
struct StickerIndex {
    int at[6][5][4];
};

StickerIndex IndexStickers(const CTarnexSource& m) {
    StickerIndex idx{};
    for (int i = 0; i < kFaceletCount; ++i) {
        const FaceletRecord& f = m.FaceletTable[i];
        if (f.col != 0) idx.at[f.row][f.col][f.sticker] = i;
    }
    return idx;
}

// The two lines of the description-code dialog: the applet colour letters and the
// ACUBE letters of the painted net.
void ShowNetCodes(CTarnexSource& m) {
    FixedText<127> text;
    for (int f : kAppletFaceletOrder) {
        int colour;
        if (f % 9 == 4) {
            colour = m.centreColours[f / 9 + 1];
        } else {
            colour = m.facelets[f];
            if (colour == 8) colour = 7;
            else if (colour > 8) colour = 0;
        }
        if (colour < 0 || colour > 7) colour = 0;
        text.Append(kAppletColourLetters[static_cast<std::size_t>(colour)]);
    }
    text.Append("\r\n");
    for (int f : kAcubeFaceletOrder) {
        int letter = 0;
        if (f >= 0) {
            letter = m.facelets[f];
            if (letter == 8) letter = 7;
            else if (letter == 9) letter = 8;
            if (letter < 0 || letter > 8) letter = 0;
        }
        text.Append(kExportLetters[static_cast<std::size_t>(letter)]);
    }
    m.user->ShowCodeDialog(text, "第一行是JAVA工具的涂色参数描述；\r\n第二行是ACUBE输入描述。");
}

// The twist (0 to n-1, first tested first) under which a piece with colours col shows
// the stickers s[0..n-1], or -1 when it shows them under none: sticker k shows colour
// (k - twist) mod n of the piece.
int TwistShowing(const int* col, const int* s, int n) {
    for (int t = 0; t < n; ++t) {
        bool all = true;
        for (int k = 0; k < n && all; ++k) all = s[k] == col[(k - t + n) % n];
        if (all) return t;
    }
    return -1;
}

// Finds the pieces that the painted net shows, edges then corners, into the live cube.
// Returns 0 when all were found; otherwise leaves the question in statusText.
int PiecesFromNet(CTarnexSource& m) {
    const StickerIndex idx = IndexStickers(m);
    bool used[6][5] = {};
    struct Kind { int rows[3]; int rowCount; int stickers; const char* failure; };
    static constexpr Kind kKinds[] = {
        {{1, 3, 5}, 3, 2, "输入魔方的边块%d%d贴色错误！是否继续填充魔方颜色？"},
        {{2, 4, 0}, 2, 3, "输入魔方的角块%d%d贴色错误！是否继续填充魔方颜色？"},
    };
    for (const Kind& kind : kKinds) {
        for (int ri = 0; ri < kind.rowCount; ++ri) {
            const int r = kind.rows[ri];
            for (int c = 1; c <= 4; ++c) {
                int shown[3];
                for (int k = 0; k < kind.stickers; ++k) shown[k] = m.facelets[idx.at[r][c][k + 1]];
                bool found = false;
                for (int pi = 0; pi < kind.rowCount && !found; ++pi) {
                    const int pr = kind.rows[pi];
                    for (int pc = 1; pc <= 4 && !found; ++pc) {
                        if (used[pr][pc]) continue;
                        const int twist = TwistShowing(m.pieceColours[pr][pc], shown, kind.stickers);
                        if (twist < 0) continue;
                        m.cube.pieces[r][c] = PieceSlot{pr, pc, twist};
                        used[pr][pc] = true;
                        found = true;
                    }
                }
                if (!found) {
                    m.statusText.Format(kind.failure, r, c);
                    return -1;
                }
            }
        }
    }
    return 0;
}

}  // namespace

void CTarnexSource::Deal(int kind) {
    // Vary the sequence by the moment of the deal.
    const int skip = TickCount() % 3;
    for (int i = 0; i < skip; ++i) Random();
    if (kind == kDealCentreTurns) DealCentreTurns(*this);
    else if (kind == kDealTopLayer) DealTopLayer(*this);
    else DealWhole(*this, kind == kDealEdges);
}

void CTarnexSource::Scramble(int kind) {
    Deal(kind);
    if (kind != kDealCentreTurns) ExecuteAndSolve();
}

void CTarnexSource::BeginInput(int mode) {
    autoDemoCount = 0;
    animAngle = 0;
    for (int i = 0; i < kFaceletCount; ++i) {
        const FaceletRecord& f = FaceletTable[i];
        if (mode != 2) {
            facelets[i] = f.col == 0 ? 0 : i / 9 + 1;
        } else if (f.col == 0) {
            facelets[i] = cube.centreTurns[f.row + 1];
        } else {
            // The face position whose centre shows the sticker's colour.
            const int colour = StickerColour(f.row, f.col, f.sticker);
            int face = 0;
            for (int k = 1; k <= 6; ++k)
                if (cube.centres[k] >= 1 && cube.centres[k] <= 6 && centreColours[cube.centres[k]] == colour)
                    face = k;
            facelets[i] = face;
        }
    }
}

void CTarnexSource::CountColours() {
    for (int c = 0; c < 10; ++c) colourCounts[c] = c >= 1 && c <= 6 ? 1 : 0;
    for (int i = 0; i < kFaceletCount; ++i) {
        if (FaceletTable[i].col == 0) continue;
        const int c = facelets[i];
        if (c >= 0 && c <= 9) ++colourCounts[c];
    }
}

int CTarnexSource::CheckInputNet() {
    CountColours();
    for (int k = 1; k <= 6; ++k) {
        if (colourCounts[k] != 9) {
            statusText.Format("输入魔方%c面色块数目错误！是否继续填充魔方颜色？", keyLetters[static_cast<std::size_t>(k)]);
            return -1;
        }
    }
    if (PiecesFromNet(*this) != 0) return -1;
    for (int k = 1; k <= 6; ++k) {
        cube.centres[k] = k;
        cube.centreTurns[k] = ((facelets[9 * (k - 1) + 4] % 4) + 4) % 4;
    }
    const int s = CheckAssembly();
    if (s == 0) return 0;
    if (s > 999) statusText.Assign("输入魔方贴色错误！是否继续填充魔方颜色？");
    else if (s < 10) statusText.Assign("输入魔方装配错误，需要互换两块的位置！是否继续填充魔方颜色？");
    else if (s < 100) statusText.Assign("输入魔方装配错误，至少需要调换边块的色向！是否继续填充魔方颜色？");
    else statusText.Assign("输入魔方装配错误，至少需要调换角块的色向！是否继续填充魔方颜色？");
    return s > 999 ? -1 : s;
}

int CTarnexSource::FinishInput() {
    CountColours();
    if (showMethodIds == 1) ShowNetCodes(*this);

    // A refused colouring leaves the position as it was.
    const CubeState before = cube;
    const int s = CheckInputNet();
    if (s == 0) {
        user->Message("魔方设置成功！", Buttons::Ok, Icon::None);
        ExecuteAndSolve();
        return 1;
    }
    if (s > 0) {
        const Answer a = user->Message(statusText, Buttons::YesNoCancel, Icon::Question);
        if (a == Answer::Yes) { cube = before; return 0; }
        if (a == Answer::No) { cube = before; return -1; }
        if (user->Message("是否强制接受装配错误的魔方？", Buttons::YesNo, Icon::Question) == Answer::Yes) {
            ExecuteAndSolve();
            return 1;
        }
        cube = before;
        return 0;
    }
    cube = before;
    return user->Message(statusText, Buttons::YesNo, Icon::Question) == Answer::Yes ? 0 : -1;
}

}  // namespace velmora
