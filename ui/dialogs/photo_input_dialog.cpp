#include "ui/dialogs/photo_input_dialog.h"

#include <QCameraDevice>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <opencv2/imgproc.hpp>

#include "ui/dialogs/dialog_text.h"
#include "ui/dialogs/frame_source.h"
#include "ui/dialogs/live_face_view.h"
#include "ui/dialogs/photo_slot_view.h"

namespace velmora {
namespace {

constexpr int kWorkingSide = 1600;  // long side of a slot's picture kept for hand-placed corners
constexpr int kShownSide = 480;     // long side of the picture a slot shows
constexpr int kSticker = 15;        // side of a sticker of the result net
constexpr int kNoFrameMs = 6000;    // a source silent this long has failed
constexpr std::string_view kCameraName = "摄像头";

// The program's display colour of each slot's face, for placing captured faces.
std::array<Rgb, kPhotoSlotCount> SlotColours(const int (&colours)[10]) {
    std::array<Rgb, kPhotoSlotCount> out;
    for (std::size_t f = 0; f < out.size(); ++f) {
        const int ref = colours[DisplayColourOfLetter(kFaceletLetters[f])];
        out[f] = {static_cast<float>(ref & 0xff), static_cast<float>((ref >> 8) & 0xff), static_cast<float>((ref >> 16) & 0xff)};
    }
    return out;
}

QColor SettingColour(int ref) { return QColor(ref & 0xff, (ref >> 8) & 0xff, (ref >> 16) & 0xff); }

QImage ToImage(const cv::Mat& bgr) {
    return QImage(bgr.data, bgr.cols, bgr.rows, static_cast<qsizetype>(bgr.step), QImage::Format_BGR888).copy();
}

// The picture at most side pixels on its long side, and the factor applied.
cv::Mat Shrunk(const cv::Mat& bgr, int side, double& factor) {
    factor = std::min(1.0, static_cast<double>(side) / std::max(bgr.cols, bgr.rows));
    if (factor >= 1.0) return bgr;
    cv::Mat out;
    cv::resize(bgr, out, cv::Size(), factor, factor, cv::INTER_AREA);
    return out;
}

void ScaleReading(photos::FaceReading& r, double k) {
    for (auto& p : r.quad) p = {static_cast<float>(p[0] * k), static_cast<float>(p[1] * k)};
    for (auto& p : r.centres) p = {static_cast<float>(p[0] * k), static_cast<float>(p[1] * k)};
}

}  // namespace

// ---- the result net ----

ResultNetView::ResultNetView(const PhotoInputState& state, const int (&colours)[10], QWidget* parent)
    : QWidget(parent), state_(state), colours_(colours) {
    setMinimumSize(sizeHint());
}

QSize ResultNetView::sizeHint() const { return {12 * kSticker + 8, 9 * kSticker + 8}; }

QRect ResultNetView::StickerRect(int i) const {
    const auto& at = kPhotoSlotGrid[static_cast<std::size_t>(i / 9)];
    const int x = 4 + (3 * at[1] + i % 3) * kSticker;
    const int y = 4 + (3 * at[0] + i % 9 / 3) * kSticker;
    return QRect(x, y, kSticker, kSticker);
}

QPoint ResultNetView::StickerCentre(int i) const { return StickerRect(i).center(); }

void ResultNetView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int i = 0; i < 54; ++i) {
        const QRect r = StickerRect(i);
        const char letter = state_.Sticker(i);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(letter == ' ' ? palette().color(QPalette::Mid) : SettingColour(colours_[DisplayColourOfLetter(letter)]));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (state_.InDoubt(i)) {
            // A doubtful sticker: a thick black and white frame with a question mark.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::white, 3));
            p.drawRect(r.adjusted(1, 1, -2, -2));
            p.setPen(QPen(Qt::black, 1));
            p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
        }
    }
}

void ResultNetView::mousePressEvent(QMouseEvent* e) {
    if (!state_.HasColouring()) return;
    for (int i = 0; i < 54; ++i)
        if (i % 9 != 4 && StickerRect(i).contains(e->position().toPoint()))
            emit stickerClicked(i, e->globalPosition().toPoint());
}

// ---- the dialog ----

