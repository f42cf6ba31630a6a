#pragma once
// A document on the heap (its rings are large) talking to a scripted user, with a
// seeded random generator and a fixed tick count so that deals repeat.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/velmora_doc.h"
#include "model/scripted_user.h"
#include "support/model_fixture.h"

namespace velmora::test {

class DocTest : public ::testing::Test {
protected:
    void SetUp() override { MakeDoc(); }
    void TearDown() override { EXPECT_EQ(user.unanswered, 0) << "a question found no answer"; }

    void MakeDoc() {
        doc = std::make_unique<CVelmoraDoc>(user, settings);
        doc->model.SeedRandom(4242);
        doc->model.tickSource = [] { return 0; };
        user.Clear();
    }

    CTarnexSource& m() { return doc->model; }
    // Turns the cube by `moves`, solves it and clears the log of what that said.
    void DealAndSolve(std::string_view moves) {
        m().RunMoveString(0, moves);
        m().ExecuteAndSolve();
        user.Clear();
    }
    std::string Code() const { return CodeOf(doc->model.cube); }
    static std::string CodeOf(const CubeState& s) {
        char buf[kCodeLength + 1];
        CTarnexSource::WritePositionCode(s, buf);
        return buf;
    }

    // The status texts shown since the log was last cleared.
    std::vector<std::string> Statuses() const {
        std::vector<std::string> out;
        for (const auto& c : user.CallsOf(ScriptedUser::Kind::Status)) out.push_back(c.text);
        return out;
    }
    std::string LastStatus() const {
        auto s = Statuses();
        return s.empty() ? std::string() : s.back();
    }
    // The log as one letter per call of the kinds that make up the command pattern:
    // S status, R redraw, M modified flag, Q message box.
    std::string PatternLog() const {
        std::string out;
        for (const auto& c : user.calls) {
            switch (c.kind) {
                case ScriptedUser::Kind::Status: out += 'S'; break;
                case ScriptedUser::Kind::Redraw: out += 'R'; break;
                case ScriptedUser::Kind::Modified: out += 'M'; break;
                case ScriptedUser::Kind::Message: out += 'Q'; break;
                default: break;
            }
        }
        return out;
    }

    ScriptedUser user;
    VelmoraSettings settings;
    std::unique_ptr<CVelmoraDoc> doc;
};

}  // namespace velmora::test
