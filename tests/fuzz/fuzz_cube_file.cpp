// Any bytes as an opened cube file.
#include <sstream>
#include <string>

#include "fuzz/fuzz_support.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteUser user;
    CTarnexSource& m = fuzz::Model(user);
    m.ResetCube();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    int r = m.LoadCubeFile(in);
    fuzz::Require(r == 1 || r == -1);
    fuzz::Require(fuzz::LegalCentres(m));
    return 0;
}
