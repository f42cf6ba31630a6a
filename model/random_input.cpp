// Placeholder until random deals and colour input land.
#include "model/tarnex_source.h"

namespace velmora {
void CTarnexSource::Scramble(int) {}
void CTarnexSource::BeginInput(int) {}
int CTarnexSource::FinishInput() { return -1; }
void CTarnexSource::CountColours() {}
}  // namespace velmora
