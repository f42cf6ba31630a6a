// Placeholder until the group method lands: it solves nothing.
#include "model/tarnex_source.h"

namespace velmora {
int CTarnexSource::GroupMethod() { return -1; }
void CTarnexSource::GroupTopEdges() {}
void CTarnexSource::GroupTopEdgesShifted(int) {}
void CTarnexSource::GroupPairs() {}
int CTarnexSource::GroupFlipPairs() { return 0; }
void CTarnexSource::GroupBottomCorners() {}
void CTarnexSource::GroupBottomEdges() {}
void CTarnexSource::GroupTopLayer() {}
}  // namespace velmora
