#include "ui/app/velmora_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QSurfaceFormat>

#include "document/velmora_doc.h"
#include "ui/app/settings_store.h"
#include "ui/views/main_frame.h"

// The images of the toolbar and the program icon are linked in from a static library:
// register them explicitly.
static void InitResources() { Q_INIT_RESOURCE(velmora); }

namespace velmora {

StartRequest ParseCommandLine(const QStringList& arguments) {
    StartRequest r;
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
        } else {
            r.valid = false;
            r.error = QStringLiteral("only one cube file can be opened");
            return r;
        }
    }
    return r;
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

bool CVelmoraApp::Start(const StartRequest& request) {
    std::vector<std::string> recent;
    LoadSettings(settings, recent);
    doc = std::make_unique<CVelmoraDoc>(user, settings, QCoreApplication::applicationFilePath().toStdString());
    doc->recentFiles = recent;
    frame = std::make_unique<CMainFrame>(*doc);
    user.SetFrame(frame.get());
    user.SetModel(&doc->model);
    frame->PlaceOnScreen();

    if (request.file.isEmpty()) {
        doc->OnNewDocument();
    } else if (!QFileInfo(request.file).isFile()) {
        user.Message(QStringLiteral("无法打开文件“%1”。").arg(request.file).toStdString(), Buttons::Ok, Icon::Stop);
        return false;
    } else if (!doc->OpenDocumentFile(request.file.toStdString())) {
        return false;
    }
    frame->UpdateTitle();
    frame->setAcceptDrops(true);
    frame->show();
    frame->RestoreLayout();
    frame->RedrawAll();
    return true;
}

void CVelmoraApp::Exit() {
    if (doc) SaveSettings(settings, doc->recentFiles);
}

}  // namespace velmora
