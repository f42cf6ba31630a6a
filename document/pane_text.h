#pragma once
// What the panes say in words to a screen reader: the net's sticker cells by face, row,
// column and colour name, the step of the demonstration, the solution pane's text and
// the state of the position. Plain functions of the model so that they can be checked
// without a window; the window's accessibility layer only passes them on.
#include <string>
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora {

// The three lines the solution pane shows while a cube is being entered.
inline constexpr std::string_view kInputInstructions[3] = {
    "首先请摆放您手中的魔方，对准中心小块的位置，如果中心颜色与手中的魔方不符，请右击选色条或中心小块。",
    "然后按照魔方上每小块颜色，单击选色条，选择需要的颜色后，在魔方展开图的相应小块上点击输入。",
    "您可以在左上窗格中双击鼠标，使用输入工具；如果您的魔方上有图案，请点击中心小块调整方向。",
};

// The nearest named colour to a colour value (red in the lowest byte): "红色", "橙色",
// "黄色", "绿色", "青色", "蓝色", "紫色", "粉色", "棕色", "白色", "灰色" or "黑色".
std::string_view ColourName(int colourRef);

// The face names of the net's blocks 1-6 (T F R P L B): "顶面" ... "底面".
std::string_view FaceName(int face);

// The colour entry (colourSettings index 1-9) that net sticker cell 0-53 shows: the
// position's sticker colour, or in cube input the painted colour (the centres keep
// their face colour).
int NetCellColour(const CTarnexSource& m, int cell);

// The name of net sticker cell 0-53 under the colour table colours[10]:
// "前面 第1行第2列 红色"; a cell not painted yet in cube input is "未涂色".
std::string NetCellName(const CTarnexSource& m, int cell, const int colours[10]);

// Steps of a solution record: the tokens after the header. done counts the tokens
// before demoPos; [lastBegin, lastEnd) is the token demonstrated last (empty at the
// start) and [nextBegin, nextEnd) the one the next step demonstrates (empty at the end).
struct SolutionSteps {
    int total = 0;
    int done = 0;
    int lastBegin = 0, lastEnd = 0;
    int nextBegin = 0, nextEnd = 0;
};
SolutionSteps CountSteps(std::string_view record, int demoPos);

// What the demonstration has just done: "第 12 步，共 58 步：R+", or "开始图案，共 58 步"
// before the first step, or "没有需要演示的步骤" for an empty solution.
std::string StepAnnouncement(std::string_view record, int demoPos);

// The solution pane's text: the method and turn count on the first line, then the
// moves as the record lists them (no marker). In cube input: the input instructions.
// moveOffset receives the text position of the record's first move (-1 in input),
// so that record positions map to text positions by moveOffset + (pos - 76).
std::string SolutionPaneText(const CTarnexSource& m, int* moveOffset);

// The 3D pane's description: whether the cube is restored, the method, the solution's
// turn count and the step of the demonstration, or that a cube is being entered.
std::string CubeDescription(const CTarnexSource& m);

}  // namespace velmora
