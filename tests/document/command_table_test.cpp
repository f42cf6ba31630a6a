#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "doc_fixture.h"

namespace velmora::test {
namespace {

// A menu as "item|item|-|item", a separator written as "-".
std::string MenuLayout(MenuId menu) {
    std::string out;
    for (const CommandRow& row : CommandTable()) {
        if (row.menu != menu) continue;
        if (!out.empty()) out += '|';
        out += row.menuText;
        if (row.separatorAfter) out += "|-";
    }
    return out;
}

TEST(CommandTable, MenusHoldEveryItemAndSeparatorInOrder) {
    EXPECT_EQ(MenuLayout(MenuId::File),
              "新建(&N)|打乱顶面(&T)|打乱边块(&E)|-|打开(&O)...|粘贴魔方(&V)...|保存(&S)|另存为(&A)...|-|"
              "打印解法(&P)...|导出解法为PDF(&D)...|-|最近文件|-|退出(&X)");
    EXPECT_EQ(MenuLayout(MenuId::Edit),
              "默认颜色(&D)...|标准配色(&S)|改装魔方(&M)...|魔方图案(&P)...|照片输入魔方(&I)...|复原魔方(&Z)|复制解法(&Y)|"
              "魔方命令(&C)...|-|分组解法(&1)|"
              "八角解法(&8)|最少步解法(&3)|最少步数解法(&5)|求最少步数解(&O)|-|打乱中心(&N)|复原中心(&0)|-|撤消(&U)|重复(&R)");
    EXPECT_EQ(MenuLayout(MenuId::View),
              "自动演示(&A)|慢|中|快|辅助魔方(&2)|国际记号|讲解模式|描述代码|-|工具栏(&T)|状态栏(&S)");
    EXPECT_EQ(MenuLayout(MenuId::Learn), "自己做这一阶段|提示|看演示");
    EXPECT_EQ(MenuLayout(MenuId::Help), "使用说明(&H)|-|关于 Velmora(&A)...");
    EXPECT_EQ(MenuTitle(MenuId::File), "文件(&F)");
    EXPECT_EQ(MenuTitle(MenuId::Edit), "编辑(&E)");
    EXPECT_EQ(MenuTitle(MenuId::View), "查看(&V)");
    EXPECT_EQ(MenuTitle(MenuId::Help), "帮助(&H)");
}

TEST(CommandTable, IdsAreUniqueAndFoundByLookup) {
    std::set<int> ids;
    for (const CommandRow& row : CommandTable()) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        EXPECT_EQ(FindCommand(row.id), &row);
    }
    EXPECT_EQ(ids.size(), 58u);
    EXPECT_EQ(FindCommand(cmd::kRecentFile1 + 7), FindCommand(cmd::kRecentFile1));
    EXPECT_EQ(FindCommand(cmd::kRecentFile1 + 8), nullptr);
    EXPECT_EQ(FindCommand(cmd::kCopy), nullptr);
}

// "Ctrl+Z" -> key "Z" with kCtrl; a one-character key other than a letter is typed.
AcceleratorRow ParseKey(std::string_view text, int id) {
    int mods = kNoModifier;
    for (;;) {
        if (text.starts_with("Ctrl+")) { mods |= kCtrl; text.remove_prefix(5); }
        else if (text.starts_with("Shift+")) { mods |= kShift; text.remove_prefix(6); }
        else if (text.starts_with("Alt+")) { mods |= kAlt; text.remove_prefix(4); }
        else break;
    }
    bool typed = text.size() == 1 && !(text[0] >= 'A' && text[0] <= 'Z');
    return {typed, text, mods, id};
}

bool SameBinding(const AcceleratorRow& a, const AcceleratorRow& b) {
    return a.typedChar == b.typedChar && a.key == b.key && a.modifiers == b.modifiers && a.id == b.id;
}

TEST(CommandTable, KeysShownInTheTableAreExactlyItsAccelerators) {
    int shown = 0;
    for (const CommandRow& row : CommandTable()) {
        std::string_view keys = row.keys;
        while (!keys.empty()) {
            std::size_t comma = keys.find(", ");
            AcceleratorRow want = ParseKey(keys.substr(0, comma), row.id);
            keys = comma == std::string_view::npos ? std::string_view{} : keys.substr(comma + 2);
            ++shown;
            auto acc = AcceleratorTable();
            EXPECT_TRUE(std::any_of(acc.begin(), acc.end(),
                                    [&](const AcceleratorRow& a) { return SameBinding(a, want); }))
                << row.id << " " << want.key;
        }
    }
    // The rest of the table: the two pane keys and the inert clipboard keys.
    int others = 0;
    for (const AcceleratorRow& a : AcceleratorTable())
        if (!FindCommand(a.id)) ++others;
    EXPECT_EQ(others, 8);
    EXPECT_EQ(shown + others, static_cast<int>(AcceleratorTable().size()));
}

TEST(CommandTable, ToolbarCarriesTheBarCommandsInItsOrder) {
    std::set<int> onBar;
    for (int id : ToolbarLayout()) {
        if (id != 0) {
            EXPECT_TRUE(onBar.insert(id).second) << id;
        }
    }
    for (const CommandRow& row : CommandTable())
        EXPECT_EQ(row.toolbar, onBar.count(row.id) == 1) << row.id;
    EXPECT_EQ(std::count(ToolbarLayout().begin(), ToolbarLayout().end(), 0), 5);
    EXPECT_EQ(ToolbarLayout().front(), cmd::kFileNew);
    EXPECT_EQ(ToolbarLayout().back(), cmd::kAbout);
}

TEST(CommandTable, PromptsSplitIntoStatusTextAndTooltip) {
    const CommandRow* undo = FindCommand(cmd::kUndo);
    EXPECT_EQ(PromptStatusText(undo->prompt), "撤消最后一步操作");
    EXPECT_EQ(PromptTooltip(undo->prompt), "撤消");
    const CommandRow* top = FindCommand(cmd::kScrambleTop);
    EXPECT_EQ(PromptStatusText(top->prompt), top->prompt);
    EXPECT_EQ(PromptTooltip(top->prompt), "");
    EXPECT_EQ(kDocTypeString.substr(kDocTypeString.find("魔方文件 (*.mf)"), kFileFilter.size()),
              kFileFilter);
}

// Enable rules, row by row, in the idle state and in cube input.
class EnableRules : public DocTest, public ::testing::WithParamInterface<CommandRow> {};

TEST_P(EnableRules, FollowTheRowsRuleInBothModes) {
    const CommandRow& row = GetParam();
    for (int mode : {0, 3, -1}) {
        m().inputMode = mode;
        bool want = false;
        switch (row.enable) {
            case EnableRule::Always: want = true; break;
            case EnableRule::NotInputMode: want = mode >= 0; break;
            case EnableRule::Undo: want = doc->CanUndo(); break;
            case EnableRule::Redo: want = doc->CanRedo(); break;
            case EnableRule::SolutionShown: want = mode >= 0 && m().SolutionRecord.size() > 76; break;
            // Learn mode is off and nothing is practised in a fresh document.
            case EnableRule::LessonShown: want = false; break;
            case EnableRule::Practising: want = false; break;
        }
        if (row.id == cmd::kRecentFile1) want = false;  // the list is empty
        if (!row.available) want = false;
        EXPECT_EQ(doc->IsEnabled(row.id), want) << row.id << " in mode " << mode;
    }
}

TEST_P(EnableRules, ADisabledCommandDoesNothing) {
    const CommandRow& row = GetParam();
    m().inputMode = -1;
    if (doc->IsEnabled(row.id)) return;
    m().inputMode = -1;
    const std::string before = Code();
    user.Clear();
    EXPECT_FALSE(doc->OnCommand(row.id));
    EXPECT_TRUE(user.calls.empty()) << row.id;
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(m().inputMode, -1);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, EnableRules, ::testing::ValuesIn(CommandTable()),
                         [](const auto& info) { return std::to_string(info.param.id); });

TEST_F(DocTest, CommandsWithoutAHandlerStayInert) {
    EXPECT_FALSE(doc->OnCommand(cmd::kCopy));
    EXPECT_FALSE(doc->OnCommand(cmd::kNextPane));
    EXPECT_TRUE(user.calls.empty());
}

TEST_F(DocTest, UndoAndRedoRulesFollowTheIndices) {
    EXPECT_FALSE(doc->IsEnabled(cmd::kUndo));
    EXPECT_FALSE(doc->IsEnabled(cmd::kRedo));
    doc->HistoryOp(2, "a");
    EXPECT_TRUE(doc->IsEnabled(cmd::kUndo));
    EXPECT_FALSE(doc->IsEnabled(cmd::kRedo));
    doc->OnCommand(cmd::kUndo);
    EXPECT_FALSE(doc->IsEnabled(cmd::kUndo));
    EXPECT_TRUE(doc->IsEnabled(cmd::kRedo));
    // In input mode the input ring's rule joins in: its reset entry makes undo possible.
    m().inputMode = -1;
    doc->HistoryOp(0, {});
    EXPECT_TRUE(doc->IsEnabled(cmd::kUndo));
    EXPECT_TRUE(doc->IsEnabled(cmd::kRedo));  // the command ring still has its redo
}

TEST_F(DocTest, MarksFollowTheModel) {
    EXPECT_TRUE(doc->IsChecked(cmd::kGroupMethod));
    EXPECT_FALSE(doc->IsChecked(cmd::kEightCornerMethod));
    m().methodChoice = 2;
    EXPECT_FALSE(doc->IsChecked(cmd::kGroupMethod));
    EXPECT_TRUE(doc->IsChecked(cmd::kEightCornerMethod));

    EXPECT_FALSE(doc->IsChecked(cmd::kAutoDemo));
    m().autoDemoCount = 23;
    EXPECT_TRUE(doc->IsChecked(cmd::kAutoDemo));

    EXPECT_FALSE(doc->IsChecked(cmd::kStartInput));
    m().inputMode = -1;
    EXPECT_TRUE(doc->IsChecked(cmd::kStartInput));
    EXPECT_TRUE(doc->IsChecked(cmd::kEndInput));
    m().inputMode = 6;
    EXPECT_TRUE(doc->IsChecked(cmd::kKeyB));
    EXPECT_FALSE(doc->IsChecked(cmd::kKeyT));

    EXPECT_TRUE(doc->IsChecked(cmd::kToolbar));
    doc->OnCommand(cmd::kToolbar);
    EXPECT_FALSE(doc->IsChecked(cmd::kToolbar));
    EXPECT_FALSE(user.toolbarShown);
    doc->OnCommand(cmd::kStatusBar);
    EXPECT_FALSE(doc->IsChecked(cmd::kStatusBar));
    doc->OnCommand(cmd::kStatusBar);
    EXPECT_TRUE(user.statusBarShown);

    // The auxiliary cube is shown from the start.
    EXPECT_TRUE(doc->IsChecked(cmd::kAuxCube));
    doc->OnCommand(cmd::kAuxCube);
    EXPECT_FALSE(doc->auxShown);
    EXPECT_FALSE(doc->IsChecked(cmd::kAuxCube));

    EXPECT_FALSE(doc->IsChecked(cmd::kDescriptionCodes));
    doc->OnCommand(cmd::kDescriptionCodes);
    EXPECT_EQ(m().showMethodIds, 1);
    EXPECT_TRUE(doc->IsChecked(cmd::kDescriptionCodes));
    doc->OnCommand(cmd::kDescriptionCodes);
    EXPECT_EQ(m().showMethodIds, 0);
}

}  // namespace
}  // namespace velmora::test
