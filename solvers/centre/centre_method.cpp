// Placeholder until the centre-orientation method lands: it solves nothing.
#include "model/tarnex_source.h"

namespace velmora {
int CTarnexSource::CentreMethod() { return -1; }
}  // namespace velmora
