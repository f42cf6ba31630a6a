// The photo input dialog in the running program: six generated photos (one without a
// face found until its corners are placed, one file that is no picture) confirmed; real
// photos of a real cube finished by hand when one photo is wrong, settled by the one
// question when two faces are alike, kept after 取消 and emptied by 清除照片; a
// generated video handed to the camera frame by frame (and once played at its own
// pace for the rates); all checked against the move engine. A missing, busy or
// unplugged camera leaves a message and a dialog that takes photos.
//
// With VELMORA_SHOT_DIR set, the tests leave screenshots of the dialog there.
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMediaDevices>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVideoFrame>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

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

// The real photos of real cubes kept beside the project (shared/photos-dev): found
// above the source tree; empty when they are not there.
QString PhotosDev() {
    QDir dir = QFileInfo(QStringLiteral(VELMORA_TEST_SOLVED_FILE)).absoluteDir();
    do {
        if (dir.exists(QStringLiteral("shared/photos-dev/truth.json"))) return dir.filePath(QStringLiteral("shared/photos-dev"));
    } while (dir.cdUp());
    return {};
}

// The true colouring of the mt-phone-a and mt-phone-b sets (their truth.json).
constexpr char kPhoneSetTruth[] = "UUUUUUUUURRRDRFDBDFFFLFBRLLBBBDDRFRFLLLDLFDLDBBBRBFLDR";

// Picks the action of the popup menu that opens next, once it is shown.
void ChooseInNextMenu(int action) {
    QTimer::singleShot(0, [action] {
        QMenu* menu = nullptr;
        WaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }, 10000);
        if (menu && action < menu->actions().size()) menu->actions()[action]->trigger();
        if (menu) menu->close();
    });
}

// Frames of a video file handed to the dialog one at a time when the test asks, each
// stamped with its time in the video: what the dialog makes of them does not depend
// on how fast the machine is.
class SteppedVideo : public FrameSource {
public:
    explicit SteppedVideo(const std::string& path) : video_(path) { fps_ = video_.get(cv::CAP_PROP_FPS); }
    void Start() override { running_ = video_.isOpened(); }
    void Stop() override { running_ = false; }
    bool Running() const override { return running_; }
    bool SilenceIsFailure() const override { return false; }
    // Hands over the next frame; false at the end of the video.
    bool Step() {
        cv::Mat bgr;
        if (!running_ || !video_.read(bgr)) return false;
        QVideoFrame frame(QVideoFrameFormat(QSize(bgr.cols, bgr.rows), QVideoFrameFormat::Format_BGRX8888));
        frame.map(QVideoFrame::WriteOnly);
        cv::Mat out(bgr.rows, bgr.cols, CV_8UC4, frame.bits(0), static_cast<std::size_t>(frame.bytesPerLine(0)));
        cv::cvtColor(bgr, out, cv::COLOR_BGR2BGRA);
        frame.unmap();
        frame.setStartTime(static_cast<qint64>(static_cast<double>(index_++) * 1e6 / (fps_ > 0 ? fps_ : 30)));
        Deliver(frame);
        return true;
    }

private:
    cv::VideoCapture video_;
    double fps_ = 30;
    int index_ = 0;
};

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
    // The camera tests show one generated video of the engine's position. Writing it
    // (372 frames of 1280 x 720) takes longer than the tests themselves, so it is
    // written once a run and only read by each test.
    static QString CubeVideoFile(const std::string& facelets) {
        static QTemporaryDir folder;
        static std::string writtenFor;
        const QString path = folder.filePath(QStringLiteral("cube.avi"));
        if (writtenFor != facelets) {
            if (WriteCubeVideo(path.toStdString(), {.facelets = facelets, .width = 1280, .height = 720, .seed = 5}) == 0)
                return {};
            writtenFor = facelets;
        }
        return path;
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

TEST_F(PhotoInputWindow, AVideoHandedToTheCameraFrameByFrameCapturesTheSixFaces) {
    StartAnswering();
    std::string code, facelets;
    EnginePosition(code, facelets);
    const QString video = CubeVideoFile(facelets);
    ASSERT_FALSE(video.isEmpty());
    bool checked = false;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        auto owned = std::make_unique<SteppedVideo>(video.toStdString());
        SteppedVideo* source = owned.get();
        d.StartCamera(std::move(owned));
        ASSERT_TRUE(d.CameraRunning());
        // Each frame is read (and a capture placed) before the next is handed over.
        int frames = 0;
        bool gridShot = false, halfShot = false;
        while (d.Captures().Count() < 6) {
            const int read = d.Reader().FramesRead();
            ASSERT_TRUE(source->Step()) << "the video ended with " << d.Captures().Count() << " faces captured";
            ++frames;
            ASSERT_TRUE(WaitFor([&] { return d.Reader().FramesRead() > read && !d.Placing(); }, 60000)) << "frame " << frames;
            if (!gridShot && d.Live()->GridShown()) {
                Shot(d, "camera_live.png");
                gridShot = true;
            }
            if (!halfShot && d.Captures().Count() >= 3) {
                Shot(d, "camera_captured.png");
                halfShot = true;
            }
        }
        std::printf("faces captured after %d frames\n", frames);
        ASSERT_TRUE(d.State().HasColouring()) << d.MessageLine()->text().toStdString();
        EXPECT_EQ(d.State().Facelets(), facelets);
        // Back to photos: the camera, still running, stops at once.
        ASSERT_TRUE(d.CameraRunning());
        QTest::mouseClick(d.CameraButton(), Qt::LeftButton);
        EXPECT_FALSE(d.CameraRunning());
        Shot(d, "camera_finished_net.png");
        checked = true;
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    };
    app->doc->OnCommand(cmd::kPhotoInput);
    ASSERT_TRUE(checked);
    EXPECT_EQ(CodeOf(Model().cube).substr(0, 66), code.substr(0, 66));
}

