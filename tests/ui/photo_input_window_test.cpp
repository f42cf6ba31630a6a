// The photo input dialog in the running program: six generated photos (one without a
// face found until its corners are placed, one file that is no picture) confirmed, and
// a generated video played as the camera; both checked against the move engine. A
// missing, busy or unplugged camera leaves a message and a dialog that takes photos.
//
// With VELMORA_SHOT_DIR set, the tests leave screenshots of the dialog there.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVideoFrame>
#include <opencv2/imgcodecs.hpp>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "model/facelet_string.h"
#include "photos/cube_video.h"
#include "photos/photo_generator.h"
#include "ui/dialogs/frame_source.h"
#include "ui/dialogs/live_face_view.h"
#include "ui/dialogs/photo_input_dialog.h"
#include "ui/dialogs/photo_slot_view.h"
#include "app_window_fixture.h"

namespace velmora::test {
namespace {

constexpr char kMoves[] = "R+;T+;F-;B*;L+;P-;T*;R-;";

void Shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("VELMORA_SHOT_DIR");
    if (dir.isEmpty()) return;
    w.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name), "PNG");
}

class PhotoInputWindow : public AppWindowTest {
protected:
    // The position kMoves gives by the engine alone: its code and facelet string.
    void EnginePosition(std::string& code, std::string& facelets) {
        CTarnexSource engine;
        SilentUser silent;
        engine.user = &silent;
        engine.InitCubeModel();
        engine.ResetCube();
        engine.RunMoveString(0, kMoves);
        code = CodeOf(engine.cube);
        char text[55];
        WriteFaceletString(engine, true, text);
        facelets = text;
    }
    void StartAnswering() {
        StartApp({}, [](std::string_view, Buttons b, Icon) {
            return b == Buttons::YesNo || b == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
        });
    }
    std::string NewestHistoryName() { return app->doc->commandRing[(app->doc->cmdCursor - 1) % kHistoryCapacity].name; }
    QTemporaryDir dir;
};

TEST_F(PhotoInputWindow, SixPhotosConfirmedSetThePositionAsOneStep) {
    StartAnswering();
    std::string code, facelets;
    EnginePosition(code, facelets);
    QStringList paths;
    for (int f = 0; f < 6; ++f) {
        FaceView v;
        v.colours = TurnColours(FaceColours(facelets, f), f % 4);
        v.rollDeg = 8.0 * f - 20;
        v.seed = static_cast<std::uint32_t>(f + 3);
        paths << dir.filePath(QStringLiteral("face%1.jpg").arg(f));
        ASSERT_TRUE(cv::imwrite(paths.back().toStdString(), RenderFaceView(v)));
    }
    FaceView empty;
    empty.centreX = -2;
    const QString nothing = dir.filePath(QStringLiteral("nothing.png"));
    ASSERT_TRUE(cv::imwrite(nothing.toStdString(), RenderFaceView(empty)));
    const QString text = dir.filePath(QStringLiteral("notes.jpg"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    bool checked = false;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        // A file that is no picture changes no slot; a picture without a face asks for
        // its corners; dragging them over the face reads it.
        EXPECT_FALSE(d.LoadPhotoInto(0, text));
        EXPECT_TRUE(d.MessageLine()->text().startsWith(QStringLiteral("notes.jpg")));
        EXPECT_EQ(d.State().Slot(0).state, SlotState::Empty);
        EXPECT_TRUE(d.LoadPhotoInto(5, nothing));
        EXPECT_TRUE(d.MessageLine()->text().endsWith(Text(kNoFaceText)));
        EXPECT_TRUE(d.SlotView(5)->Manual());
        for (int f = 0; f < 5; ++f) EXPECT_TRUE(d.LoadPhotoInto(f, paths[f]));
        Shot(d, "photo_input_face_not_found.png");
        EXPECT_FALSE(d.OkButton()->isEnabled());
        photos::Quad quad{};
        RenderFaceView(FaceView{.colours = TurnColours(FaceColours(facelets, 5), 1), .rollDeg = 20, .seed = 8}, &quad);
        ASSERT_TRUE(d.LoadPhotoInto(5, paths[5]));
        d.PlaceCorners(5, quad);
        ASSERT_TRUE(d.State().HasColouring()) << d.MessageLine()->text().toStdString();
        EXPECT_EQ(d.State().Facelets(), facelets);
        Shot(d, "photo_input_six_photos.png");
        checked = true;
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    };
    app->doc->OnCommand(cmd::kPhotoInput);
    ASSERT_TRUE(checked);
    // The pieces and centres; the centres' own turns are not in a photo.
    EXPECT_EQ(CodeOf(Model().cube).substr(0, 66), code.substr(0, 66));
    EXPECT_EQ(NewestHistoryName(), "照片输入");
    EXPECT_EQ(Model().lastSolveResult, 1);
}

TEST_F(PhotoInputWindow, AVideoPlayedAsTheCameraCapturesTheSixFaces) {
    StartAnswering();
    std::string code, facelets;
    EnginePosition(code, facelets);
    const QString video = dir.filePath(QStringLiteral("cube.avi"));
    ASSERT_GT(WriteCubeVideo(video.toStdString(), {.facelets = facelets, .width = 1280, .height = 720, .seed = 5}), 0);
    app->user.cameraFile = video;
    bool checked = false;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        EXPECT_TRUE(d.CameraRunning());
        ASSERT_TRUE(WaitFor([&] { return d.Live()->FramesShown() > 0; }, 20000));
        QElapsedTimer playing;
        playing.start();
        const int shown0 = d.Live()->FramesShown(), read0 = d.Reader().FramesRead();
        EXPECT_TRUE(WaitFor([&] { return d.Live()->GridShown(); }, 20000));
        Shot(d, "camera_live.png");
        EXPECT_TRUE(WaitFor([&] { return d.Captures().Count() >= 3; }, 30000));
        Shot(d, "camera_captured.png");
        ASSERT_TRUE(WaitFor([&] { return d.Captures().Count() == 6 || (!d.CameraRunning() && !d.Placing()); }, 60000));
        const double ms = static_cast<double>(playing.elapsed());
        std::printf("preview_fps: %.1f finder_fps: %.1f finder_median_ms: %.1f\n", (d.Live()->FramesShown() - shown0) * 1000 / ms,
                    (d.Reader().FramesRead() - read0) * 1000 / ms, d.Reader().MedianMs());
        ASSERT_EQ(d.Captures().Count(), 6) << d.CameraLine()->text().toStdString();
        ASSERT_TRUE(d.State().HasColouring()) << d.MessageLine()->text().toStdString();
        EXPECT_EQ(d.State().Facelets(), facelets);
        // Back to photos: the camera stops at once.
        QTest::mouseClick(d.CameraButton(), Qt::LeftButton);
        EXPECT_FALSE(d.CameraRunning());
        Shot(d, "camera_finished_net.png");
        checked = true;
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    };
    app->doc->OnCommand(cmd::kPhotoInput);
    ASSERT_TRUE(checked);
    EXPECT_EQ(CodeOf(Model().cube).substr(0, 66), code.substr(0, 66));

    // A file that is not a video: a message in the dialog, photos still usable.
    app->user.cameraFile = dir.filePath(QStringLiteral("notes.avi"));
    QFile junk(app->user.cameraFile);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("no video here");
    junk.close();
    app->user.photoHook = [&](PhotoInputDialog& d) {
        EXPECT_TRUE(WaitFor([&] { return !d.CameraRunning(); }, 10000));
        EXPECT_TRUE(d.CameraLine()->text().contains(QStringLiteral("notes.avi"))) << d.CameraLine()->text().toStdString();
        EXPECT_TRUE(d.CameraButton()->isEnabled());
    };
    app->doc->OnCommand(cmd::kPhotoInput);
}

