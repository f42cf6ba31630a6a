#pragma once
// The shortest method's two phases as the learner meets them: the first brings every
// piece into the orientation, about one axis, from which quarter turns of the two faces
// on that axis and half turns of the other four suffice; the second restores the cube
// with those turns alone. Which axis depends on the position (lesson_plan.h).
#include <array>

#include "model/stage_goal.h"

namespace velmora::shortest {

inline constexpr std::array<StagePiece, 20> kPhaseOnePieces = {{
    {11, PieceGoal::Oriented}, {12, PieceGoal::Oriented}, {13, PieceGoal::Oriented}, {14, PieceGoal::Oriented},
    {21, PieceGoal::Oriented}, {22, PieceGoal::Oriented}, {23, PieceGoal::Oriented}, {24, PieceGoal::Oriented},
    {31, PieceGoal::Oriented}, {32, PieceGoal::Oriented}, {33, PieceGoal::Oriented}, {34, PieceGoal::Oriented},
    {41, PieceGoal::Oriented}, {42, PieceGoal::Oriented}, {43, PieceGoal::Oriented}, {44, PieceGoal::Oriented},
    {51, PieceGoal::Oriented}, {52, PieceGoal::Oriented}, {53, PieceGoal::Oriented}, {54, PieceGoal::Oriented},
}};
inline constexpr std::array<StagePiece, 20> kPhaseTwoPieces = {{
    {11, PieceGoal::Placed}, {12, PieceGoal::Placed}, {13, PieceGoal::Placed}, {14, PieceGoal::Placed},
    {21, PieceGoal::Placed}, {22, PieceGoal::Placed}, {23, PieceGoal::Placed}, {24, PieceGoal::Placed},
    {31, PieceGoal::Placed}, {32, PieceGoal::Placed}, {33, PieceGoal::Placed}, {34, PieceGoal::Placed},
    {41, PieceGoal::Placed}, {42, PieceGoal::Placed}, {43, PieceGoal::Placed}, {44, PieceGoal::Placed},
    {51, PieceGoal::Placed}, {52, PieceGoal::Placed}, {53, PieceGoal::Placed}, {54, PieceGoal::Placed},
}};

inline constexpr std::array<StageLesson, 2> kStageLessons = {{
    {"#  ", "第一段 摆正色向",
     "选定一条轴（比如顶面和底面）：把每个角块在这两面上的颜色都转到这两面上，把十二个边块都翻正，四个中层边块都放进中层。做到这一步，剩下的只用这两面的转动和其余四面的半转就能完成。",
     GoalFrame::Axis, kPhaseOnePieces},
    {"", "第二段 复原",
     "把每一块放回原位，魔方复原。接在第一段之后时，这一段只用那条轴上两个面的转动和其余四个面的半转。",
     GoalFrame::Fixed, kPhaseTwoPieces},
}};

}  // namespace velmora::shortest
