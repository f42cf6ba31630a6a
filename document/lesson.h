#pragma once
// Learn mode: what the current stage of a shown solution is for, which stickers it brings
// home, and, while the user practises a stage, how far the user's own cube has got.
//
// Stickers are numbered as in the facelet string: faces U R F D L B, sticker i of face f is
// 9 * f + i, each face read row by row as seen from outside (U with its back edge at the
// top, D with its front edge at the top, the side faces with U at the top).
#include <array>
#include <string>

namespace velmora {

// How a sticker is drawn in learn mode.
enum class StickerLight : unsigned char {
    Dimmed,  // neither put home by an earlier stage nor brought home by the current one
    Home,    // put home by an earlier stage: full colour
    Stage,   // brought home by the current stage: full colour with a bright outline
};

// Everything the views show of learn mode; CVelmoraDoc::Lesson() fills it for the
// current step of the shown solution (or the user's own cube while practising).
struct LessonView {
    bool active = false;       // learn mode is on and a solution is shown
    int stage = -1;            // the current stage, 0-based in the shown solution; -1 none
    int stageCount = 0;
    std::string name;          // the stage's name as the solution sheet names it
    std::string goal;          // one or two plain sentences for a beginner
    std::string formula;       // what the current formula does; empty where the tables do not say
    std::array<StickerLight, 54> lights{};
    int piecesHome = 0;        // of the stage's pieces, how many hold their goal now
    int piecesTotal = 0;
    bool practising = false;   // the user turns the cube at this stage
    bool goalReached = false;  // practising, and every piece of the stage holds its goal
    std::string hint;          // the hint last asked for (own notation); empty when none
    // Added for the pane and the views:
    std::string hintInternational;  // the same hint in the international notation
    std::string progress;      // the pane's line on the stage's pieces ("本阶段已到位 3/4 块" ...)
    int stageBegin = -1;       // record index of the stage's first move (demonstration)
    int stageEnd = -1;         // record index just past the stage's last marker
};

}  // namespace velmora
