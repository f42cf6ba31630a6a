// Placeholder: this stage is not built yet; it does nothing.
#include "model/tarnex_source.h"

namespace velmora {
int CTarnexSource::EightCornerMethod() { return -1; }
}  // namespace velmora
