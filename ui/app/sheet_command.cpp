#include "ui/app/sheet_command.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document/velmora_doc.h"
#include "ui/app/settings_store.h"
#include "ui/views/sheet_drawing.h"

namespace velmora {
namespace {

// Nobody is at the screen: messages go to standard error, questions take their first
// button, and the sheet is drawn into a PDF. failed notes a message that reports one.
class SheetUser : public UserPort {
public:
    Answer Message(std::string_view text, Buttons buttons, Icon icon) override {
        std::fprintf(stderr, "velmora: %.*s\n", static_cast<int>(text.size()), text.data());
        if (icon == Icon::Stop) failed = true;
        return SilentUser::FirstButton(buttons);
    }
    void SetStatus(std::string_view) override {}
    void Redraw() override {}
    void ShowCodeDialog(std::string_view, std::string_view) override {}
    bool SheetPdf(const SolutionSheet& sheet, std::string& bytes) override {
        return SolutionSheetPdf(sheet, bytes, nullptr, &pages);
    }
    bool failed = false;
    int pages = 0;
};

int Usage(const char* error) {
    std::fprintf(stderr,
                 "velmora: %s\nusage: velmora --sheet OUT.pdf [FILE.mf] [--method group|eight-corner|shortest]\n",
                 error);
    return 2;
}

}  // namespace

int RunSheetCommand(int argc, char** argv) {
    int at = -1;
    for (int i = 1; i < argc && at < 0; ++i)
        if (std::string_view(argv[i]) == "--sheet") at = i;
    if (at < 0) return -1;

    std::string out, file;
    int method = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--sheet" || a == "--method") {
            if (i + 1 >= argc) return Usage(a == "--sheet" ? "--sheet needs the name of a PDF file" : "--method needs a method");
            const std::string_view value = argv[++i];
            if (a == "--sheet") {
                out = value;
            } else if (value == "group") {
                method = 1;
            } else if (value == "eight-corner") {
                method = 2;
            } else if (value == "shortest") {
                method = 3;
            } else {
                return Usage("--method takes group, eight-corner or shortest");
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return Usage((std::string("unknown option ") + std::string(a)).c_str());
        } else if (file.empty()) {
            file = a;
        } else {
            return Usage("only one cube file can be opened");
        }
    }
    if (out.empty()) return Usage("--sheet needs the name of a PDF file");

    QElapsedTimer timer;
    timer.start();
    // No display is needed: the sheet is drawn by Qt's offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QGuiApplication::setApplicationName(QString::fromUtf8("Velmora提示"));
    QGuiApplication::setOrganizationName(QString::fromUtf8("Brenlow Software"));

    // The display colours and the method chosen in the window, unless --method says.
    VelmoraSettings settings;
    std::vector<std::string> recent;
    LoadSettings(settings, recent);
    if (method != 0) settings.solve = method;
    SheetUser user;
    CVelmoraDoc doc(user, settings);
    if (file.empty()) {
        doc.OnNewDocument();
    } else {
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) {
            std::fprintf(stderr, "velmora: 无法打开文件“%s”。\n", file.c_str());
            return 2;
        }
        // The cube file is never replaced by its own sheet.
        if (std::filesystem::equivalent(file, out, error)) {
            std::fprintf(stderr, "velmora: 解法单不能写在魔方文件“%s”上\n", file.c_str());
            return 2;
        }
        if (!doc.OpenDocumentFile(file)) return 2;
    }
    if (!doc.IsEnabled(cmd::kExportSolutionPdf)) {
        std::fprintf(stderr, "velmora: 没有可以写出的解法\n");
        return 2;
    }
    if (!doc.WriteSolutionPdf(out)) return 2;
    std::printf("sheet: %s\npages: %d\nturns: %d\nsheet_ms: %lld\n", out.c_str(), user.pages, doc.model.lastSolveTurns,
                static_cast<long long>(timer.elapsed()));
    return user.failed ? 2 : 0;
}

}  // namespace velmora
