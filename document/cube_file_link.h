#pragma once
// The document's way to the cube file: opening and saving a path. Both return 1, or -1
// after the failure was reported to the user (message box and statusText).
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora {

int DocumentLoadCubeFile(CTarnexSource& m, const char* path);
int DocumentSaveCubeFile(CTarnexSource& m, const char* path);

}  // namespace velmora
