#pragma once
// What learn mode says in words: the lines the solution pane shows above the moves and
// the announcement a screen reader gets at each stage. Plain functions of the lesson.
#include <string>
#include <vector>

#include "document/lesson.h"

namespace velmora {

// The pane's lines for an active lesson, each one paragraph (the pane wraps them):
// "第2阶段（共5阶段）：上角块和中边块", "目标：…", "公式：…" when the formula is named,
// the count of the stage's pieces home (while practising, or that the goal holds), and
// while practising the hint.
// Empty for an inactive lesson.
std::vector<std::string> LessonPaneLines(const LessonView& lesson);

// The same in one text, for the solution pane's accessible description; empty for an
// inactive lesson.
std::string LessonAnnouncement(const LessonView& lesson);

}  // namespace velmora
