// Placeholder until reading position texts lands.
#include "model/tarnex_source.h"

namespace velmora {
void CTarnexSource::LoadPositionText(std::string_view) {}
void CTarnexSource::DescribeFacelet(int) {}
}  // namespace velmora
