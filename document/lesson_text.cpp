#include "document/lesson_text.h"

namespace velmora {

std::vector<std::string> LessonPaneLines(const LessonView& lesson) {
    std::vector<std::string> lines;
    if (!lesson.active) return lines;
    std::string head = "第" + std::to_string(lesson.stage + 1) + "阶段";
    if (lesson.stageCount > 0) head += "（共" + std::to_string(lesson.stageCount) + "阶段）";
    if (!lesson.name.empty()) head += "：" + lesson.name;
    lines.push_back(std::move(head));
    if (!lesson.goal.empty()) lines.push_back("目标：" + lesson.goal);
    if (!lesson.formula.empty()) lines.push_back("公式：" + lesson.formula);
    // The document words the progress; a lesson without that line gets the count.
    if (!lesson.progress.empty()) {
        lines.push_back(lesson.progress);
    } else if (lesson.practising && lesson.goalReached) {
        lines.push_back(lesson.stage + 1 < lesson.stageCount ? "这一阶段完成了！可以接着做下一阶段。"
                                                             : "这一阶段完成了，魔方复原了！");
    } else if (lesson.piecesTotal > 0) {
        lines.push_back("本阶段的小块已到位 " + std::to_string(lesson.piecesHome) + "/" +
                        std::to_string(lesson.piecesTotal) + " 块。");
    }
    // A hint is for reaching the goal: once it holds, none is shown.
    if (lesson.practising && !lesson.goalReached && !lesson.hint.empty()) {
        std::string hint = "提示：下一步转 " + lesson.hint;
        if (!lesson.hintInternational.empty()) hint += "（国际记号 " + lesson.hintInternational + "）";
        lines.push_back(std::move(hint));
    }
    return lines;
}

std::string LessonAnnouncement(const LessonView& lesson) {
    std::string text;
    for (const std::string& line : LessonPaneLines(lesson)) {
        if (!text.empty()) text += "；";
        text += line;
    }
    return text;
}

}  // namespace velmora
