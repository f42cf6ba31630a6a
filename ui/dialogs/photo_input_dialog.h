#pragma once
// The dialog "照片输入魔方": six slots laid out as the net, one photo per face (chosen or
// dropped), the grid and colours read from each, and once six are read the resolved
// cube as a net in the colours measured, where a click on any sticker changes its
// colour, so that the user can always finish by hand. When two faces' colours cannot
// be told apart it asks the one question that settles them. What it decides is
// PhotoInputState's (document/photo_input.h); the pictures are read by the photo
// library; the dialog only shows both. It is made once per run: closed without OK it
// keeps its photos and corrections for the next time.
#include <QDialog>
#include <QImage>
#include <memory>
#include <array>
#include <functional>
#include <opencv2/core.hpp>
#include <string_view>

#include "document/live_capture.h"
#include "document/photo_input.h"
#include "photos/face_reader.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace velmora {

class BackgroundJob;
class FrameSource;
class LiveFaceReader;
class LiveView;
class PhotoSlotView;

// The resolved colouring as a net: each sticker filled with its measured colour and
// labelled with its face (the colour class), a corner swatch of that class's colour,
// doubtful stickers marked "?", stickers the user chose framed, the question's sticker
// ringed. A click on a sticker other than a centre asks for its colour.
class ResultNetView : public QWidget {
    Q_OBJECT
public:
    explicit ResultNetView(const PhotoInputState& state, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // The widget point at the middle of sticker i (0-53).
    QPoint StickerCentre(int i) const;
    // The side of a sticker in pixels at the widget's present size.
    int StickerSide() const;

signals:
    void stickerClicked(int sticker, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QRect StickerRect(int i) const;

    const PhotoInputState& state_;
};

class PhotoInputDialog : public QDialog {
    Q_OBJECT
public:
    // colours: the program's colour settings; apply: what OK does with the colouring;
    // check: the checks it must pass first (see UserPort::ReadPhotos).
    PhotoInputDialog(const int (&colours)[10], std::function<int(std::string_view)> apply,
                     ColouringCheck check, QWidget* parent = nullptr);
    ~PhotoInputDialog() override;
    // The same dialog opened again: what OK does and checks, for this time.
    void SetCalls(std::function<int(std::string_view)> apply, ColouringCheck check);

    // The folder the photo chooser opens in; a photo chosen there makes its folder the
    // new one. Not owned; null: the chooser's own default.
    void SetPhotoFolder(QString* folder) { photoFolder_ = folder; }
    // Loads the photo at path into slot (0-5, facelet-string faces) as the slot's
    // button or a drop does. False when the file could not be used.
    bool LoadPhotoInto(int slot, const QString& path);
    // The user placed the face's corners in slot by hand.
    void PlaceCorners(int slot, const photos::Quad& quad);
    // The user chose the colour (a facelet letter) of sticker i.
    void ChooseSticker(int sticker, char letter);
    // The answer to the question: face's centre has the ringed sticker's colour.
    void AnswerQuestion(int face);
    // "清除照片": every slot, capture and correction gone.
    void ClearPhotos();
    // Reads the colours with another resolver from now on (see PhotoInputState).
    void SetResolver(ColourResolver resolver);

    // ---- the camera ----
    // Frames come from this video file instead of a camera (velmora --camera-file).
    void SetVideoFile(const QString& path);
    // Starts the camera (or the video file): the live picture replaces the hint; faces
    // held still are captured into their slots. Stopping it returns to photos.
    void StartCamera();
    // The same with the given source of frames.
    void StartCamera(std::unique_ptr<FrameSource> source);
    void StopCamera();
    bool CameraRunning() const;
    // "拍下这一面": the face in the newest frame, captured at once (its slot is known
    // once the faces are placed, a moment later with six faces in).
    void CaptureNow();
    const FaceCaptures& Captures() const { return captures_; }
    // A capture is being placed (its slot follows a moment later).
    bool Placing() const;
    LiveView* Live() const { return live_; }
    const LiveFaceReader& Reader() const { return *reader_; }
    QPushButton* CameraButton() const { return cameraButton_; }
    QPushButton* CaptureButton() const { return captureButton_; }
    QLabel* CameraLine() const { return cameraLine_; }
    // Why the camera button is disabled, beside it (hidden while it is enabled).
    QLabel* CameraReason() const { return cameraReason_; }

    const PhotoInputState& State() const { return state_; }
    QPushButton* OkButton() const { return ok_; }
    PhotoSlotView* SlotView(int slot) const { return views_[static_cast<std::size_t>(slot)]; }
    ResultNetView* ResultNet() const { return net_; }
    QLabel* MessageLine() const { return message_; }
    QPushButton* ClearButton() const { return clear_; }
    // The question about two faces, shown while the read asks it; side 0 is the
    // state's QuestionFaceA, 1 its QuestionFaceB.
    QWidget* QuestionPanel() const { return question_; }
    QPushButton* AnswerButton(int side) const { return answers_[static_cast<std::size_t>(side)]; }

    void done(int result) override;

private:
    void ChoosePhoto(int slot);
    void FaceRead(const QImage& frame, const photos::FaceReading& reading);
    void TakeCapture(const QImage& frame, const photos::FaceReading& reading);
    void CameraStopped(const QString& message);
    // The camera's line: the progress, after the reason when the camera stopped.
    void ShowCameraLine();
    // Rebuilds the slots the camera filled from the captures and their placement.
    void FillSlotsFromCaptures();
    void ShowCameraChoice();
    void Confirm();
    // Puts the state's message and colouring on the widgets.
    void ShowState();
    void ShowQuestion();
    void ShowStickerMenu(int sticker, const QPoint& at);

    const int (&colours_)[10];
    std::function<int(std::string_view)> apply_;
    QString* photoFolder_ = nullptr;
    PhotoInputState state_;
    // Each slot's picture as read, at most kWorkingSide pixels on its long side, for
    // corners placed by hand.
    std::array<cv::Mat, kPhotoSlotCount> pictures_;
    std::array<PhotoSlotView*, kPhotoSlotCount> views_{};
    ResultNetView* net_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* clear_ = nullptr;
    // Each slot's picture as it shows it, for the question's thumbnails.
    std::array<QImage, kPhotoSlotCount> shown_;
    QWidget* question_ = nullptr;
    QLabel* questionText_ = nullptr;
    std::array<QLabel*, 2> thumbs_{};
    std::array<QLabel*, 2> thumbNames_{};
    std::array<QPushButton*, 2> answers_{};

    QString videoFile_;
    std::unique_ptr<FrameSource> source_;
    LiveFaceReader* reader_ = nullptr;
    LiveView* live_ = nullptr;
    QWidget* cameraPanel_ = nullptr;
    QComboBox* cameras_ = nullptr;
    QPushButton* cameraButton_ = nullptr;
    QPushButton* captureButton_ = nullptr;
    QLabel* cameraLine_ = nullptr;
    QLabel* cameraReason_ = nullptr;
    QString stopMessage_;
    QTimer* watchdog_ = nullptr;
    // Places the captured faces (with six, a search over the colour schemes that takes
    // too long for the window's thread).
    BackgroundJob* placer_ = nullptr;
    SteadyFace steady_;
    // What the camera line says while the colours settle (empty otherwise).
    QString waiting_;
    FaceCaptures captures_;
    // Each capture's frame as a slot shows it.
    std::array<QImage, kPhotoSlotCount> captureFrames_;
    std::array<photos::FaceReading, kPhotoSlotCount> captureReadings_{};
    std::array<bool, kPhotoSlotCount> fromCamera_{};
    QImage lastFrame_;
    photos::FaceReading lastReading_{};
    // The stream time of the frame the face finder is reading.
    qint64 offeredMs_ = 0;
};

}  // namespace velmora
