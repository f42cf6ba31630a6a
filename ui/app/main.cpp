// velmora [FILE] | velmora --screenshot FILE.png [--frames N] [FILE] | velmora --sheet OUT.pdf [FILE] | velmora --camera-file VIDEO
// | velmora --help | --version
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ui/app/sheet_command.h"
#include "document/velmora_doc.h"
#include "ui/app/velmora_app.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"

namespace {

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && std::string_view(platform) != "xcb" && std::string_view(platform) != "wayland")
        return true;
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

constexpr char kUsage[] =
    "usage: velmora [FILE.mf]\n"
    "       velmora --screenshot FILE.png [--frames N] [FILE.mf]\n"
    "       velmora --sheet OUT.pdf [FILE.mf] [--method group|eight-corner|shortest]\n"
    "       velmora --camera-file VIDEO [FILE.mf]\n"
    "       velmora --help | --version\n";

// --help and --version answer without a display and before anything else starts.
// Returns -1 when neither is asked for, else the exit status.
int AnswerHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--version") {
            std::printf("velmora %s\n", VELMORA_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::printf("Velmora %s: the 3x3x3 cube, dealt, turned, solved and demonstrated.\n\n%s\n"
                        "  FILE.mf               open this cube file (or move text) instead of a new random cube\n"
                        "  --screenshot FILE.png draw the window once into a PNG and exit\n"
                        "  --frames N            with --screenshot: draw N more frames and print their times\n"
                        "  --sheet OUT.pdf       write the solution sheet of FILE.mf (or of a new random cube)\n"
                        "                        as a PDF without a window, exit 0 (2 with a message on failure)\n"
                        "  --method M            with --sheet: solve by group, eight-corner or shortest\n"
                        "  --camera-file VIDEO   open the photo input with this video file playing as its camera\n"
                        "  --help                show this text and exit\n"
                        "  --version             show the version and exit\n",
                        VELMORA_VERSION, kUsage);
            return 0;
        }
    }
    return -1;
}

// Takes "--frames N" out of the arguments (marks both in skip): a screenshot run then
// draws N more frames of the 3D view after the grab and prints the median of their
// drawing times. Returns 0 when the option is absent, -1 when its count is missing or
// not positive.
int TakeFrameCount(int argc, char** argv, std::vector<bool>& skip) {
    skip.assign(static_cast<std::size_t>(argc), false);
    int at = -1;
    for (int i = 1; i < argc && at < 0; ++i)
        if (std::string_view(argv[i]) == "--frames") at = i;
    if (at < 0) return 0;
    skip[static_cast<std::size_t>(at)] = true;
    if (at + 1 >= argc) return -1;
    skip[static_cast<std::size_t>(at) + 1] = true;
    bool ok = false;
    const int n = QString::fromLocal8Bit(argv[at + 1]).toInt(&ok);
    return ok && n > 0 ? n : -1;
}

// The median and the smallest of the drawing times of n frames of the view, each drawn
// into its framebuffer as for a grab.
void PrintFrameTimes(velmora::CTarnex3dView* view, int n) {
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        view->grabFramebuffer();
        ms.push_back(view->LastFrameMs());
    }
    std::sort(ms.begin(), ms.end());
    const std::size_t mid = ms.size() / 2;
    const double median = ms.size() % 2 ? ms[mid] : (ms[mid - 1] + ms[mid]) / 2;
    std::printf("frames: %d\nframe_render_median_ms: %.3f\nframe_render_min_ms: %.3f\n", n, median, ms.front());
}

}  // namespace

