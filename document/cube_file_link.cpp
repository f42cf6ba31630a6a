// Until the cube file reader and writer are part of the program, opening and saving
// report that they are not available, and never report success.
#include "document/cube_file_link.h"

namespace velmora {

namespace {
int NotAvailable(CTarnexSource& m) {
    m.user->Message("魔方文件的读写功能尚未提供。", Buttons::Ok, Icon::Stop);
    m.statusText.Assign("文件操作失败");
    return -1;
}
}  // namespace

int DocumentLoadCubeFile(CTarnexSource& m, const char*) { return NotAvailable(m); }
int DocumentSaveCubeFile(CTarnexSource& m, const char*) { return NotAvailable(m); }

}  // namespace velmora