// Grey frames, then a camera error (busy: before any frame) or the camera unplugged.
class ScriptedCamera : public CameraSource {
public:
    explicit ScriptedCamera(int frames) : CameraSource("scripted-camera"), frames_(frames) {
        frame_.map(QVideoFrame::WriteOnly);
        std::fill_n(frame_.bits(0), frame_.mappedBytes(0), 90);
        frame_.unmap();
    }
    void Start() override {
        running_ = true;
        auto* timer = new QTimer(this);
        timer->callOnTimeout(this, [this, timer] {
            if (!running_) timer->stop();
            else if (frames_ == 0) CameraError(QStringLiteral("Device or resource busy"));
            else if (frames_-- == 1) InputsChanged({});
            else Deliver(frame_);
        });
        timer->start(33);
    }
    int frames_;
    QVideoFrame frame_{QVideoFrameFormat(QSize(640, 360), QVideoFrameFormat::Format_BGRX8888)};
};

// frames: frames before the failure; -1: a camera id that does not exist.
struct CameraFailure { const char* name; int frames; const char* message; };

class CameraFailing : public PhotoInputWindow, public ::testing::WithParamInterface<CameraFailure> {};

TEST_P(CameraFailing, LeavesAMessageAStoppedCameraAndADialogForPhotos) {
    const CameraFailure& c = GetParam();
    StartAnswering();
    std::string code, facelets;
    EnginePosition(code, facelets);
    const QString photo = dir.filePath(QStringLiteral("face.jpg"));
    ASSERT_TRUE(cv::imwrite(photo.toStdString(), RenderFaceView(FaceView{.colours = FaceColours(facelets, 0)})));
    bool checked = false;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        if (c.frames < 0) d.StartCamera(std::make_unique<CameraSource>("no-such-camera"));
        else d.StartCamera(std::make_unique<ScriptedCamera>(c.frames));
        ASSERT_TRUE(WaitFor([&] { return !d.CameraRunning(); }, 5000));
        EXPECT_TRUE(d.CameraLine()->isVisible() && d.CameraLine()->styleSheet().contains(QStringLiteral("#b00000")));
        EXPECT_TRUE(d.CameraLine()->text().startsWith(QString::fromUtf8(c.message))) << d.CameraLine()->text().toStdString();
        EXPECT_TRUE(d.CameraButton()->text() == QString::fromUtf8("使用摄像头") && !d.CaptureButton()->isEnabled());
        // The picture stands still; a photo still fills its slot.
        const int shown = d.Live()->FramesShown();
        QTest::qWait(300);
        EXPECT_TRUE(d.Live()->FramesShown() == shown && (shown > 0) == (c.frames > 0));
        EXPECT_TRUE(d.LoadPhotoInto(0, photo) && d.State().Slot(0).state == SlotState::Read);
        Shot(d, (std::string("camera_") + c.name + ".png").c_str());
        checked = true;
    };
    app->doc->OnCommand(cmd::kPhotoInput);
    EXPECT_TRUE(checked);
}

INSTANTIATE_TEST_SUITE_P(Cases, CameraFailing,
                         ::testing::Values(CameraFailure{"missing", -1, "没有找到这个摄像头"},
                                           CameraFailure{"busy", 0, "摄像头打不开，也许正被别的程序占用"},
                                           CameraFailure{"unplugged", 12, "摄像头已断开"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::test
