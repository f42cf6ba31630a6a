#pragma once
// The centre-orientation method's two parts as the learner meets them. Pieces are
// centres, named by face position (model/stage_goal.h).
#include <array>

#include "model/stage_goal.h"

namespace velmora::centre {

inline constexpr std::array<StagePiece, 3> kSideCentrePieces = {{
    {2, PieceGoal::Oriented}, {3, PieceGoal::Oriented}, {4, PieceGoal::Oriented},
}};
inline constexpr std::array<StagePiece, 2> kOtherCentrePieces = {{
    {1, PieceGoal::Oriented}, {5, PieceGoal::Oriented},
}};

inline constexpr std::array<StageLesson, 2> kStageLessons = {{
    {"#  ", "前、右、后、顶、左面中心",
     "把前、右、后三面的中心小块转正；顶面和左面的中心都歪着时，也先在这里一起处理。途中角块和边块会被暂时移动，整个解法结束时都回到原处。",
     GoalFrame::Centres, kSideCentrePieces},
    {"", "其余中心",
     "用不改变其它小块的长公式转正顶面和左面的中心，底面中心转了半圈的也转回来。底面中心有时会差四分之一圈：其它小块不动时，这一点无法改正。",
     GoalFrame::Centres, kOtherCentrePieces},
}};

}  // namespace velmora::centre
