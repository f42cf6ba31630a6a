#pragma once
// The move table: every named move with its permutation code, the text it leaves in
// the move record and the face turns it counts. A code names, for each destination
// slot in code order, the source slot and the twist added, then for each face
// position the source position of its centre and the centre-turn increment.
#include <array>

#include "model/tarnex_source.h"

namespace velmora::move_table {

// Face turns.
inline constexpr std::string_view kTp = "120130140110220230240210310320330340410420430440510520530540123456100000";
inline constexpr std::string_view kTs = "130140110120230240210220310320330340410420430440510520530540123456200000";
inline constexpr std::string_view kTm = "140110120130240210220230310320330340410420430440510520530540123456300000";
inline constexpr std::string_view kFp = "340120130140242220230440111320330511212420430412310520530540123456010000";
inline constexpr std::string_view kFs = "511120130140442220230412341320330311241420430211111520530540123456020000";
inline constexpr std::string_view kFm = "311120130140411220230211510320330110441420430240341520530540123456030000";
inline constexpr std::string_view kRp = "110310130140410212230240521121330340422222430440510320530540123456001000";
inline constexpr std::string_view kRs = "110521130140422412230240321311330340221211430440510121530540123456002000";
inline constexpr std::string_view kRm = "110321130140221421230240120520330340210411430440510311530540123456003000";
inline constexpr std::string_view kPp = "110120320140210420222240310531131340410432232440510520330540123456000100";
inline constexpr std::string_view kPs = "110120531140210432422240310331321340410231221440510520131540123456000200";
inline constexpr std::string_view kPm = "110120331140210231431240310130530340410220421440510520321540123456000300";
inline constexpr std::string_view kLp = "110120130330210220430232310320541141410420442242510520530340123456000010";
inline constexpr std::string_view kLs = "110120130541210220442432310320341331410420241231510520530141123456000020";
inline constexpr std::string_view kLm = "110120130341210220241441310320140540410420230431510520530331123456000030";
inline constexpr std::string_view kBp = "110120130140210220230240310320330340440410420430540510520530123456000001";
inline constexpr std::string_view kBs = "110120130140210220230240310320330340430440410420530540510520123456000002";
inline constexpr std::string_view kBm = "110120130140210220230240310320330340420430440410520530540510123456000003";

// Whole-cube rotations; tokens with the same effect share a code.
inline constexpr std::string_view kTF = "131321530330221421430232120520541141210411442242110311511340413652000000";  // TF FB BP PT
inline constexpr std::string_view kFT = "510310111341410212241441521121140540422222230431531320130331263154000000";  // FT BF PB TP
inline constexpr std::string_view kTR = "340141331540242231431440111130530511212220421412310120321521521463000000";  // TR RB BL LT
inline constexpr std::string_view kTL = "311520320121411420222211510531131110441432232240341541330140326415000000";  // TL LB BR RT
inline constexpr std::string_view kFR = "140110120130240210220230340310320330440410420430540510520530152346000000";  // FR RP PL LF
inline constexpr std::string_view kFL = "120130140110220230240210320330340310420430440410520530540510134526000000";  // FL LP PR RF
inline constexpr std::string_view kTB = "531521511541422412442432321311341331221211241231131121111141643251000000";  // TB BT
inline constexpr std::string_view kFP = "130140110120230240210220330340310320430440410420530540510520145236000000";  // FP PF LR RL

inline constexpr std::string_view kIdentity = "110120130140210220230240310320330340410420430440510520530540123456000000";

// Composite moves: the position their record text produces from the solved cube
// (AB keeps centre turns 000000).
inline constexpr std::string_view kAm = "520120130140210220230240310320330340420430440410541511530110123456030000";
inline constexpr std::string_view kAs = "511120130140210220230240310320330340430440410420111540530520123456020000";
inline constexpr std::string_view kAp = "540120130140210220230240310320330340440410420430521110530511123456010000";
inline constexpr std::string_view kAB = "520111540131240422220442330340310320211430231410140531120511123456000000";
inline constexpr std::string_view kAF = "110120130140210220230240310320330340410420430440510530540520123456020002";
inline constexpr std::string_view kAL = "110120130140210220230240310320330340410420430440510531540521123456000000";
inline constexpr std::string_view kAP = "110120130140210220230240310320330340410420430440510530541521123456000000";
inline constexpr std::string_view kAR = "110120130140210220230240310320330340410420430440510531541520123456000000";
inline constexpr std::string_view kAT = "331531340511441410212241121140540521431422222230321131310111123456112323";
inline constexpr std::string_view kBA = "110120130140210220230240310320330340432442412420510530540520123456000000";
inline constexpr std::string_view kFA = "110120130140210220230240310320330340440431411421540510520530123456000001";
inline constexpr std::string_view kLA = "110120130140210220230240310320330521442421430410530511340540123456000003";
inline constexpr std::string_view kPA = "110120130140210220230240310320330340441432420410531511520540123456000000";
inline constexpr std::string_view kRA = "110120130140210220230240540320330340440420432411530520311511123456000001";
inline constexpr std::string_view kTA = "110120130140210220230240310320330340431440411421510540520530123456000000";
inline constexpr std::string_view kHm = "110120130140210220230240340310320330410420430440510520530540152346100003";
inline constexpr std::string_view kHs = "110120130140210220230240330340310320410420430440510520530540145236200002";
inline constexpr std::string_view kHp = "110120130140210220230240320330340310410420430440510520530540134526300001";
inline constexpr std::string_view kUm = "140110120130240210220230310320330340410420430440510520530540123456300000";
inline constexpr std::string_view kUs = "130140110120230240210220310320330340410420430440510520530540123456200000";
inline constexpr std::string_view kUp = "120130140110220230240210310320330340410420430440510520530540123456100000";
inline constexpr std::string_view kVm = "131120530140210220230240310320330340410420430440110520511540413652001030";
inline constexpr std::string_view kVs = "531120511140210220230240310320330340410420430440131520111540643251002020";
inline constexpr std::string_view kVp = "510120111140210220230240310320330340410420430440531520130540263154003010";
inline constexpr std::string_view kTALWEN = "140110120530240210421430341521311541440410222230331131320510123456230230";

inline constexpr std::array<MoveEntry, 74> kMoveTable = {{
    {"SYS", kIdentity, "nothing;", 0},
    {"A-", kAm, "L-;R+;F-;L+;R-;", 5},
    {"A*", kAs, "L-;R+;F*;L+;R-;", 5},
    {"A+", kAp, "L-;R+;F+;L+;R-;", 5},
    {"B-", kBm, "B-;", 1},
    {"B*", kBs, "B*;", 1},
    {"B+", kBp, "B+;", 1},
    {"BF", kFT, "BF,", 0},
    {"BL", kTR, "BL,", 0},
    {"BP", kTF, "BP,", 0},
    {"BR", kTL, "BR,", 0},
    {"BT", kTB, "BT,", 0},
    {"F-", kFm, "F-;", 1},
    {"F*", kFs, "F*;", 1},
    {"F+", kFp, "F+;", 1},
    {"FB", kTF, "FB,", 0},
    {"FL", kFL, "FL,", 0},
    {"FP", kFP, "FP,", 0},
    {"FR", kFR, "FR,", 0},
    {"FT", kFT, "FT,", 0},
    {"L-", kLm, "L-;", 1},
    {"L*", kLs, "L*;", 1},
    {"L+", kLp, "L+;", 1},
    {"LB", kTL, "LB,", 0},
    {"LF", kFR, "LF,", 0},
    {"LP", kFL, "LP,", 0},
    {"LR", kFP, "LR,", 0},
    {"LT", kTR, "LT,", 0},
    {"P-", kPm, "P-;", 1},
    {"P*", kPs, "P*;", 1},
    {"P+", kPp, "P+;", 1},
    {"PB", kFT, "PB,", 0},
    {"PF", kFP, "PF,", 0},
    {"PL", kFR, "PL,", 0},
    {"PR", kFL, "PR,", 0},
    {"PT", kTF, "PT,", 0},
    {"R-", kRm, "R-;", 1},
    {"R*", kRs, "R*;", 1},
    {"R+", kRp, "R+;", 1},
    {"RB", kTR, "RB,", 0},
    {"RF", kFL, "RF,", 0},
    {"RL", kFP, "RL,", 0},
    {"RP", kFR, "RP,", 0},
    {"RT", kTL, "RT,", 0},
    {"T-", kTm, "T-;", 1},
    {"T*", kTs, "T*;", 1},
    {"T+", kTp, "T+;", 1},
    {"TB", kTB, "TB,", 0},
    {"TF", kTF, "TF,", 0},
    {"TL", kTL, "TL,", 0},
    {"TP", kFT, "TP,", 0},
    {"TR", kTR, "TR,", 0},
    {"AB", kAB, "R+;L+;RF,R+;L+;RF,R+;L+;RF,R*;L*;RF,", 8},
    {"AF", kAF, "B-;R*;T+;B*;L-;R+;F*;L+;R-;T-;R*;B+;", 12},
    {"AL", kAL, "R-;B-;R+;F+;L+;P+;B+;P-;L-;F-;", 10},
    {"AP", kAP, "F-;R-;P-;B+;P+;R+;F+;L+;B-;L-;", 10},
    {"AR", kAR, "L-;F-;R-;B*;R+;F+;L+;P+;B*;P-;", 10},
    {"AT", kAT, "T+;B-;L*;R*;F+;P-;", 6},
    {"BA", kBA, "R-;B*;R+;B+;R-;B+;R+;", 7},
    {"FA", kFA, "R-;B+;L+;B-;R+;B+;L-;", 7},
    {"LA", kLA, "L+;B-;L-;B-;F-;B+;F+;", 7},
    {"PA", kPA, "F-;R-;B-;R+;B+;F+;", 6},
    {"RA", kRA, "R-;B+;R+;B+;F+;B-;F-;", 7},
    {"TA", kTA, "R-;B-;R+;B-;R-;B*;R+;", 7},
    {"H-", kHm, "(LF,T+;B-;)", 2},
    {"H*", kHs, "(FP,T*;B*;)", 2},
    {"H+", kHp, "(FL,T-;B+;)", 2},
    {"U-", kUm, "(T-;)", 1},
    {"U*", kUs, "(T*;)", 1},
    {"U+", kUp, "(T+;)", 1},
    {"V-", kVm, "(TF,L-;R+;)", 2},
    {"V*", kVs, "(BT,L*;R*;)", 2},
    {"V+", kVp, "(FT,L+;R-;)", 2},
    {"TALWEN", kTALWEN, "(B+;R*;B-;P+;F*;B+;P+;T-;L+;T-;P*;R*;P*;F-;B-;L*;F*;)", 17},
}};

}  // namespace velmora::move_table
