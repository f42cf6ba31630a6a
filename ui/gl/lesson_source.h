#pragma once
// The lesson every pane draws from: the document's view of the current stage, or one
// that a window test puts in its place.
#include "document/lesson.h"

namespace velmora {

class CVelmoraDoc;

// The lesson the panes show now (inactive while learn mode is off or nothing is shown).
LessonView ShownLesson(const CVelmoraDoc& doc);

// Makes every pane show lesson instead of the document's until called with null. For
// window tests, which check the drawing of a stage they choose.
void SetShownLessonForTest(const LessonView* lesson);

}  // namespace velmora
