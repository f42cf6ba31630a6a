#include "ui/gl/lesson_source.h"

#include <optional>

#include "document/velmora_doc.h"

namespace velmora {
namespace {

std::optional<LessonView>& TestLesson() {
    static std::optional<LessonView> lesson;
    return lesson;
}

}  // namespace

LessonView ShownLesson(const CVelmoraDoc& doc) {
    if (TestLesson()) return *TestLesson();
    return doc.Lesson();
}

void SetShownLessonForTest(const LessonView* lesson) {
    if (lesson)
        TestLesson() = *lesson;
    else
        TestLesson().reset();
}

}  // namespace velmora
