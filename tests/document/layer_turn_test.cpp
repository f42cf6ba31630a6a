// Turning layers on the 3D cube: every layer's move turns exactly that layer, a drag
// from a sticker turns the layer the way the sticker was pulled, and a completed turn
// runs as a typed command does (history, solution, status text).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/layer_turns.h"
#include "model/cube_picking.h"
#include "support/sticker_places.h"

namespace velmora::test {
namespace {

using Vec3 = Vec3i;

// A quarter turn anticlockwise about a coordinate axis, seen from its positive end.
Vec3 Quarter(Vec3 v, int axis) {
    const int u = (axis + 1) % 3, w = (axis + 2) % 3;
    const int vu = v[u], vw = v[w];
    v[u] = -vw;
    v[w] = vu;
    return v;
}

// The colour of every sticker, keyed by cell and normal.
std::map<std::pair<Vec3, Vec3>, int> Colours(const CTarnexSource& m) {
    std::map<std::pair<Vec3, Vec3>, int> out;
    for (const StickerPlace& s : AllStickerPlaces()) out[{s.cell, s.normal}] = m.StickerColour(s.row, s.col, s.number);
    return out;
}

// The colours after turning a layer of `before` by quarters (anticlockwise positive).
std::map<std::pair<Vec3, Vec3>, int> Turned(std::map<std::pair<Vec3, Vec3>, int> before, int axis, int slice,
                                            int quarters) {
    std::map<std::pair<Vec3, Vec3>, int> after = before;
    const int n = ((quarters % 4) + 4) % 4;
    for (const auto& [where, colour] : before) {
        if (where.first[axis] != slice) continue;
        Vec3 cell = where.first, normal = where.second;
        for (int i = 0; i < n; ++i) cell = Quarter(cell, axis), normal = Quarter(normal, axis);
        after[{cell, normal}] = colour;
    }
    return after;
}

class LayerTurn : public DocTest {
protected:
    // A dealt and solved position, so that every sticker tells where it went.
    void Deal() { DealAndSolve("F+;R-;T*;L+;P-;B+;F*;R+;T-;P+;L*;"); }
};

TEST_F(LayerTurn, EveryLayerMoveTurnsExactlyThatLayer) {
    Deal();
    for (int axis = 0; axis < 3; ++axis)
        for (int slice = -1; slice <= 1; ++slice)
            for (int quarters : {1, -1, 2, -2}) {
                const auto before = Colours(m());
                const std::string start = Code();
                const LayerMove move = LayerTurnMove(axis, slice, quarters);
                ASSERT_FALSE(move.text.empty());
                ASSERT_EQ(doc->TurnLayer(axis, slice, quarters), 1);
                const std::string what = "axis " + std::to_string(axis) + " slice " + std::to_string(slice) +
                                         " quarters " + std::to_string(quarters) + " " + std::string(move.text);
                EXPECT_EQ(Colours(m()), Turned(before, axis, slice, quarters)) << what;
                // The record of what ran is in the status text, and one undo returns.
                EXPECT_EQ(LastStatus().rfind("执行了命令:(", 0), 0u) << what;
                doc->HistoryOp(-1, {});
                EXPECT_EQ(Code(), start) << what;
            }
    EXPECT_TRUE(LayerTurnMove(3, 0, 1).text.empty());
    EXPECT_TRUE(LayerTurnMove(0, 2, 1).text.empty());
    EXPECT_TRUE(LayerTurnMove(0, 0, 0).text.empty());
    EXPECT_TRUE(LayerTurnMove(0, 0, 3).text.empty());
}

TEST_F(LayerTurn, ACompletedTurnRunsAsATypedCommand) {
    Deal();
    const std::string start = Code();
    m().autoDemoCount = 1;
    ASSERT_EQ(doc->TurnLayer(2, 1, -1), 1);  // the front layer clockwise
    EXPECT_EQ(PatternLog(), "SMRSR");  // 就绪 from the history, then the pattern
    EXPECT_EQ(LastStatus(), "执行了命令:(F+;)，并求出解法。");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(m().autoDemoCount, 5);
    EXPECT_EQ(std::string(doc->commandRing[(doc->cmdCursor - 1) % kHistoryCapacity].name), "F+");
    // The new position is solved from where it stands.
    EXPECT_EQ(m().SolutionRecord.view().substr(0, kCodeLength), Code());
    EXPECT_EQ(m().demoPos, kRecordMovesStart);

    // The middle layer between F and P has no token: its move string runs.
    ASSERT_EQ(doc->TurnLayer(2, 0, 1), 1);
    EXPECT_EQ(LastStatus(), "执行了命令:(RT,F+;P-;)，并求出解法。");
    ASSERT_EQ(doc->TurnLayer(1, 0, 1), 1);
    EXPECT_EQ(LastStatus(), "执行了命令:((LF,T+;B-;))，并求出解法。");

    doc->HistoryOp(-1, {});
    doc->HistoryOp(-1, {});
    doc->HistoryOp(-1, {});
    EXPECT_EQ(Code(), start);
}

TEST_F(LayerTurn, NothingTurnsInInputModeOrForNoTurn) {
    Deal();
    const std::string start = Code();
    const int cursor = doc->cmdCursor;
    EXPECT_EQ(doc->TurnLayer(1, 1, 0), -1);
    EXPECT_EQ(doc->TurnLayer(1, 5, 1), -1);
    m().inputMode = -1;
    EXPECT_EQ(doc->TurnLayer(1, 1, 1), -1);
    m().inputMode = 0;
    EXPECT_EQ(Code(), start);
    EXPECT_EQ(doc->cmdCursor, cursor);
    EXPECT_TRUE(Statuses().empty());
}

// A drag from the middle of a sticker along one of its face's axes, as the 3D view
// makes it: pick, grip, angle, settle, turn.
struct Drag {
    int face;     // 1-6
    Vec3 cell;
    int along;    // axis the pointer moves along on the cube
    int sign;     // +1 or -1 along it
    double units; // how far, in cube units at the sticker
};

TEST_F(LayerTurn, DragsTurnEveryLayerBothWaysOrSpringBack) {
    Deal();
    ViewCamera cam = CameraOf(m(), false, 510, 376);
    // Stickers on the three faces in view, chosen so that each of the nine layers is
    // dragged: along x on the front face turns T, H or B by the row; along y on the
    // front face turns L, V or R by the column; along y on the right face turns F, the
    // F-P middle layer or P.
    std::vector<Drag> drags;
    for (int s = -1; s <= 1; ++s) {
        drags.push_back({2, {0, s, 1}, 0, 1, 0});
        drags.push_back({2, {s, 0, 1}, 1, 1, 0});
        drags.push_back({3, {1, 0, s}, 1, 1, 0});
    }
    constexpr double kPi = 3.14159265358979323846;
    // Pulled a distance that turns 30 (springs back), 70 (a quarter) and 160 degrees
    // (a half turn), both ways.
    for (const Drag& base : drags) {
        for (int sign : {1, -1})
            for (double degrees : {30.0, 70.0, 160.0}) {
                Drag d = base;
                d.sign = sign;
                d.units = degrees * kPi / 180 * kStickerPlane;
                double centre[3];
                const Vec3 n = FaceNormal(d.face);
                for (int a = 0; a < 3; ++a) centre[a] = n[a] != 0 ? n[a] * kStickerPlane : d.cell[a] * kCubiePitch;
                double x, y;
                ASSERT_TRUE(ProjectToPane(cam, centre, x, y));
                StickerHit hit;
                ASSERT_TRUE(PickSticker(cam, x, y, hit));
                // The pointer goes where a small pull along the axis shows on the
                // screen, scaled up to the distance.
                double q[3] = {centre[0], centre[1], centre[2]};
                q[d.along] += d.sign * 0.05;
                double qx, qy;
                ASSERT_TRUE(ProjectToPane(cam, q, qx, qy));
                const double dx = (qx - x) / 0.05 * d.units, dy = (qy - y) / 0.05 * d.units;
                LayerGrip grip;
                ASSERT_TRUE(GripLayer(cam, hit, dx, dy, grip));
                const int quarters = SettleQuarters(GripAngle(grip, dx, dy));

                // Where the pull takes the sticker decides the way: a positive turn
                // about the axis moves the point axis x point.
                const int axis = 3 - d.along - [&] { for (int a = 0; a < 3; ++a) if (n[a]) return a; return 0; }();
                double velocity[3] = {0, 0, 0};
                const int u = (axis + 1) % 3, w = (axis + 2) % 3;
                velocity[u] = -centre[w];
                velocity[w] = centre[u];
                const int way = velocity[d.along] * d.sign > 0 ? 1 : -1;
                const int expected = degrees < 45 ? 0 : degrees < 135 ? way : 2 * way;
                const std::string what = "face " + std::to_string(d.face) + " cell " + std::to_string(d.cell[0]) +
                                         std::to_string(d.cell[1]) + std::to_string(d.cell[2]) + " along " +
                                         std::to_string(d.along) + (sign > 0 ? "+ " : "- ") +
                                         std::to_string(static_cast<int>(degrees));
                EXPECT_EQ(grip.axis, axis) << what;
                EXPECT_EQ(grip.slice, d.cell[axis]) << what;
                EXPECT_EQ(quarters, expected) << what;
                if (quarters == 0) continue;
                const auto before = Colours(m());
                ASSERT_EQ(doc->TurnLayer(grip.axis, grip.slice, quarters), 1) << what;
                EXPECT_EQ(Colours(m()), Turned(before, axis, d.cell[axis], expected)) << what;
            }
    }
}

}  // namespace
}  // namespace velmora::test
