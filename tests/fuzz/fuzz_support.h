#pragma once
// Shared set-up of the fuzz targets: one initialised model per process, answering
// every question from the input's own bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/tarnex_source.h"

namespace velmora::fuzz {

// Answers questions from a byte source; shows nothing.
class ByteUser : public UserPort {
public:
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;

    Answer Message(std::string_view, Buttons buttons, Icon) override {
        std::uint8_t b = size ? data[--size] : 0;
        switch (buttons) {
            case Buttons::Ok: return Answer::Ok;
            case Buttons::OkCancel: return b & 1 ? Answer::Cancel : Answer::Ok;
            case Buttons::YesNo: return b & 1 ? Answer::No : Answer::Yes;
            case Buttons::YesNoCancel: return b % 3 == 0 ? Answer::Yes : b % 3 == 1 ? Answer::No : Answer::Cancel;
        }
        return Answer::Ok;
    }
    void SetStatus(std::string_view) override {}
    void Redraw() override {}
    void ShowCodeDialog(std::string_view, std::string_view) override {}
};

// An initialised model that lives for the whole fuzzing run.
inline CTarnexSource* NewModel() {
    auto* m = new CTarnexSource();
    m->InitCubeModel();
    m->tickSource = [] { return 0; };
    return m;
}

inline CTarnexSource& Model(ByteUser& user) {
    static CTarnexSource* model = NewModel();
    model->user = &user;
    return *model;
}

// A failed invariant: abort so that the fuzzer keeps the input.
inline void Require(bool ok) {
    if (!ok) std::abort();
}

inline bool LegalCentres(const CTarnexSource& m) {
    for (int i = 0; i < 24; ++i) {
        bool same = true;
        for (int k = 1; k <= 6; ++k) same = same && m.OrientationTable[i][k] == m.cube.centres[k];
        if (same) return true;
    }
    return false;
}

}  // namespace velmora::fuzz
