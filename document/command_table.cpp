// The command set: menu items in menu order, the toolbar commands, the accelerators and
// the toolbar layout.
#include "document/command_table.h"

#include <array>

namespace velmora {
namespace {

constexpr MenuId File = MenuId::File, Edit = MenuId::Edit, View = MenuId::View,
                 Learn = MenuId::Learn, Help = MenuId::Help, Bare = MenuId::None;
using enum EnableRule;
using enum MarkRule;

// id, menu, menu text, keys, toolbar, prompt, enable, mark, mark value, separator after,
// available
constexpr auto kCommands = std::to_array<CommandRow>({
    {57600, File, "新建(&N)", "F2", true, "新文件，随机打乱魔方，并求出复原解法  <F2>\n打乱", Always, None, 0, false, true},
    {32795, File, "打乱顶面(&T)", "F3", false, "新文件。复原下两层，打乱顶面；建议选择分组法。", NotInputMode, None, 0, false, true},
    {32796, File, "打乱边块(&E)", "F4", false, "新文件。复原角块，打乱边块；建议选择八角法。", NotInputMode, None, 0, true, true},
    {57601, File, "打开(&O)...", "Ctrl+O", true, "打开一个现有的魔方文档\n打开", Always, None, 0, false, true},
    {32940, File, "粘贴魔方(&V)...", "Ctrl+Shift+V", true, "把打乱公式、54位魔方字符串或72位位置代码粘贴成新文件，并求出复原解法  <Ctrl+Shift+V>\n粘贴魔方", NotInputMode, None, 0, false, true},
    {57603, File, "保存(&S)", "Ctrl+S", true, "保存活动的魔方文档\n保存", NotInputMode, None, 0, false, true},
    {57604, File, "另存为(&A)...", "", false, "将活动的魔方文档以一个新文件名保存\n另存为", NotInputMode, None, 0, true, true},
    {32950, File, "打印解法(&P)...", "", false, "打印开始状态和每个阶段的转动，带打印预览\n打印解法", SolutionShown, None, 0, false, true},
    {32951, File, "导出解法为PDF(&D)...", "", false, "把开始状态和每个阶段的转动保存为PDF文件\n导出PDF", SolutionShown, None, 0, true, true},
    {57616, File, "最近文件", "", false, "打开该文档", Always, None, 0, true, true},
    {57665, File, "退出(&X)", "", false, "退出应用程序；提示保存文档\n退出", Always, None, 0, false, true},
    {32784, Edit, "默认颜色(&D)...", "", false, "用默认颜色显示魔方", Always, None, 0, false, true},
    {32922, Edit, "标准配色(&S)", "", false, "用多数魔方的配色显示：白色顶面，绿色前面，红色右面，蓝色后面，橙色左面，黄色底面", Always, None, 0, false, true},
    {32789, Edit, "改装魔方(&M)...", "", false, "交换魔方小块的位置和改变小块的色向\n改装", NotInputMode, None, 0, false, true},
    {32790, Edit, "魔方图案(&P)...", "", false, "执行转成特定图案的指令序列", NotInputMode, None, 0, false, true},
    {32930, Edit, "照片输入魔方(&I)...", "", false, "用六张照片输入魔方：每面一张，自动识别颜色。", NotInputMode, None, 0, false, true},
    {32923, Edit, "复原魔方(&Z)", "", false, "把魔方设置成复原状态（同BB命令）\n复原", NotInputMode, None, 0, false, true},
    {32921, Edit, "复制解法(&Y)", "", false, "把解法用国际记号复制到剪贴板；解法窗格有焦点时按Ctrl+C\n复制解法", NotInputMode, None, 0, false, true},
    {32791, Edit, "魔方命令(&C)...", "F5", false, "执行指定的魔方命令  <F8>", NotInputMode, None, 0, true, true},
    {32792, Edit, "分组解法(&1)", "", false, "运用的解法次序：上边块，四组上角块和中边块，下角块，下边块。", NotInputMode, RadioMethod, 1, false, true},
    {32793, Edit, "八角解法(&8)", "", false, "运用的解法次序：角块色向,角块位置,三块上边块,下边块,最后一块上边块,中边块。", NotInputMode, RadioMethod, 2, false, true},
    {32900, Edit, "最少步解法(&3)", "", false, "用两阶段搜索求出不超过20转的复原解法。", NotInputMode, RadioMethod, 3, false, true},
    {32991, Edit, "最少步数解法(&5)", "", false, "求转数最少的复原解法（半转计一转），并证明没有更短的；先显示最少步解法的解，搜索在后台进行，按Esc停止。", NotInputMode, RadioMethod, 5, false, true},
    {32990, Edit, "求最少步数解(&O)", "", false, "为当前魔方求转数最少的解法：先显示最少步解法的解，找到并证明最少的解后替换它。按Esc停止。", NotInputMode, None, 0, true, true},
    {32797, Edit, "打乱中心(&N)", "F7", false, "新文件。复原全部边块和角块，打乱中心小块色向。", NotInputMode, None, 0, false, true},
    {32798, Edit, "复原中心(&0)", "F8", false, "只复原中心小块，其它小块都不动。（魔方特点，有些图案底面中心小块不能复原！）", NotInputMode, None, 0, true, true},
    {57643, Edit, "撤消(&U)", "Ctrl+Z, Alt+Backspace", false, "撤消最后一步操作\n撤消", Undo, None, 0, false, true},
    {57644, Edit, "重复(&R)", "Ctrl+Y", false, "重新执行先前已撤消的操作\n重新执行", Redo, None, 0, false, true},
    {32787, View, "自动演示(&A)", "Ctrl+A, Space", false, "开始或结束自动演示魔方复原过程\n演示", NotInputMode, CheckDemo, 0, false, true},
    {32910, View, "慢", "", false, "自动演示每步用2.4秒\n慢速演示", Always, RadioDemoSpeed, 2400, false, true},
    {32911, View, "中", "", false, "自动演示每步用1.6秒\n中速演示", Always, RadioDemoSpeed, 1600, false, true},
    {32912, View, "快", "", false, "自动演示每步用0.8秒\n快速演示", Always, RadioDemoSpeed, 800, false, true},
    {32788, View, "辅助魔方(&2)", "", false, "显示或隐藏辅助魔方\n辅助", Always, CheckAuxCube, 0, false, true},
    {32920, View, "国际记号", "", false, "解法窗格用国际记号（U D F B L R，x y z）显示解法\n国际记号", Always, CheckInternational, 0, false, true},
    {32970, View, "讲解模式", "", false, "在解法窗格上方说明当前阶段的名称和目标，并在魔方上突出本阶段的小块\n讲解模式", Always, CheckLearnMode, 0, false, true},
    {32794, View, "描述代码", "", false, "是否在用户输入魔方时显示有关的位置代码；输出描述代码，以及解法用的方法编号。", Always, CheckMethodIds, 0, true, true},
    {59392, View, "工具栏(&T)", "", false, "显示或隐藏工具栏\n显隐工具栏", Always, CheckToolbar, 0, false, true},
    {59393, View, "状态栏(&S)", "", false, "显示或隐藏状态栏\n显隐状态栏", Always, CheckStatusBar, 0, false, true},
    {32971, Learn, "自己做这一阶段", "", false, "演示退到当前阶段的开始，由你自己转动魔方完成这一阶段\n自己做", LessonShown, None, 0, false, true},
    {32972, Learn, "提示", "H", false, "从你现在的魔方出发，提示一步能让本阶段前进的转动  <H>\n提示", Practising, None, 0, false, true},
    {32973, Learn, "看演示", "", false, "回到本阶段开始的位置，继续演示复原过程\n看演示", Practising, None, 0, false, true},
    {32960, Help, "使用说明(&H)", "F1", false, "打开使用说明：输入魔方、复原方法、演示、记号、按键、文件和命令行  <F1>\n使用说明", Always, None, 0, true, true},
    {57664, Help, "关于 Velmora(&A)...", "", true, "显示程序信息，版本号和版权\n关于", Always, None, 0, false, true},
    {32783, Bare, "", "", true, "开始输入魔方图案... 只能使用鼠标！\n输入", Always, RadioInputMode, 0, false, true},
    {32782, Bare, "", "", false, "结束魔方图案输入，并求出复原解法。\n输入", Always, RadioInputMode, 0, false, true},
    {32992, Bare, "", "Esc", false, "停止最少步数搜索，保留显示的解法", Always, None, 0, false, true},
    {32772, Bare, "", "Down, Right", true, "根据建议复原方法，演示下一步    ↓  →\n下一步", NotInputMode, None, 0, false, true},
    {32785, Bare, "", "Up, Left", true, "根据建议复原方法回退一步    ←  ↑\n退一步", NotInputMode, None, 0, false, true},
    {32779, Bare, "", "T, U", true, "输入魔方转动指令；选择T面：魔方的顶面  <T> <U>\n顶面", NotInputMode, CheckKeyPending, 1, false, true},
    {32780, Bare, "", "F", true, "输入魔方转动指令；选择F面：魔方的前面  <F>\n前面", NotInputMode, CheckKeyPending, 2, false, true},
    {32781, Bare, "", "R", true, "输入魔方转动指令；选择R面：魔方的右面  <R>\n右面", NotInputMode, CheckKeyPending, 3, false, true},
    {32774, Bare, "", "P", true, "输入魔方转动指令；选择P面：魔方的后面  <P>\n后面", NotInputMode, CheckKeyPending, 4, false, true},
    {32775, Bare, "", "L", true, "输入魔方转动指令；选择L面：魔方的左面  <L>\n左面", NotInputMode, CheckKeyPending, 5, false, true},
    {32773, Bare, "", "B, D", true, "输入魔方转动指令；选择B面：魔方的底面  <B> <D>\n底面", NotInputMode, CheckKeyPending, 6, false, true},
    {32786, Bare, "", "A, 0", true, "输入魔方转动扩展指令  <A> <0>\n扩展", NotInputMode, CheckKeyPending, 7, false, true},
    {32776, Bare, "", "+, =", true, "直接按放大魔方尺寸；接在其它按钮后执行某一面顺时针转90度 <+> <=>\n顺时针", NotInputMode, None, 0, false, true},
    {32777, Bare, "", "-", true, "直接按缩小魔方尺寸；接在其它按钮后执行某一面逆时针转90度 <->\n逆时针", NotInputMode, None, 0, false, true},
    {32778, Bare, "", "*, /, 8", true, "直接按采用默认显示风格；接在其它按钮后执行某一面转180度 <*> </> <8>\n转180度", NotInputMode, None, 0, false, true},
});

// typed character, key, modifiers, id
constexpr auto kAccelerators = std::to_array<AcceleratorRow>({
    {true, "*", kNoModifier, 32778},
    {true, "/", kNoModifier, 32778},
    {true, "8", kNoModifier, 32778},
    {true, "+", kNoModifier, 32776},
    {true, "=", kNoModifier, 32776},
    {true, "-", kNoModifier, 32777},
    {true, "0", kNoModifier, 32786},
    {false, "A", kNoModifier, 32786},
    {false, "A", kCtrl, 32787},
    {false, "Space", kNoModifier, 32787},
    {false, "B", kNoModifier, 32773},
    {false, "D", kNoModifier, 32773},
    {false, "F", kNoModifier, 32780},
    {false, "L", kNoModifier, 32775},
    {false, "P", kNoModifier, 32774},
    {false, "R", kNoModifier, 32781},
    {false, "T", kNoModifier, 32779},
    {false, "U", kNoModifier, 32779},
    {false, "Down", kNoModifier, 32772},
    {false, "Right", kNoModifier, 32772},
    {false, "Up", kNoModifier, 32785},
    {false, "Left", kNoModifier, 32785},
    {false, "F1", kNoModifier, 32960},
    {false, "F2", kNoModifier, 57600},
    {false, "F3", kNoModifier, 32795},
    {false, "F4", kNoModifier, 32796},
    {false, "F5", kNoModifier, 32791},
    {false, "F6", kNoModifier, 57680},
    {false, "F6", kShift, 57681},
    {false, "F7", kNoModifier, 32797},
    {false, "F8", kNoModifier, 32798},
    {false, "H", kNoModifier, 32972},
    {false, "O", kCtrl, 57601},
    {false, "V", kCtrl | kShift, 32940},
    {false, "S", kCtrl, 57603},
    {false, "Z", kCtrl, 57643},
    {false, "Backspace", kAlt, 57643},
    {false, "Y", kCtrl, 57644},
    {false, "C", kCtrl, 57634},
    {false, "Insert", kCtrl, 57634},
    {false, "X", kCtrl, 57635},
    {false, "Delete", kShift, 57635},
    {false, "V", kCtrl, 57637},
    {false, "Insert", kShift, 57637},
    {false, "Esc", kNoModifier, 32992},
});

constexpr std::array<int, 23> kToolbar = {
    57600, 57601, 32940, 57603, 0, 32783, 0, 32785, 32772, 0, 32786, 32779,
    32780, 32781, 32774, 32775, 32773, 0, 32776, 32778, 32777, 0, 57664};

}  // namespace

std::span<const CommandRow> CommandTable() { return kCommands; }
std::span<const AcceleratorRow> AcceleratorTable() { return kAccelerators; }
std::span<const int> ToolbarLayout() { return kToolbar; }

std::string_view MenuTitle(MenuId menu) {
    switch (menu) {
        case MenuId::File: return "文件(&F)";
        case MenuId::Edit: return "编辑(&E)";
        case MenuId::View: return "查看(&V)";
        case MenuId::Learn: return "讲解(&J)";
        case MenuId::Help: return "帮助(&H)";
        case MenuId::None: break;
    }
    return {};
}

const CommandRow* FindCommand(int id) {
    if (id > cmd::kRecentFile1 && id < cmd::kRecentFile1 + kRecentFileCount) id = cmd::kRecentFile1;
    for (const CommandRow& row : kCommands)
        if (row.id == id) return &row;
    return nullptr;
}

std::string_view PromptStatusText(std::string_view prompt) {
    return prompt.substr(0, prompt.find('\n'));
}

std::string_view PromptTooltip(std::string_view prompt) {
    std::size_t nl = prompt.find('\n');
    return nl == std::string_view::npos ? std::string_view{} : prompt.substr(nl + 1);
}

}  // namespace velmora
