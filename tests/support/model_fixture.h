#pragma once
// Shared helpers of the headless tests: a model with a scripted user, position codes
// as text, and random positions.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "model/scripted_user.h"
#include "model/tarnex_source.h"

namespace velmora::test {

inline constexpr const char* kSolvedCode =
    "110120130140210220230240310320330340410420430440510520530540123456000000";

// A fresh, initialised model on the heap (it is large) talking to a scripted user.
// A question that found no scripted answer fails the test.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model = std::make_unique<CTarnexSource>();
        model->user = &user;
        model->InitCubeModel();
        model->SeedRandom(12345);
        model->tickSource = [] { return 0; };
    }
    void TearDown() override { EXPECT_EQ(user.unanswered, 0) << "a question found no answer"; }

    CTarnexSource& m() { return *model; }
    std::string Code() const { return CodeOf(model->cube); }
    static std::string CodeOf(const CubeState& s) {
        char buf[kCodeLength + 1];
        CTarnexSource::WritePositionCode(s, buf);
        return buf;
    }

    ScriptedUser user;
    std::unique_ptr<CTarnexSource> model;
};

// A model test with an empty folder of its own, named after the test and removed
// afterwards: prefix-<pid>-<test name> in the temporary folder.
class FolderModelTest : public ModelTest {
protected:
    explicit FolderModelTest(const char* prefix) : prefix(prefix) {}
    void SetUp() override {
        ModelTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              (prefix + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        ModelTest::TearDown();
    }

    std::string prefix;
    std::filesystem::path dir;
};

// True when every piece is home with twist 0 and the centres stand upright.
inline bool PiecesSolved(const CubeState& s) {
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c)
            if (s.pieces[r][c].homeRow != r || s.pieces[r][c].homeCol != c || s.pieces[r][c].twist != 0)
                return false;
    for (int k = 1; k <= 6; ++k)
        if (s.centres[k] != k) return false;
    return true;
}

inline constexpr const char* kFaceTurnTokens[18] = {
    "T+", "T-", "T*", "F+", "F-", "F*", "R+", "R-", "R*",
    "P+", "P-", "P*", "L+", "L-", "L*", "B+", "B-", "B*"};

// Applies n random face turns to the model's cube.
inline void RandomTurns(CTarnexSource& m, std::mt19937& rng, int n) {
    for (int i = 0; i < n; ++i) m.ApplyToken(kFaceTurnTokens[rng() % 18]);
}

}  // namespace velmora::test
