#pragma once
// The group method's stages as the learner meets them: name, goal and pieces, in the
// order of work (the top-layer stage's two steps last, as it runs only when the two
// lower layers are already restored).
#include <array>

#include "model/stage_goal.h"

namespace velmora::group {

inline constexpr std::array<StagePiece, 4> kTopEdgePieces = {{
    {11, PieceGoal::Placed}, {12, PieceGoal::Placed}, {13, PieceGoal::Placed}, {14, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 8> kPairPieces = {{
    {21, PieceGoal::Placed}, {31, PieceGoal::Placed}, {22, PieceGoal::Placed}, {32, PieceGoal::Placed},
    {23, PieceGoal::Placed}, {33, PieceGoal::Placed}, {24, PieceGoal::Placed}, {34, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 4> kBottomCornerPieces = {{
    {41, PieceGoal::Placed}, {42, PieceGoal::Placed}, {43, PieceGoal::Placed}, {44, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 4> kBottomEdgePieces = {{
    {51, PieceGoal::Placed}, {52, PieceGoal::Placed}, {53, PieceGoal::Placed}, {54, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 4> kTopEdgeTwistPieces = {{
    {11, PieceGoal::Oriented}, {12, PieceGoal::Oriented}, {13, PieceGoal::Oriented}, {14, PieceGoal::Oriented},
}};
inline constexpr std::array<StagePiece, 8> kTopLayerPieces = {{
    {21, PieceGoal::Placed}, {22, PieceGoal::Placed}, {23, PieceGoal::Placed}, {24, PieceGoal::Placed},
    {11, PieceGoal::Placed}, {12, PieceGoal::Placed}, {13, PieceGoal::Placed}, {14, PieceGoal::Placed},
}};

inline constexpr std::array<StageLesson, 6> kStageLessons = {{
    {"#  ", "上边块",
     "把顶面的四个边块放回原位并翻正：顶面出现一个十字，每个边块的侧面颜色也和侧面中心相同。",
     GoalFrame::Fixed, kTopEdgePieces},
    {"## ", "上角块和中边块",
     "把四个上角块和四个中边块放回原位。每个上角块和它正下方的中边块算一组，先在底层把两块配好，再用一套“底面转、侧面转、底面转、侧面转回”的动作一起送上去；四组做完，上面两层就复原了。",
     GoalFrame::Fixed, kPairPieces},
    {",# ", "下角块",
     "把底面的四个角块放回原位并转正：按它们在底层的先后顺序和色向选公式，最后转底面让它们对准自己的位置。上面两层保持不变。",
     GoalFrame::Fixed, kBottomCornerPieces},
    {"", "下边块",
     "最后把底面的四个边块放回原位并翻正，魔方复原。",
     GoalFrame::Fixed, kBottomEdgePieces},
    {"# #", "顶层边块",
     "只有顶层乱时用：把四个顶层边块都翻到顶面颜色朝上，同时把四个顶层角块排成正确的先后顺序。下面两层保持不变。",
     GoalFrame::Fixed, kTopEdgeTwistPieces},
    {"###", "顶层角块",
     "把四个顶层角块转到顶面颜色朝上，同时让顶层边块和角块相配，最后转顶面让整层对准，魔方复原。",
     GoalFrame::Fixed, kTopLayerPieces},
}};

// What a formula of a case table does, by the stage whose table it is; %d is the case
// number of the row.
inline constexpr std::string_view kBottomCornerFormulaDoes =
    "下角块公式（第%d种情况）：按四个下角块的顺序和色向选出，把它们排好并转正";
inline constexpr std::string_view kBottomEdgeFormulaDoes = "下边块公式（第%d种情况）：一次把四个下边块放好并翻正";
inline constexpr std::string_view kEdgeTwistFormulaDoes =
    "顶层第一步公式（第%d种情况）：翻正顶层边块，同时排好顶层角块的顺序";
inline constexpr std::string_view kCornerTwistFormulaDoes =
    "顶层第二步公式（第%d种情况）：转正顶层角块，同时让顶层边块和角块相配";

}  // namespace velmora::group
