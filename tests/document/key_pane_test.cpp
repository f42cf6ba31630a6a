// The key-state pane's text by view kind, demonstration, cube input and a pending key.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/tarnex_source.h"
#include "document/key_pane.h"

namespace velmora::test {
namespace {

struct PaneCase {
    int kind;
    int inputMode;
    int demo;
    const char* text;
    bool poppedOut;
};

class KeyPane : public ::testing::TestWithParam<PaneCase> {};

TEST_P(KeyPane, ShowsTheRowOfItsTable) {
    auto m = std::make_unique<CTarnexSource>();
    m->InitCubeModel();
    const PaneCase& c = GetParam();
    m->inputMode = c.inputMode;
    m->autoDemoCount = c.demo;
    const KeyPaneState s = KeyPaneFor(*m, c.kind);
    EXPECT_EQ(s.text.view(), c.text);
    EXPECT_EQ(s.poppedOut, c.poppedOut);
    EXPECT_TRUE(s.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyPane,
    ::testing::Values(PaneCase{1, 0, 0, " 鼠标单击小方块能显示相应的提示", false},
                      PaneCase{1, 0, 1, " 正在自动演示！", false},
                      PaneCase{1, -1, 1, " 鼠标单击小方块，用选中的颜色画魔方", false},
                      PaneCase{2, 0, 0, " 可以用鼠标拖拽魔方", false},
                      PaneCase{2, 0, 23, " 正在自动演示！ 可以用鼠标拖拽魔方", false},
                      PaneCase{2, -1, 0, " 鼠标单击小方块，用选中的颜色画魔方", false},
                      PaneCase{3, 0, 0, " 双击选择文字颜色，右击选择屏幕背景颜色", false},
                      PaneCase{3, 0, 1, " <=>指出当前执行的位置，#间隔复原的阶段", false},
                      PaneCase{3, -1, 0, " 请在上部窗格画魔方", true},
                      PaneCase{2, 2, 0, " 请继续输入指令“ F...”", true},
                      PaneCase{3, 7, 1, " 请继续输入指令“ A...”", true},
                      PaneCase{1, 6, 0, "  请继续输入指令\"B...\"，\"BB\"是复原魔方", true}));

TEST(KeyPaneSizing, SizingTextEndsInFifteenBlanks) {
    const std::string text = kKeyPaneSizingText;
    EXPECT_EQ(text.rfind("准备执行以“B”开始的指令", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 15), std::string(15, ' '));
    EXPECT_NE(text[text.size() - 16], ' ');
}

}  // namespace
}  // namespace velmora::test
