// The solution sheet commands: print it (the window's print dialog with a preview) or
// save it as a PDF file by the same rules as a cube file.
#include "document/velmora_doc.h"
#include "files/file_access.h"

namespace velmora {
namespace {

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

void CVelmoraDoc::BuildSheet(SolutionSheet& sheet) const {
    BuildSolutionSheet(model, pathName.empty() ? std::string_view{} : FileNameOf(pathName), SheetDateToday(), sheet);
    for (int c = 1; c <= 6; ++c) sheet.faceColours[static_cast<std::size_t>(c)] = settings.colourSettings[c];
}

void CVelmoraDoc::PrintSolution() {
    SolutionSheet sheet;
    BuildSheet(sheet);
    ShowStatus(user.PrintSheet(sheet) ? "解法已经送去打印" : "就绪");
}

void CVelmoraDoc::ExportSolutionPdf() {
    // The file's own name with .pdf in place of its extension, or the sheet's name for
    // an untitled cube.
    std::string suggested(pathName.empty() ? kUntitledSheetName : FileNameOf(pathName));
    const std::size_t dot = suggested.find_last_of('.');
    if (!pathName.empty() && dot != std::string::npos && dot > 0) suggested.resize(dot);
    suggested += kPdfExtension;
    std::string path;
    if (!user.ChooseSavePath(path, kPdfFilter, suggested)) {
        ShowStatus("就绪");
        return;
    }
    const std::string_view name = FileNameOf(path);
    const std::size_t nameDot = name.find_last_of('.');
    if (nameDot == std::string_view::npos || nameDot == 0) path += kPdfExtension;
    WriteSolutionPdf(path);
}

bool CVelmoraDoc::WriteSolutionPdf(std::string_view path) {
    SolutionSheet sheet;
    BuildSheet(sheet);
    std::string bytes;
    const std::string file(path);
    FixedText<1200> text;
    if (!user.SheetPdf(sheet, bytes) || bytes.empty() || !WriteFileReplacing(file.c_str(), bytes)) {
        text.Format("不能保存文件“%s”！", file.c_str());
        user.Message(text, Buttons::Ok, Icon::Stop);
        ShowStatus("文件保存失败");
        return false;
    }
    text.Format("解法已经保存为“%s”", file.c_str());
    ShowStatus(text);
    return true;
}

}  // namespace velmora
