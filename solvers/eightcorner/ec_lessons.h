#pragma once
// The eight-corner method's stages as the learner meets them: name, goal and pieces,
// in the order of work. Corners and edges are made right relative to the corners of
// their own layer; the top and bottom layers are turned home at the very end.
#include <array>

#include "model/stage_goal.h"

namespace velmora::ec {

inline constexpr std::array<StagePiece, 4> kBottomCornerPieces = {{
    {41, PieceGoal::Oriented}, {42, PieceGoal::Oriented}, {43, PieceGoal::Oriented}, {44, PieceGoal::Oriented},
}};
inline constexpr std::array<StagePiece, 4> kTopTwistPieces = {{
    {21, PieceGoal::Oriented}, {22, PieceGoal::Oriented}, {23, PieceGoal::Oriented}, {24, PieceGoal::Oriented},
}};
inline constexpr std::array<StagePiece, 8> kCornerPlacePieces = {{
    {21, PieceGoal::Placed}, {22, PieceGoal::Placed}, {23, PieceGoal::Placed}, {24, PieceGoal::Placed},
    {41, PieceGoal::Placed}, {42, PieceGoal::Placed}, {43, PieceGoal::Placed}, {44, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 4> kUpperEdgePieces = {{
    {11, PieceGoal::Placed}, {12, PieceGoal::Placed}, {13, PieceGoal::Placed}, {14, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 4> kLowerEdgePieces = {{
    {51, PieceGoal::Placed}, {52, PieceGoal::Placed}, {53, PieceGoal::Placed}, {54, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 5> kLastUpperEdgePieces = {{
    {11, PieceGoal::Placed}, {12, PieceGoal::Placed}, {13, PieceGoal::Placed}, {14, PieceGoal::Placed},
    {31, PieceGoal::Placed},
}};
inline constexpr std::array<StagePiece, 3> kMiddleEdgePieces = {{
    {32, PieceGoal::Placed}, {33, PieceGoal::Placed}, {34, PieceGoal::Placed},
}};

inline constexpr std::array<StageLesson, 7> kStageLessons = {{
    {"#  ", "下角块",
     "先不管边块：把四个底面角块都放进底层，底面颜色朝下。它们暂时不必在自己的位置上。",
     GoalFrame::Fixed, kBottomCornerPieces},
    {" # ", "上角块色向",
     "把顶层四个角块的顶面颜色都转到朝上，底层的角块保持底面颜色朝下。",
     GoalFrame::Fixed, kTopTwistPieces},
    {"  #", "角块位置",
     "调换角块，让顶层四个角块、底层四个角块各自排好先后顺序：相邻两个角块在侧面上的颜色相同。顶层和底层整层对准留到最后。",
     GoalFrame::Layers, kCornerPlacePieces},
    {"## ", "三块上边块",
     "把上边块一块一块放进顶层，翻正并和两旁的上角块相配，直到至少三块做好；空着的一个位置留给下一阶段周转。角块保持不变。",
     GoalFrame::Layers, kUpperEdgePieces, 3},
    {"# #", "下边块",
     "借顶层空着的位置，把四个下边块一块一块送进底层，翻正并和底层角块相配；做好的上边块和全部角块保持不变。",
     GoalFrame::Layers, kLowerEdgePieces},
    {" ##", "最后一块上边块",
     "用公式放好最后一块上边块，同时把前右位置（FR）的中边块放回原位并翻正。",
     GoalFrame::Layers, kLastUpperEdgePieces},
    {"", "中边块",
     "把其余三个中边块放回原位并翻正，最后转顶面和底面让两层对准，魔方复原。",
     GoalFrame::Layers, kMiddleEdgePieces},
}};

// What a formula of a keyed table does; %d is the key of the row (where the pieces it
// answers stand and how they are turned).
inline constexpr std::string_view kLastUpperEdgeFormulaDoes =
    "最后一块上边块公式（编号%d）：放好最后一块上边块和前右位置的中边块";
inline constexpr std::string_view kMiddleEdgeFormulaDoes = "中边块公式（编号%d）：放好其余三个中边块";

}  // namespace velmora::ec
