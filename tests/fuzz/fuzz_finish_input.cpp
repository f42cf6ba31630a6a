// Any painted net handed to the input check; questions answered from the input.
#include "fuzz/fuzz_support.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteUser user;
    CTarnexSource& m = fuzz::Model(user);
    m.ResetCube();
    m.BeginInput(1);
    std::size_t used = size < kFaceletCount ? size : kFaceletCount;
    for (std::size_t i = 0; i < used; ++i) {
        const FaceletRecord& r = m.FaceletTable[i];
        // Piece stickers take colours 0-9, centres their turn count.
        m.facelets[i] = r.col == 0 ? data[i] % 4 : data[i] % 10;
    }
    user.data = data + used;
    user.size = size - used;
    m.methodChoice = 1;
    int result = m.FinishInput();
    fuzz::Require(result >= -1 && result <= 1);
    fuzz::Require(fuzz::LegalCentres(m));
    return 0;
}
