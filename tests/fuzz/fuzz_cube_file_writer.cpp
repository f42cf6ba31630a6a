// Cube files written for random positions and records: what is written opens again to
// the same start code.
#include <cstring>
#include <sstream>
#include <string>

#include "files/cube_file.h"
#include "fuzz/fuzz_support.h"

using namespace velmora;

namespace {

// The model that opens what was written.
CTarnexSource& Reader(fuzz::ByteUser& user) {
    static CTarnexSource* reader = fuzz::NewModel();
    reader->user = &user;
    return *reader;
}

}  // namespace

// Bytes: a mode byte, a step count, up to 40 moves of the table, then the rest as a
// typed move text or as the raw moves of the record.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    fuzz::ByteUser user;
    CTarnexSource& m = fuzz::Model(user);
    const int mode = data[0] % 3, steps = data[1] % 32;
    std::size_t at = 2;
    m.ResetCube();
    m.centreOnlyMode = 0;
    for (; at < size && at < 42 && data[at] != 0xff; ++at)
        m.ApplyToken(CTarnexSource::Move(data[at] % CTarnexSource::MoveCount()).token);
    const std::string_view rest(reinterpret_cast<const char*>(data) + at, size - at);

    if (mode == 0) {
        // Solved, as every command leaves it.
        m.ExecuteAndSolve();
    } else if (mode == 1) {
        // A typed move string as the record.
        m.RunMoveString(0, rest);
        m.MakeDemoFromRecord();
    } else {
        // Any text after the start code and count, as another program's record might be.
        m.MakeDemoFromRecord();
        m.SolutionRecord.Truncate(kRecordMovesStart);
        m.SolutionRecord.AppendCut(rest);
    }
    for (int i = 0; i < steps && m.demoPos < static_cast<int>(m.SolutionRecord.size()); ++i) m.StepSolution(+1);

    char start[kCodeLength + 1];
    CTarnexSource::WritePositionCode(m.startState, start);
    fuzz::Require(std::memcmp(m.SolutionRecord.c_str(), start, kCodeLength) == 0);

    std::string bytes;
    if (!WriteCubeFileBytes(m, bytes)) return 0;
    fuzz::Require(bytes.compare(0, kCodeLength, start) == 0);

    fuzz::ByteUser quiet;
    CTarnexSource& r = Reader(quiet);
    std::istringstream in(bytes);
    fuzz::Require(r.LoadCubeFile(in) == 1);
    fuzz::Require(std::memcmp(r.SolutionRecord.c_str(), start, kCodeLength) == 0);
    fuzz::Require(r.demoPos == kRecordMovesStart);
    return 0;
}