TEST_F(PhotoInputWindow, AVideoPlayedAsTheCameraShowsItsFramesAndReportsTheRates) {
    StartAnswering();
    std::string code, facelets;
    EnginePosition(code, facelets);
    const QString video = CubeVideoFile(facelets);
    ASSERT_FALSE(video.isEmpty());
    app->user.cameraFile = video;
    bool checked = false;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        EXPECT_TRUE(d.CameraRunning());
        ASSERT_TRUE(WaitFor([&] { return d.Live()->FramesShown() > 0; }, 20000));
        QElapsedTimer playing;
        playing.start();
        const int shown0 = d.Live()->FramesShown(), read0 = d.Reader().FramesRead();
        // Played at its own pace, the video ends sooner or later, whatever was captured.
        ASSERT_TRUE(WaitFor([&] { return !d.CameraRunning() && !d.Placing(); }, 120000));
        const double ms = static_cast<double>(playing.elapsed());
        std::printf("preview_fps: %.1f finder_fps: %.1f finder_median_ms: %.1f\n", (d.Live()->FramesShown() - shown0) * 1000 / ms,
                    (d.Reader().FramesRead() - read0) * 1000 / ms, d.Reader().MedianMs());
        EXPECT_GT(d.Reader().FramesRead(), read0);
        EXPECT_TRUE(d.CameraLine()->text().startsWith(QString::fromUtf8("视频已放完。"))) << d.CameraLine()->text().toStdString();
        checked = true;
    };
    app->doc->OnCommand(cmd::kPhotoInput);
    ASSERT_TRUE(checked);

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

// The real phone photos of one set, in the dialog's slots.
class RealPhotos : public PhotoInputWindow {
protected:
    void SetUp() override {
        PhotoInputWindow::SetUp();
        dev = PhotosDev();
        if (dev.isEmpty()) GTEST_SKIP() << "shared/photos-dev not found";
    }
    QString Photo(const char* set, char face) const {
        return dev + QLatin1Char('/') + QLatin1String(set) + QLatin1Char('/') + QLatin1Char(face) + QStringLiteral(".jpg");
    }
    void LoadSet(PhotoInputDialog& d, const char* set) {
        for (int f = 0; f < 6; ++f) ASSERT_TRUE(d.LoadPhotoInto(f, Photo(set, kFaceletLetters[static_cast<std::size_t>(f)])));
    }
    QString dev;
};

