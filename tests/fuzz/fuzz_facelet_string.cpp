// Any bytes as a facelet string, and the facelet string of any position read back.
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "model/facelet_string.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteUser user;
    CTarnexSource& m = fuzz::Model(user);

    // The bytes as a text: accepted only as 54 letters, each net cell a face then;
    // refused without touching the net.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    int net[kFaceletCount];
    for (int& v : net) v = -7;
    if (ReadFaceletString(m, text, net)) {
        fuzz::Require(size == 54);
        for (int n = 0; n < kFaceletCount; ++n)
            fuzz::Require(m.FaceletTable[n].col == 0 ? net[n] == 0 : net[n] >= 1 && net[n] <= 6);
    } else {
        for (int v : net) fuzz::Require(v == -7);
    }

    // The bytes as moves of the table: the string written for the position reached
    // reads back to the face of the centre that shows each sticker's colour.
    m.ResetCube();
    for (std::size_t i = 0; i < size && i < 64; ++i)
        m.ApplyToken(CTarnexSource::Move(data[i] % CTarnexSource::MoveCount()).token);
    char letters[55];
    WriteFaceletString(m, true, letters);
    int back[kFaceletCount];
    fuzz::Require(ReadFaceletString(m, std::string_view(letters, 54), back));
    for (int n = 0; n < kFaceletCount; ++n) {
        const FaceletRecord& r = m.FaceletTable[n];
        if (r.col == 0) continue;
        const int colour = m.StickerColour(r.row, r.col, r.sticker);
        int face = 0;
        for (int k = 1; k <= 6; ++k)
            if (m.centreColours[m.cube.centres[k]] == colour) face = k;
        fuzz::Require(back[n] == face);
    }
    return 0;
}
