// Placeholder: this stage is not built yet; it does nothing.
#include "model/tarnex_source.h"

namespace velmora {
void CTarnexSource::GroupPairs() {}
}  // namespace velmora