TEST_F(RealPhotos, AWrongPhotoLeavesNoRealCubeAndTheUserFinishesByHand) {
    StartAnswering();
    bool checked = false;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        LoadSet(d, "mt-phone-a");
        // The back face's slot given another photo of the bottom face by mistake.
        ASSERT_TRUE(d.LoadPhotoInto(5, Photo("mt-phone-b", 'D')));
        ASSERT_EQ(d.State().ReadCount(), 6) << d.MessageLine()->text().toStdString();
        ASSERT_TRUE(d.State().HasColouring());
        EXPECT_NE(d.State().Resolution().status, ResolveStatus::Ok);
        EXPECT_TRUE(d.MessageLine()->styleSheet().contains(QStringLiteral("#b00000")));
        EXPECT_GT(d.State().DoubtCount(), 0);
        EXPECT_GE(d.ResultNet()->StickerSide(), 28);
        // The net shows what was measured: the stickers of the white top face are
        // light, whatever class they were given.
        const QImage net = d.ResultNet()->grab().toImage();
        EXPECT_GT(qGray(net.pixel(d.ResultNet()->StickerCentre(0) + QPoint(-11, -11))), 120);
        Shot(d, "hand_finish_no_cube.png");

        // A doubtful sticker corrected with the mouse: the menu's entry for the true face.
        int first = -1;
        for (int i = 0; i < 54 && first < 0; ++i)
            if (d.State().InDoubt(i) && d.State().Sticker(i) != kPhoneSetTruth[i]) first = i;
        ASSERT_GE(first, 0);
        const int doubts = d.State().DoubtCount();
        ChooseInNextMenu(static_cast<int>(kFaceletLetters.find(kPhoneSetTruth[first])));
        QTest::mouseClick(d.ResultNet(), Qt::LeftButton, {}, d.ResultNet()->StickerCentre(first));
        EXPECT_EQ(d.State().Sticker(first), kPhoneSetTruth[first]);
        EXPECT_TRUE(d.State().Corrected(first));
        EXPECT_EQ(d.State().DoubtCount(), doubts - 1);
        if (doubts > 1) {
            EXPECT_TRUE(d.MessageLine()->text().contains(QStringLiteral("有%1个色块").arg(doubts - 1))) << d.MessageLine()->text().toStdString();
        }
        Shot(d, "hand_finish_one_corrected.png");

        // The rest as the cube in hand shows it; then the checks pass.
        int corrections = 1;
        for (int i = 0; i < 54; ++i) {
            if (d.State().Sticker(i) == kPhoneSetTruth[i]) continue;
            d.ChooseSticker(i, kPhoneSetTruth[i]);
            ++corrections;
        }
        std::printf("resolution status %d; stickers corrected by hand: %d (doubts at first: %d)\n",
                    static_cast<int>(d.State().Resolution().status), corrections, doubts);
        EXPECT_EQ(d.State().Facelets(), kPhoneSetTruth);
        EXPECT_TRUE(d.OkButton()->isEnabled()) << d.MessageLine()->text().toStdString();
        Shot(d, "hand_finish_done.png");
        checked = true;
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    };
    app->doc->OnCommand(cmd::kPhotoInput);
    ASSERT_TRUE(checked);
    EXPECT_EQ(Model().lastSolveResult, 1);
    char text[55];
    WriteFaceletString(Model(), true, text);
    EXPECT_STREQ(text, kPhoneSetTruth);
}

