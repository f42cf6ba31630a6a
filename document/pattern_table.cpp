#include "document/pattern_table.h"

namespace velmora {

std::string PatternForm::CommandShown(int index) {
    std::string text(kPatternCommandHeading);
    if (index >= 0 && index < static_cast<int>(kPatterns.size()))
        text += kPatterns[static_cast<std::size_t>(index)].moves;
    return text;
}

bool PatternForm::Accept(int index, bool reset, PatternChoice& choice) {
    if (index < 0 || index >= static_cast<int>(kPatterns.size())) return false;
    selected = index;
    resetFirst = reset;
    const PatternRow& row = kPatterns[static_cast<std::size_t>(index)];
    choice.name.assign(row.name);
    choice.moves.assign(row.moves);
    choice.resetFirst = reset;
    return true;
}

}  // namespace velmora
