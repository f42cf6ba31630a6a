#pragma once
// What the command-string dialog holds and computes. One form lives for the whole
// run, so every field keeps its value from one opening to the next; the window only
// shows the fields and hands the user's edits back.
#include <string>
#include <string_view>

#include "document/move_format.h"
#include "model/user_port.h"

namespace velmora {

inline constexpr std::string_view kCommandInfoInitial =
    "在前导命令格中可以输入“RESET”表示先强制复原魔方，再执行指定命令。 "
    "还可以输入“TF”等表示所需要的整体转动魔方指令。 "
    "在前导，后续命令格中输入的指令不会被格式化。";
inline constexpr std::string_view kCommandInputInitial = "B+;R*;B-;P+;F*;B+;P+;T-;L+;T-;P*;R*;P*;F-;B-;L*;F*;";
// Lengths in characters of the typed fields.
inline constexpr int kCommandInputLimit = 180;
inline constexpr int kPrefixLimit = 120;
inline constexpr int kSuffixLimit = 120;
// Separator between the chosen rendering and its counterpart in the main command.
inline constexpr std::string_view kMainCommandJoin = " # ";
inline constexpr std::string_view kCommandLimitMessage = "命令最多180个字符，前导命令和后续命令各最多120个字符。";

// Number of characters (code points) of a UTF-8 text.
int CharacterCount(std::string_view text);

struct CommandStringForm {
    bool singleStep = false;
    // 1 forward, 2 reverse; after OK 2 more when the chosen rendering is empty.
    int direction = 1;
    std::string info{kCommandInfoInitial};
    std::string input{kCommandInputInitial};
    MoveRenderings renderings;
    std::string prefix, suffix;
    std::string mainCommand, secondCommand;

    // Before an opening: info grows by infoAppend; the results of the last OK go.
    void Open(std::string_view infoAppend);
    // Whether the reverse radio is checked at opening.
    bool ReverseChosen() const { return direction == 2 || direction == 4; }
    // The four renderings of the present input.
    void Format() { renderings = FormatMoves(input); }
    // OK: formats, fills the main and second commands for the chosen direction and
    // gives the dialog's result. False (nothing changed, error holds the message) when
    // a typed field is over its limit or the input holds anything that is not a move.
    bool Accept(bool forward, CommandStringChoice& choice);
    // Why the last Accept refused.
    std::string error;
    // The fields as the caller reads them after OK.
    CommandStringChoice Choice() const;
};

}  // namespace velmora
