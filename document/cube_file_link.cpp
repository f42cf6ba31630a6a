// Opening and saving go through the model's cube file reader and writer.
#include "document/cube_file_link.h"

namespace velmora {

int DocumentLoadCubeFile(CTarnexSource& m, const char* path) { return m.LoadCubeFile(path); }
int DocumentSaveCubeFile(CTarnexSource& m, const char* path) { return m.SaveCubeFile(path); }

}  // namespace velmora