TEST_F(RealPhotos, TwoFacesAlikeAreSettledByOneQuestionAboutTheirPhotos) {
    StartAnswering();
    // The read cannot tell the red right face from the orange left one: the other cube
    // has their stickers exchanged.
    std::string swapped = kPhoneSetTruth;
    for (std::size_t i = 0; i < swapped.size(); ++i)
        if (i % 9 != 4 && (swapped[i] == 'R' || swapped[i] == 'L')) swapped[i] = swapped[i] == 'R' ? 'L' : 'R';
    bool checked = false;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        d.SetResolver([&](const std::array<FaceSamples, 6>& faces) {
            ColourResolution r = ResolveColours(faces, true);
            r.askFaceA = 1;
            r.askFaceB = 4;
            std::copy(swapped.begin(), swapped.end(), r.swappedFacelets.begin());
            return r;
        });
        LoadSet(d, "mt-phone-a");
        ASSERT_EQ(d.State().Facelets(), kPhoneSetTruth) << d.MessageLine()->text().toStdString();
        ASSERT_TRUE(d.QuestionPanel()->isVisible());
        EXPECT_FALSE(d.OkButton()->isEnabled());
        const int q = d.State().QuestionSticker();
        ASSERT_GE(q, 0);
        for (int side = 0; side < 2; ++side) EXPECT_TRUE(d.AnswerButton(side)->isVisible());
        EXPECT_TRUE(d.findChild<QGroupBox*>(QStringLiteral("photoQuestion"))->findChildren<QLabel*>().size() >= 4);
        Shot(d, "question_two_faces_alike.png");

        // The wrong face first: the other cube, which the checks refuse; then the right one.
        const int right = kPhoneSetTruth[q] == 'R' ? 0 : 1;
        QTest::mouseClick(d.AnswerButton(1 - right), Qt::LeftButton);
        EXPECT_EQ(d.State().Facelets(), swapped);
        EXPECT_FALSE(d.OkButton()->isEnabled());
        EXPECT_FALSE(d.State().Fault().empty());
        QTest::mouseClick(d.AnswerButton(right), Qt::LeftButton);
        EXPECT_EQ(d.State().Facelets(), kPhoneSetTruth);
        EXPECT_TRUE(d.AnswerButton(right)->isChecked() && !d.AnswerButton(1 - right)->isChecked());
        EXPECT_TRUE(d.OkButton()->isEnabled()) << d.MessageLine()->text().toStdString();
        Shot(d, "question_answered.png");
        checked = true;
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    };
    app->doc->OnCommand(cmd::kPhotoInput);
    ASSERT_TRUE(checked);
    EXPECT_EQ(Model().lastSolveResult, 1);
}

TEST_F(RealPhotos, PhotosAndCorrectionsStayAfterCancelUntilClearedAndCameraReasonIsShown) {
    StartAnswering();
    const bool noCamera = QMediaDevices::videoInputs().isEmpty();
    int opened = 0;
    char chosen = 0;
    std::string read;
    app->user.photoHook = [&](PhotoInputDialog& d) {
        ++opened;
        if (opened == 1) {
            // Without a camera the reason stands beside its button.
            if (noCamera) {
                EXPECT_FALSE(d.CameraButton()->isEnabled());
                EXPECT_TRUE(d.CameraReason()->isVisible());
                EXPECT_TRUE(d.CameraReason()->text().contains(QString::fromUtf8("没有找到摄像头")));
            }
            LoadSet(d, "qbr-2016-scramble");
            ASSERT_TRUE(d.State().HasColouring()) << d.MessageLine()->text().toStdString();
            chosen = d.State().Sticker(0) == 'U' ? 'R' : 'U';
            d.ChooseSticker(0, chosen);
            read = d.State().Facelets();
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("photoCancel")), Qt::LeftButton);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        } else if (opened == 2) {
            // Opened again: the six photos, the colouring and the correction as left.
            EXPECT_EQ(d.State().ReadCount(), 6);
            EXPECT_EQ(d.State().Facelets(), read);
            EXPECT_TRUE(d.State().Corrected(0));
            EXPECT_EQ(d.State().Sticker(0), chosen);
            Shot(d, "kept_after_cancel.png");
            ASSERT_TRUE(d.ClearButton()->isEnabled());
            QTest::mouseClick(d.ClearButton(), Qt::LeftButton);
            EXPECT_EQ(d.State().ReadCount(), 0);
            EXPECT_FALSE(d.State().HasColouring());
            EXPECT_FALSE(d.OkButton()->isEnabled());
            EXPECT_FALSE(d.ClearButton()->isEnabled());
            d.close();
        } else {
            EXPECT_EQ(d.State().ReadCount(), 0);
        }
    };
    for (int i = 0; i < 3; ++i) app->doc->OnCommand(cmd::kPhotoInput);
    EXPECT_EQ(opened, 3);
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
