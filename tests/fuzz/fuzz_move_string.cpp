// Any bytes as a move string: the cube stays legal and the record bounded.
#include <string_view>

#include "fuzz/fuzz_support.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteUser user;
    CTarnexSource& m = fuzz::Model(user);
    m.ResetCube();
    int pending = size ? static_cast<int>(static_cast<std::int8_t>(data[0])) : 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    m.RunMoveString(pending, text.substr(size ? 1 : 0));
    fuzz::Require(m.CheckAssembly() == 0);
    fuzz::Require(m.moveRecord.size() <= static_cast<std::size_t>(kRecordCapacity));
    fuzz::Require(m.turnCounter >= 0);
    return 0;
}
