#include "ui/app/velmora_app.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QSurfaceFormat>
#include <QTranslator>
#include <filesystem>

#include "document/velmora_doc.h"
#include "ui/app/settings_store.h"
#include "ui/app/window_settings.h"
#include "ui/views/file_names.h"
#include "ui/views/main_frame.h"

// The images of the toolbar and the program icon are linked in from a static library:
// register them explicitly.
static void InitResources() { Q_INIT_RESOURCE(velmora); }

namespace velmora {

namespace {

// fileIndex: where the file stands in arguments (-1 when none).
StartRequest ParseArguments(const QStringList& arguments, int& fileIndex) {
    StartRequest r;
    fileIndex = -1;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--screenshot")) {
            if (i + 1 >= arguments.size()) {
                r.valid = false;
                r.error = QStringLiteral("--screenshot needs the name of a PNG file");
                return r;
            }
            r.screenshot = arguments[++i];
        } else if (a.startsWith(QStringLiteral("--"))) {
            r.valid = false;
            r.error = QStringLiteral("unknown option %1").arg(a);
            return r;
        } else if (r.file.isEmpty()) {
            r.file = a;
            fileIndex = i;
        } else {
            r.valid = false;
            r.error = QStringLiteral("only one cube file can be opened");
            return r;
        }
    }
    return r;
}

}  // namespace

StartRequest ParseCommandLine(const QStringList& arguments) {
    int fileIndex = -1;
    return ParseArguments(arguments, fileIndex);
}

StartRequest ParseCommandLine(int argc, char** argv, const std::vector<bool>& skip, std::string& filePath) {
    QStringList arguments;
    std::vector<int> from;  // argv index of each entry of arguments
    for (int i = 0; i < argc; ++i) {
        if (i < static_cast<int>(skip.size()) && skip[static_cast<std::size_t>(i)]) continue;
        arguments.append(QFile::decodeName(argv[i]));
        from.push_back(i);
    }
    int fileIndex = -1;
    StartRequest r = ParseArguments(arguments, fileIndex);
    filePath = fileIndex >= 0 ? argv[from[static_cast<std::size_t>(fileIndex)]] : "";
    return r;
}

namespace {

// The kinds of entry that Qt's file dialog names itself and that its Chinese catalogue
// leaves in English.
class FileKindTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        if (qstrcmp(source, "Folder") == 0) return QString::fromUtf8("文件夹");
        if (qstrcmp(source, "Drive") == 0) return QString::fromUtf8("驱动器");
        if (qstrcmp(source, "Shortcut") == 0) return QString::fromUtf8("快捷方式");
        if (qstrcmp(source, "File") == 0) return QString::fromUtf8("文件");
        if (qstrcmp(source, "%1 File") == 0) return QString::fromUtf8("%1 文件");
        return {};
    }
};

}  // namespace

bool InstallQtTranslations() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                          folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    QCoreApplication::installTranslator(new FileKindTexts(QCoreApplication::instance()));
    // Dates, sizes and file types in the file dialog follow the same language.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    return true;
}

void SetDefaultSurfaceFormat() {
    QSurfaceFormat fmt;
    fmt.setRenderableType(QSurfaceFormat::OpenGL);
    fmt.setProfile(QSurfaceFormat::CompatibilityProfile);
    fmt.setVersion(2, 1);
    fmt.setDepthBufferSize(24);
    fmt.setStencilBufferSize(8);
    fmt.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(fmt);
}

CVelmoraApp::CVelmoraApp() { InitResources(); }

CVelmoraApp::~CVelmoraApp() {
    frame.reset();
    doc.reset();
}

bool CVelmoraApp::Start(const StartRequest& request, const std::string& filePath) {
    std::vector<std::string> recent;
    LoadSettings(settings, recent);
    doc = std::make_unique<CVelmoraDoc>(user, settings, NativePath(QCoreApplication::applicationFilePath()));
    doc->recentFiles = recent;
    frame = std::make_unique<CMainFrame>(*doc);
    user.SetFrame(frame.get());
    user.SetModel(&doc->model);
    user.SetColours(&settings.colourSettings);
    frame->PlaceOnScreen();

    const std::string path = filePath.empty() ? NativePath(request.file) : filePath;
    std::error_code error;
    if (path.empty()) {
        doc->OnNewDocument();
    } else if (!std::filesystem::is_regular_file(path, error)) {
        user.Message(QStringLiteral("无法打开文件“%1”。").arg(DisplayPath(path)).toStdString(), Buttons::Ok,
                     Icon::Stop);
        return false;
    } else if (!doc->OpenDocumentFile(path)) {
        return false;
    }
    frame->UpdateTitle();
    frame->setAcceptDrops(true);
    frame->show();
    frame->RestoreLayout();
    ApplyWindowSettings(LoadWindowSettings(), *frame, *doc, user);
    return true;
}

void CVelmoraApp::Exit() {
    if (!doc) return;
    SaveSettings(settings, doc->recentFiles);
    if (frame) SaveWindowSettings(CaptureWindowSettings(*frame, *doc, user));
}

}  // namespace velmora