PhotoInputDialog::PhotoInputDialog(const int (&colours)[10], std::function<int(std::string_view)> apply,
                                   QWidget* parent)
    : QDialog(parent), colours_(colours), apply_(std::move(apply)), captures_(SlotColours(colours)) {
    setWindowTitle(DialogText("照片输入魔方"));
    setObjectName(QStringLiteral("photoInputDialog"));

    auto* grid = new QGridLayout;
    grid->setSpacing(6);
    for (int f = 0; f < kPhotoSlotCount; ++f) {
        auto* box = new QGroupBox(DialogText(kPhotoSlotNames[static_cast<std::size_t>(f)]), this);
        auto* view = new PhotoSlotView(box);
        auto* choose = new QPushButton(DialogText("选择照片..."), box);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(4, 4, 4, 4);
        column->addWidget(view, 1);
        column->addWidget(choose);
        views_[static_cast<std::size_t>(f)] = view;
        const auto& at = kPhotoSlotGrid[static_cast<std::size_t>(f)];
        grid->addWidget(box, at[0], at[1]);
        connect(choose, &QPushButton::clicked, this, [this, f] { ChoosePhoto(f); });
        connect(view, &PhotoSlotView::fileDropped, this, [this, f](const QString& path) { LoadPhotoInto(f, path); });
        connect(view, &PhotoSlotView::cornersPlaced, this,
                [this, f](const photos::Quad& quad) { PlaceCorners(f, quad); });
    }
    auto* hint = new QLabel(DialogText("拍照时让魔方的一面正对镜头，占满照片的大部分；照片怎样旋转都可以。"), this);
    hint->setWordWrap(true);
    cameras_ = new QComboBox(this);
    cameraButton_ = new QPushButton(DialogText("使用摄像头"), this);
    auto* cameraRow = new QHBoxLayout;
    cameraRow->addWidget(cameras_, 1);
    cameraRow->addWidget(cameraButton_);
    auto* hintColumn = new QVBoxLayout;
    hintColumn->addWidget(hint);
    hintColumn->addStretch(1);
    hintColumn->addLayout(cameraRow);
    grid->addLayout(hintColumn, 0, 2, 1, 2);
    connect(cameraButton_, &QPushButton::clicked, this, [this] {
        if (CameraRunning()) StopCamera();
        else StartCamera();
    });
    connect(new QMediaDevices(this), &QMediaDevices::videoInputsChanged, this, &PhotoInputDialog::ShowCameraChoice);

    net_ = new ResultNetView(state_, colours_, this);
    grid->addWidget(net_, 2, 2, 1, 2, Qt::AlignCenter);
    connect(net_, &ResultNetView::stickerClicked, this, [this](int sticker, const QPoint& at) {
        QMenu menu(this);
        for (char letter : kFaceletLetters) {
            QPixmap swatch(16, 16);
            swatch.fill(SettingColour(colours_[DisplayColourOfLetter(letter)]));
            const std::size_t face = kFaceletLetters.find(letter);
            QAction* action = menu.addAction(QIcon(swatch), DialogText(kPhotoSlotNames[face]) + DialogText("的颜色"));
            connect(action, &QAction::triggered, this, [this, sticker, letter] { ChooseSticker(sticker, letter); });
        }
        menu.exec(at);
    });

    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setObjectName(QStringLiteral("photoMessage"));

    ok_ = new QPushButton(DialogText("确定"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(DialogText("取消"), this);
    connect(ok_, &QPushButton::clicked, this, &PhotoInputDialog::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    // The camera's panel beside the slots, shown while the camera runs.
    live_ = new LiveView(this);
    cameraLine_ = new QLabel(this);
    cameraLine_->setWordWrap(true);
    captureButton_ = new QPushButton(DialogText("拍下这一面"), this);
    connect(captureButton_, &QPushButton::clicked, this, &PhotoInputDialog::CaptureNow);
    cameraPanel_ = new QWidget(this);
    auto* panel = new QVBoxLayout(cameraPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(live_, 1);
    panel->addWidget(cameraLine_);
    panel->addWidget(captureButton_, 0, Qt::AlignRight);
    cameraPanel_->hide();
    auto* upper = new QHBoxLayout;
    upper->addLayout(grid, 3);
    upper->addWidget(cameraPanel_, 3);

    reader_ = new LiveFaceReader(this);
    placer_ = new BackgroundJob(this);
    connect(reader_, &LiveFaceReader::faceRead, this, &PhotoInputDialog::FaceRead);
    watchdog_ = new QTimer(this);
    watchdog_->setSingleShot(true);
    watchdog_->setInterval(kNoFrameMs);
    connect(watchdog_, &QTimer::timeout, this, [this] {
        if (CameraRunning()) CameraStopped(DialogText("摄像头没有送来画面，已经停下。可以继续用照片输入。"));
    });

    auto* main = new QVBoxLayout(this);
    main->addLayout(upper, 1);
    main->addWidget(message_);
    main->addLayout(buttons);
    resize(860, 640);
    ShowCameraChoice();
    ShowState();
}

PhotoInputDialog::~PhotoInputDialog() { StopCamera(); }

bool PhotoInputDialog::LoadPhotoInto(int slot, const QString& path) {
    const std::string name = QFileInfo(path).fileName().toStdString();
    cv::Mat bgr;
    std::string error;
    if (!photos::LoadPhoto(QFile::encodeName(path).toStdString(), bgr, error)) {
        state_.PhotoUnreadable(name, error);
        ShowState();
        return false;
    }
    photos::FaceReading reading = photos::FindFace(bgr);
    double working = 1, shown = 1;
    cv::Mat picture = Shrunk(bgr, kWorkingSide, working);
    bgr.release();
    const QImage image = ToImage(Shrunk(picture, kShownSide, shown));
    pictures_[static_cast<std::size_t>(slot)] = picture;
    fromCamera_[static_cast<std::size_t>(slot)] = false;
    PhotoSlotView* view = views_[static_cast<std::size_t>(slot)];
    ScaleReading(reading, working);
    view->ShowPicture(image, shown, reading);
    if (reading.found) {
        state_.PhotoRead(slot, name, reading.samples);
    } else {
        // Handles start on the middle half of the picture for the user to drag.
        const float w = static_cast<float>(picture.cols), h = static_cast<float>(picture.rows);
        const float side = std::min(w, h) / 2;
        const float x = (w - side) / 2, y = (h - side) / 2;
        view->AskForCorners({{{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}});
        state_.PhotoWithoutFace(slot, name);
    }
    ShowState();
    return true;
}

void PhotoInputDialog::PlaceCorners(int slot, const photos::Quad& quad) {
    const cv::Mat& picture = pictures_[static_cast<std::size_t>(slot)];
    if (picture.empty()) return;
    photos::FaceReading reading = photos::ReadFaceAt(picture, quad);
    PhotoSlotView* view = views_[static_cast<std::size_t>(slot)];
    if (!reading.found) {
        view->AskForCorners(quad);
        state_.PhotoWithoutFace(slot, state_.Slot(slot).name);
    } else {
        view->ShowReading(reading);
        state_.PhotoRead(slot, state_.Slot(slot).name, reading.samples);
    }
    ShowState();
}

void PhotoInputDialog::ChooseSticker(int sticker, char letter) {
    if (state_.ChooseSticker(sticker, letter)) net_->update();
}

void PhotoInputDialog::ChoosePhoto(int slot) {
    const QString path = QFileDialog::getOpenFileName(
        this, DialogText("选择照片"), photoFolder_ ? *photoFolder_ : QString(), DialogText("图片 (*.jpg *.jpeg *.png *.bmp *.webp *.tif *.tiff);;所有文件 (*)"));
    if (path.isEmpty()) return;
    if (photoFolder_) *photoFolder_ = QFileInfo(path).absolutePath();
    LoadPhotoInto(slot, path);
}

void PhotoInputDialog::Confirm() {
    if (!state_.HasColouring()) return;
    const int r = apply_(state_.Facelets());
    if (r == 1) accept();
    else if (r == -1) reject();
}

void PhotoInputDialog::ShowState() {
    message_->setText(DialogText(state_.Message()));
    message_->setStyleSheet(state_.MessageIsError() ? QStringLiteral("color: #b00000;") : QString());
    ok_->setEnabled(state_.HasColouring());
    net_->update();
}

// ---- the camera ----

void PhotoInputDialog::ShowCameraChoice() {
    if (CameraRunning()) return;
    const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
    cameras_->clear();
    for (const QCameraDevice& d : inputs) cameras_->addItem(d.description(), d.id());
    cameras_->setVisible(videoFile_.isEmpty() && inputs.size() > 1);
    const bool any = !videoFile_.isEmpty() || !inputs.isEmpty();
    cameraButton_->setEnabled(any);
    cameraButton_->setToolTip(any ? QString() : DialogText("没有找到摄像头"));
}

void PhotoInputDialog::SetVideoFile(const QString& path) {
    videoFile_ = path;
    ShowCameraChoice();
}

bool PhotoInputDialog::CameraRunning() const { return source_ && source_->Running(); }

void PhotoInputDialog::StartCamera() {
    if (!videoFile_.isEmpty())
        StartCamera(std::make_unique<VideoFileSource>(videoFile_));
    else if (cameras_->count() > 0)
        StartCamera(std::make_unique<CameraSource>(cameras_->currentData().toByteArray()));
}

void PhotoInputDialog::StartCamera(std::unique_ptr<FrameSource> source) {
    StopCamera();
    source_ = std::move(source);
    connect(source_.get(), &FrameSource::frameArrived, this, [this](const QImage& frame, const QImage& shown) {
        watchdog_->start();
        live_->ShowFrame(shown);
        reader_->Offer(frame);
        if (source_) source_->SetShownSize(live_->PictureRoom());
    });
    connect(source_.get(), &FrameSource::failed, this, [this](const QString& message) { CameraStopped(message); });
    connect(source_.get(), &FrameSource::finished, this, [this] { CameraStopped(DialogText("视频已放完。")); });
    grid_.Reset();
    clock_.start();
    live_->Clear();
    cameraPanel_->show();
    // Room for the live picture beside the slots.
    resize(std::max(width(), 1280), height());
    cameraButton_->setText(DialogText("改用照片"));
    captureButton_->setEnabled(true);
    stopMessage_.clear();
    ShowCameraLine();
    cameraLine_->setStyleSheet(QString());
    watchdog_->start();
    // The panel's layout is settled before the first frame is made to fit it.
    layout()->activate();
    source_->SetShownSize(live_->PictureRoom());
    source_->Start();
}

void PhotoInputDialog::StopCamera() {
    if (watchdog_) watchdog_->stop();
    if (source_) {
        source_->Stop();
        source_.release()->deleteLater();
    }
    if (cameraPanel_) cameraPanel_->hide();
    if (cameraButton_) cameraButton_->setText(DialogText("使用摄像头"));
    ShowCameraChoice();
}

void PhotoInputDialog::CameraStopped(const QString& message) {
    const bool finished = message == DialogText("视频已放完。");
    StopCamera();
    // The last picture and the message stay in view until the user goes on.
    cameraPanel_->show();
    captureButton_->setEnabled(false);
    stopMessage_ = message;
    ShowCameraLine();
    cameraLine_->setStyleSheet(finished ? QString() : QStringLiteral("color: #b00000;"));
}

bool PhotoInputDialog::Placing() const { return placer_->Busy(); }

void PhotoInputDialog::ShowCameraLine() {
    // Once stopped, what was captured so far stays; the hint for holding up a face
    // does not apply.
    if (stopMessage_.isEmpty()) cameraLine_->setText(DialogText(captures_.Progress()));
    else if (captures_.Count() == 0) cameraLine_->setText(stopMessage_);
    else cameraLine_->setText(stopMessage_ + QLatin1Char(' ') + DialogText(captures_.Progress()));
}

void PhotoInputDialog::done(int result) {
    StopCamera();
    QDialog::done(result);
}

void PhotoInputDialog::FaceRead(const QImage& frame, const photos::FaceReading& reading) {
    if (!CameraRunning()) return;
    live_->ShowReading(reading, frame.size());
    lastFrame_ = frame;
    lastReading_ = reading;
    GridCorners corners{};
    for (std::size_t i = 0; i < 4; ++i) corners[i] = reading.quad[i];
    const bool still = grid_.Frame(clock_.elapsed(), reading.found, corners);
    if (still && !placer_->Busy() && captures_.SameCentreAs(reading.samples) < 0) TakeCapture(frame, reading);
}

void PhotoInputDialog::CaptureNow() {
    if (CameraRunning() && lastReading_.found) TakeCapture(lastFrame_, lastReading_);
}

void PhotoInputDialog::TakeCapture(const QImage& frame, const photos::FaceReading& reading) {
    // The faces are placed on a copy in the background; one capture at a time.
    auto next = std::make_shared<FaceCaptures>(captures_);
    auto at = std::make_shared<int>(-1);
    const FaceSamples samples = reading.samples;
    placer_->Run([next, at, samples] { *at = next->Capture(samples); },
                 [this, next, at, frame, reading] {
                     grid_.Reset();
                     if (*at < 0) return;
                     captures_ = *next;
                     const std::size_t i = static_cast<std::size_t>(*at);
                     captureFrames_[i] = frame.scaled(kShownSide, kShownSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                     captureReadings_[i] = reading;
                     ScaleReading(captureReadings_[i], static_cast<double>(captureFrames_[i].width()) / frame.width());
                     FillSlotsFromCaptures();
                     views_[static_cast<std::size_t>(captures_.SlotOfCapture()[i])]->Flash();
                     ShowCameraLine();
                 });
}

void PhotoInputDialog::FillSlotsFromCaptures() {
    for (int f = 0; f < kPhotoSlotCount; ++f) {
        if (!fromCamera_[static_cast<std::size_t>(f)]) continue;
        fromCamera_[static_cast<std::size_t>(f)] = false;
        views_[static_cast<std::size_t>(f)]->Clear();
        pictures_[static_cast<std::size_t>(f)].release();
        state_.ClearSlot(f);
    }
    for (int i = 0; i < captures_.Count(); ++i) {
        const std::size_t slot = static_cast<std::size_t>(captures_.SlotOfCapture()[static_cast<std::size_t>(i)]);
        views_[slot]->ShowPicture(captureFrames_[static_cast<std::size_t>(i)], 1,
                                  captureReadings_[static_cast<std::size_t>(i)]);
        fromCamera_[slot] = true;
        state_.PhotoRead(static_cast<int>(slot), kCameraName, captures_.Face(i));
    }
    ShowState();
}

}  // namespace velmora
