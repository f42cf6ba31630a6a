#include "document/command_string_form.h"

namespace velmora {

int CharacterCount(std::string_view text) {
    int n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

void CommandStringForm::Open(std::string_view infoAppend) {
    info += infoAppend;
    mainCommand.clear();
    secondCommand.clear();
}

bool CommandStringForm::Accept(bool forward, CommandStringChoice& choice) {
    if (CharacterCount(input) > kCommandInputLimit || CharacterCount(prefix) > kPrefixLimit ||
        CharacterCount(suffix) > kSuffixLimit) {
        error.assign(kCommandLimitMessage);
        return false;
    }
    const MoveRenderings formatted = FormatMoves(input);
    // A text with something that is no move is refused whole; an empty one runs nothing.
    if (!formatted.ok && !formatted.error.text.empty()) {
        error = formatted.error.message;
        return false;
    }
    error.clear();
    renderings = formatted;
    const std::string& f = renderings.ownForward;
    const std::string& r = renderings.ownReverse;
    if (forward) {
        direction = 1;
        mainCommand = f + std::string(kMainCommandJoin) + r;
        secondCommand = f;
    } else {
        direction = 2;
        mainCommand = r + std::string(kMainCommandJoin) + f;
        secondCommand = r;
    }
    if (secondCommand.empty()) direction += 2;
    choice = Choice();
    return true;
}

CommandStringChoice CommandStringForm::Choice() const {
    CommandStringChoice c;
    c.prefix = prefix;
    c.suffix = suffix;
    c.mainCommand = mainCommand;
    c.secondCommand = secondCommand;
    c.singleStep = singleStep;
    return c;
}

}  // namespace velmora
