// The document's way into a new untitled document: the deals of F2, F3, F4 and F7 and
// the deals of the automatic demonstration never stay under the name of a file that
// holds another position.
#include "document/velmora_doc.h"

namespace velmora {

bool CVelmoraDoc::StartUntitled() {
    if (!SaveModified()) return false;
    MakeUntitled();
    if (modified) SetModifiedFlag(false);
    return true;
}

void CVelmoraDoc::MakeUntitled() {
    pathName.clear();
    user.SetDocumentPath({});
}

}  // namespace velmora
