// Placeholder until the eight-corner method lands: it solves nothing.
#include "model/tarnex_source.h"

namespace velmora {
int CTarnexSource::EightCornerMethod() { return -1; }
void CTarnexSource::EightCornerBottomCorners() {}
void CTarnexSource::EightCornerTopTwist() {}
void CTarnexSource::EightCornerCornerPlaces() {}
void CTarnexSource::EightCornerUpperEdges() {}
void CTarnexSource::EightCornerLowerEdges() {}
void CTarnexSource::EightCornerLastUpperEdge() {}
void CTarnexSource::EightCornerMiddleEdges() {}
}  // namespace velmora
