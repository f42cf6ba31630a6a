// Any bytes as a position text: it loads, repaired, with a legal centre arrangement.
#include <string_view>

#include "fuzz/fuzz_support.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteUser user;
    CTarnexSource& m = fuzz::Model(user);
    m.ResetCube();
    m.methodChoice = size ? 1 + (data[0] & 1) : 1;
    m.LoadPositionText(std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::Require(fuzz::LegalCentres(m));
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c) {
            const PieceSlot& p = m.cube.pieces[r][c];
            fuzz::Require(IsCornerRow(r) == IsCornerRow(p.homeRow));
            fuzz::Require(p.homeCol >= 1 && p.homeCol <= 4);
            fuzz::Require(p.twist >= 0 && p.twist < (IsCornerRow(r) ? 3 : 2));
        }
    fuzz::Require(m.SolutionRecord.size() <= static_cast<std::size_t>(kRecordCapacity));
    return 0;
}
