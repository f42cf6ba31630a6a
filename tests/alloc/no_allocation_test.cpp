// The engine, the solvers and the stepping allocate nothing: every call of the global
// operator new is counted around them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>

#include "model/tarnex_source.h"
#include "solvers/colours/colour_resolution.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace velmora {
namespace {

class NoAllocation : public ::testing::Test {
protected:
    void SetUp() override {
        model = std::make_unique<CTarnexSource>();
        model->InitCubeModel();
        model->SeedRandom(5);
    }
    long Count() const { return allocations.load(); }
    std::unique_ptr<CTarnexSource> model;
};

constexpr std::string_view kTurns[18] = {"T+", "T-", "T*", "F+", "F-", "F*", "R+", "R-", "R*",
                                         "P+", "P-", "P*", "L+", "L-", "L*", "B+", "B-", "B*"};

TEST_F(NoAllocation, MovesAndMoveStrings) {
    long before = Count();
    for (int i = 0; i < 1000; ++i) model->ApplyToken(kTurns[i % 18]);
    model->ApplyToken("TF");
    model->ApplyToken("TALWEN");
    model->ApplyToken("RESET");
    model->RunMoveString(2, "T+;R-;F*;TF,(LF,T+;B-;)xyz;STOP;R+;");
    model->RunMoveString(0, "f+;r-;junk\x80\xff;RESET;H*;V+;A-;");
    model->CheckAssembly();
    EXPECT_EQ(Count(), before);
}

// A run of more than twenty letters between separators takes the character-by-character
// path, and a full move record refuses further moves with a message: neither allocates.
TEST_F(NoAllocation, LongRunsAndAFullRecord) {
    long before = Count();
    model->RunMoveString(0, "T+R-F*TFLWENB+B-P*RESETXYZT+R-F*L+L-P+P-;F+;");
    for (int i = 0; i < 3400; ++i) model->ApplyToken(kTurns[i % 18]);
    EXPECT_EQ(Count(), before);
    EXPECT_NE(model->statusText.view().find("动作记录已满"), std::string_view::npos);
}

TEST_F(NoAllocation, SolvingAndStepping) {
    std::mt19937 rng(11);
    long before = Count();
    for (int round = 0; round < 200; ++round) {
        model->ResetCube();
        for (int i = 0; i < 30; ++i) model->ApplyToken(kTurns[rng() % 18]);
        model->methodChoice = 1 + round % 2;
        model->ExecuteAndSolve();
        for (int i = 0; i < 10; ++i) model->StepSolution(1);
        for (int i = 0; i < 4; ++i) model->StepSolution(-1);
        model->StepSolution(0);
    }
    model->centreOnlyMode = 1;
    model->ExecuteAndSolve();
    EXPECT_EQ(Count(), before);
}

// The shortest method searches with fixed tables and fixed per-search state, from the
// first solve on: whole deals, a cube held turned and the superflip.
TEST_F(NoAllocation, ShortestMethodSolves) {
    model->methodChoice = 3;
    long before = Count();
    for (int round = 0; round < 50; ++round) {
        model->Scramble(1);
        for (int i = 0; i < 5; ++i) model->StepSolution(1);
        model->StepSolution(-1);
    }
    model->ResetCube();
    model->RunMoveString(0, "R+;F-;RT,FP,");
    model->ExecuteAndSolve();
    for (int r : {1, 3, 5})
        for (int c = 1; c <= 4; ++c) model->cube.pieces[r][c] = PieceSlot{r, c, 1};
    model->ExecuteAndSolve();
    EXPECT_EQ(model->lastSolveResult, 1);
    EXPECT_EQ(Count(), before);
}

}  // namespace
}  // namespace velmora

#include "document/velmora_doc.h"

namespace velmora {
namespace {

TEST(NoAllocationInHistory, RecordUndoAndRedo) {
    SilentUser user;
    VelmoraSettings settings;
    auto doc = std::make_unique<CVelmoraDoc>(user, settings);
    long before = allocations.load();
    for (int i = 0; i < 300; ++i) {
        doc->HistoryOp(2, "转动魔方");
        doc->model.ApplyToken("R+");
        doc->model.ExecuteAndSolve();
    }
    for (int i = 0; i < 130; ++i) doc->HistoryOp(-1, "");
    for (int i = 0; i < 130; ++i) doc->HistoryOp(1, "");
    EXPECT_EQ(allocations.load(), before);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(NoAllocationInTypedKeys, PairsMacrosAndDisplayKeys) {
    SilentUser user;  // answers every question with yes
    VelmoraSettings settings;
    auto doc = std::make_unique<CVelmoraDoc>(user, settings);
    long before = allocations.load();
    for (const char* keys : {"T+", "RF", "AB", "LA", "A*", "FF", "RR", "AA", "BB", "+", "-", "*"})
        for (const char* k = keys; *k; ++k) doc->OnKey(*k);
    EXPECT_EQ(allocations.load(), before);
}

TEST(NoAllocationColours, ResolutionWithAndWithoutRotations) {
    // A solved cube under daylight, one face in a warmer light, two samples swapped.
    constexpr float kFaces[6][3] = {{230, 232, 228}, {190, 22, 36}, {10, 155, 72},
                                    {245, 214, 10},  {255, 104, 10}, {12, 72, 176}};
    std::array<FaceSamples, 6> faces{};
    for (int f = 0; f < 6; ++f)
        for (auto& s : faces[static_cast<std::size_t>(f)]) s = {kFaces[f][0], kFaces[f][1] * (f == 2 ? 0.8f : 1.0f), kFaces[f][2]};
    std::swap(faces[0][0], faces[1][2]);
    long before = allocations.load();
    ResolveColours(faces, false);
    ResolveColours(faces, true);
    EXPECT_EQ(allocations.load(), before);
}

}  // namespace
}  // namespace velmora