// Takes "--camera-file VIDEO" out of the arguments (marks both in skip). Returns false
// when the option is there without its file.
bool TakeCameraFile(int argc, char** argv, std::vector<bool>& skip, QString& file) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != "--camera-file") continue;
        skip[static_cast<std::size_t>(i)] = true;
        if (i + 1 >= argc) return false;
        skip[static_cast<std::size_t>(i) + 1] = true;
        file = QFile::decodeName(argv[i + 1]);
        return true;
    }
    return true;
}

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (const int status = AnswerHelpOrVersion(argc, argv); status >= 0) return status;
    if (const int status = velmora::RunSheetCommand(argc, argv); status >= 0) return status;
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "velmora: no display found. Run it under a virtual display:\n"
                     "  xvfb-run -a -s '-screen 0 1280x1024x24' %s\n",
                     argv[0]);
        return 1;
    }
    velmora::SetDefaultSurfaceFormat();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8("Velmora提示"));
    QApplication::setOrganizationName(QString::fromUtf8("Brenlow Software"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/velmora.xpm")));
    velmora::InstallQtTranslations();

    // QApplication has taken its own options out of argc and argv.
    std::vector<bool> skip;
    const int frameCount = TakeFrameCount(argc, argv, skip);
    QString cameraFile;
    if (!TakeCameraFile(argc, argv, skip, cameraFile)) {
        std::fprintf(stderr, "velmora: --camera-file needs a video file\n");
        return 2;
    }
    std::string filePath;
    const velmora::StartRequest request = velmora::ParseCommandLine(argc, argv, skip, filePath);
    if (frameCount < 0) {
        std::fprintf(stderr, "velmora: --frames needs a positive number of frames\n");
        return 2;
    }
    if (frameCount > 0 && request.valid && request.screenshot.isEmpty()) {
        std::fprintf(stderr, "velmora: --frames is only for a screenshot run (--screenshot FILE.png)\n");
        return 2;
    }
    if (!request.valid) {
        std::fprintf(stderr,
                     "velmora: %s\n%s", qPrintable(request.error), kUsage);
        return 2;
    }

    velmora::CVelmoraApp velmoraApp;
    if (!request.screenshot.isEmpty()) {
        // Nobody answers questions in a screenshot run.
        velmoraApp.user.messageHook = [](std::string_view text, velmora::Buttons b, velmora::Icon) {
            std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
            return (b == velmora::Buttons::YesNo || b == velmora::Buttons::YesNoCancel) ? velmora::Answer::Yes
                                                                                       : velmora::Answer::Ok;
        };
    }
    if (!velmoraApp.Start(request, filePath)) {
        std::fprintf(stderr, "velmora: start-up failed\n");
        return 1;
    }

    int result = 0;
    if (!cameraFile.isEmpty() && request.screenshot.isEmpty()) {
        velmoraApp.user.cameraFile = cameraFile;
        QTimer::singleShot(0, velmoraApp.frame.get(), [&] { velmoraApp.doc->OnCommand(velmora::cmd::kPhotoInput); });
    }
    if (!request.screenshot.isEmpty()) {
        velmora::CMainFrame* frame = velmoraApp.frame.get();
        velmora::CTarnex3dView* view = frame->CubeView();
        QObject::connect(
            view, &velmora::CTarnex3dView::frameDrawn, frame,
            [&, frame, view] {
                static bool done = false;
                if (done) return;
                done = true;
                const qint64 firstFrame = sinceStart.elapsed();
                // VELMORA_SHOT_DELAY_MS: the picture is taken that much later, to show
                // work in progress such as the fewest-turns search in the status bar.
                const char* delay = std::getenv("VELMORA_SHOT_DELAY_MS");
                const int delayMs = delay ? std::atoi(delay) : 0;
                QTimer::singleShot(delayMs > 0 ? delayMs : 0, frame, [&, frame, view, firstFrame] {
                    const QImage shot = frame->grab().toImage();
                    const bool saved = shot.save(request.screenshot, "PNG");
                    std::printf("screenshot: %s %dx%d\nfirst_frame_ms: %lld\nframe_render_ms: %.2f\n",
                                qPrintable(request.screenshot), shot.width(), shot.height(),
                                static_cast<long long>(firstFrame), view->LastFrameMs());
                    if (frameCount > 0) PrintFrameTimes(view, frameCount);
                    if (!saved) {
                        std::fprintf(stderr, "velmora: cannot write %s\n", qPrintable(request.screenshot));
                        result = 1;
                    }
                    frame->quitting = true;
                    frame->close();
                    QApplication::quit();
                });
            },
            Qt::QueuedConnection);
        app.exec();
    } else {
        result = app.exec();
    }
    velmoraApp.Exit();
    return result;
}
