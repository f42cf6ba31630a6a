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
constexpr int kSticker = 36;        // side of a sticker of the result net at its own size
constexpr int kMinSticker = 28;     // ... and at least, so that it can be compared with the cube
constexpr int kMaxSticker = 56;
constexpr int kNetMargin = 8;
constexpr int kThumbSide = 120;     // the question's thumbnails
// The faces' short names, U R F D L B, on the result net's stickers.
constexpr std::array<std::string_view, kPhotoSlotCount> kFaceShortNames = {"顶", "右", "前", "底", "左", "后"};
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

QColor MeasuredColour(const Rgb& c) {
    const auto channel = [](float v) { return static_cast<int>(std::clamp(v, 0.0f, 255.0f) + 0.5f); };
    return QColor(channel(c.r), channel(c.g), channel(c.b));
}

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

ResultNetView::ResultNetView(const PhotoInputState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setMinimumSize(12 * kMinSticker + 2 * kNetMargin, 9 * kMinSticker + 2 * kNetMargin);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ResultNetView::sizeHint() const { return {12 * kSticker + 2 * kNetMargin, 9 * kSticker + 2 * kNetMargin}; }

int ResultNetView::StickerSide() const {
    return std::clamp(std::min((width() - 2 * kNetMargin) / 12, (height() - 2 * kNetMargin) / 9), kMinSticker, kMaxSticker);
}

QRect ResultNetView::StickerRect(int i) const {
    const int side = StickerSide();
    // The net in the middle of the widget.
    const int left = std::max(kNetMargin, (width() - 12 * side) / 2);
    const int top = std::max(kNetMargin, (height() - 9 * side) / 2);
    const auto& at = kPhotoSlotGrid[static_cast<std::size_t>(i / 9)];
    return QRect(left + (3 * at[1] + i % 3) * side, top + (3 * at[0] + i % 9 / 3) * side, side, side);
}

QPoint ResultNetView::StickerCentre(int i) const { return StickerRect(i).center(); }

void ResultNetView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = StickerSide();
    QFont label = font();
    label.setPixelSize(std::max(10, side * 2 / 5));
    label.setBold(true);
    QFont mark = label;
    mark.setPixelSize(std::max(10, side * 2 / 5));
    const bool any = state_.HasColouring();
    for (int i = 0; i < 54; ++i) {
        const QRect r = StickerRect(i).adjusted(1, 1, -1, -1);
        const char letter = state_.Sticker(i);
        const QColor fill = any ? MeasuredColour(state_.Measured(i)) : palette().color(QPalette::Mid);
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(fill);
        p.drawRect(r);
        if (!any) continue;
        // The class: the face's short name in a colour that stands out from the fill, and
        // a corner swatch of the colour that class measures on average.
        const std::size_t face = kFaceletLetters.find(letter);
        if (face == std::string_view::npos) continue;
        if (i % 9 != 4) {
            const int sw = std::max(6, side / 4);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(MeasuredColour(state_.ClassColour(letter)));
            p.drawRect(QRect(r.left() + 2, r.bottom() - sw - 1, sw, sw));
        }
        p.setFont(label);
        p.setPen(fill.lightness() > 140 ? Qt::black : Qt::white);
        p.drawText(r, Qt::AlignCenter, DialogText(kFaceShortNames[face]));
        if (state_.Corrected(i)) {
            // Chosen by the user: a blue frame.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(0, 90, 230), 3));
            p.drawRect(r.adjusted(2, 2, -2, -2));
        }
        if (state_.InDoubt(i)) {
            // In doubt: a red frame and a red badge with a white question mark.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(210, 0, 0), 3));
            p.drawRect(r.adjusted(2, 2, -2, -2));
            const int d = std::max(12, side * 9 / 20);
            const QRect badge(r.right() - d, r.top() + 1, d, d);
            p.setPen(QPen(Qt::white, 1.5));
            p.setBrush(QColor(210, 0, 0));
            p.drawEllipse(badge);
            p.setFont(mark);
            p.drawText(badge, Qt::AlignCenter, QStringLiteral("?"));
        }
        if (i == state_.QuestionSticker()) {
            // The sticker the question asks about: a ring around it.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(255, 0, 200), 4));
            p.drawEllipse(QRectF(r).adjusted(-4, -4, 4, 4));
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
                                   ColouringCheck check, QWidget* parent)
    : QDialog(parent), colours_(colours), apply_(std::move(apply)), state_(std::move(check)),
      captures_(SlotColours(colours)) {
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
    // Why the camera cannot be used, where the user looks for the camera.
    cameraReason_ = new QLabel(this);
    cameraReason_->setObjectName(QStringLiteral("cameraReason"));
    cameraReason_->setStyleSheet(QStringLiteral("color: #8a5a00;"));
    auto* cameraRow = new QHBoxLayout;
    cameraRow->addWidget(cameras_, 1);
    cameraRow->addWidget(cameraButton_);
    cameraRow->addWidget(cameraReason_, 1);
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

    net_ = new ResultNetView(state_, this);
    net_->setObjectName(QStringLiteral("photoResultNet"));
    grid->addWidget(net_, 2, 2, 1, 2);
    connect(net_, &ResultNetView::stickerClicked, this, &PhotoInputDialog::ShowStickerMenu);

    // The question about two faces whose colours the read cannot tell apart: both
    // photos, and under each the answer that its centre has the ringed sticker's colour.
    question_ = new QGroupBox(DialogText("哪一面是哪种颜色？"), this);
    question_->setObjectName(QStringLiteral("photoQuestion"));
    auto* questionLayout = new QGridLayout(question_);
    questionText_ = new QLabel(question_);
    questionText_->setWordWrap(true);
    questionLayout->addWidget(questionText_, 0, 0, 1, 2);
    for (std::size_t side = 0; side < 2; ++side) {
        thumbs_[side] = new QLabel(question_);
        thumbs_[side]->setFixedSize(kThumbSide, kThumbSide);
        thumbs_[side]->setAlignment(Qt::AlignCenter);
        thumbNames_[side] = new QLabel(question_);
        thumbNames_[side]->setAlignment(Qt::AlignCenter);
        answers_[side] = new QPushButton(DialogText("和圈出的色块同色"), question_);
        answers_[side]->setCheckable(true);
        const int column = static_cast<int>(side);
        questionLayout->addWidget(thumbs_[side], 1, column, Qt::AlignCenter);
        questionLayout->addWidget(thumbNames_[side], 2, column);
        questionLayout->addWidget(answers_[side], 3, column);
        connect(answers_[side], &QPushButton::clicked, this, [this, side] {
            AnswerQuestion(side == 0 ? state_.QuestionFaceA() : state_.QuestionFaceB());
        });
    }
    question_->hide();
    grid->addWidget(question_, 2, 0, Qt::AlignTop);

    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setObjectName(QStringLiteral("photoMessage"));
    // Room for the longest line (what was found, the doubts and what is still wrong).
    message_->setMinimumHeight(3 * message_->fontMetrics().lineSpacing() + 4);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    clear_ = new QPushButton(DialogText("清除照片"), this);
    connect(clear_, &QPushButton::clicked, this, &PhotoInputDialog::ClearPhotos);
    ok_ = new QPushButton(DialogText("确定"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(DialogText("取消"), this);
    cancel->setObjectName(QStringLiteral("photoCancel"));
    connect(ok_, &QPushButton::clicked, this, &PhotoInputDialog::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear_);
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
        if (CameraRunning() && source_->SilenceIsFailure())
            CameraStopped(DialogText("摄像头没有送来画面，已经停下。可以继续用照片输入。"));
    });

    auto* main = new QVBoxLayout(this);
    main->addLayout(upper, 1);
    main->addWidget(message_);
    main->addLayout(buttons);
    resize(1040, 860);
    ShowCameraChoice();
    ShowState();
}

void PhotoInputDialog::SetCalls(std::function<int(std::string_view)> apply, ColouringCheck check) {
    apply_ = std::move(apply);
    state_.SetCheck(std::move(check));
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
    shown_[static_cast<std::size_t>(slot)] = image;
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
    if (state_.ChooseSticker(sticker, letter)) ShowState();
}

void PhotoInputDialog::ShowStickerMenu(int sticker, const QPoint& at) {
    // The six classes as the photos measure them, each with its face and colour name.
    QMenu menu(this);
    for (char letter : kFaceletLetters) {
        const Rgb colour = state_.ClassColour(letter);
        QPixmap swatch(20, 20);
        swatch.fill(MeasuredColour(colour));
        const std::size_t face = kFaceletLetters.find(letter);
        QAction* action = menu.addAction(QIcon(swatch), DialogText(kPhotoSlotNames[face]) + DialogText("的颜色（") +
                                                            DialogText(ColourName(colour)) + DialogText("）"));
        action->setCheckable(true);
        action->setChecked(state_.Sticker(sticker) == letter);
        connect(action, &QAction::triggered, this, [this, sticker, letter] { ChooseSticker(sticker, letter); });
    }
    menu.exec(at);
}

void PhotoInputDialog::SetResolver(ColourResolver resolver) {
    state_.SetResolver(std::move(resolver));
    ShowState();
}

void PhotoInputDialog::AnswerQuestion(int face) {
    state_.AnswerQuestion(face);
    ShowState();
}

void PhotoInputDialog::ClearPhotos() {
    StopCamera();
    cameraPanel_->hide();
    stopMessage_.clear();
    captures_.Clear();
    for (int f = 0; f < kPhotoSlotCount; ++f) {
        const std::size_t at = static_cast<std::size_t>(f);
        views_[at]->Clear();
        pictures_[at].release();
        shown_[at] = QImage();
        fromCamera_[at] = false;
        captureFrames_[at] = QImage();
    }
    state_.ClearAll();
    ShowState();
}

void PhotoInputDialog::ChoosePhoto(int slot) {
    const QString path = QFileDialog::getOpenFileName(
        this, DialogText("选择照片"), photoFolder_ ? *photoFolder_ : QString(), DialogText("图片 (*.jpg *.jpeg *.png *.bmp *.webp *.tif *.tiff);;所有文件 (*)"));
    if (path.isEmpty()) return;
    if (photoFolder_) *photoFolder_ = QFileInfo(path).absolutePath();
    LoadPhotoInto(slot, path);
}

void PhotoInputDialog::Confirm() {
    if (!state_.CanConfirm()) return;
    const int r = apply_(state_.Facelets());
    if (r == 1) {
        // The cube is in; the next opening starts afresh.
        accept();
        ClearPhotos();
    } else if (r == -1) {
        reject();
    }
}

void PhotoInputDialog::ShowState() {
    message_->setText(DialogText(state_.Message()));
    message_->setStyleSheet(state_.MessageIsError() ? QStringLiteral("color: #b00000;") : QString());
    ok_->setEnabled(state_.CanConfirm());
    bool loaded = captures_.Count() > 0;
    for (int f = 0; f < kPhotoSlotCount; ++f) loaded = loaded || state_.Slot(f).state != SlotState::Empty;
    clear_->setEnabled(loaded);
    ShowQuestion();
    net_->update();
}

void PhotoInputDialog::ShowQuestion() {
    const int a = state_.QuestionFaceA(), b = state_.QuestionFaceB(), s = state_.QuestionSticker();
    if (a < 0 || b < 0 || s < 0) {
        question_->hide();
        return;
    }
    const auto name = [](int face) { return DialogText(kPhotoSlotNames[static_cast<std::size_t>(face)]); };
    questionText_->setText(name(a) + DialogText("和") + name(b) +
                           DialogText("的中心颜色太接近，照片上分不清。请看手里的魔方：网上圈出的色块（") + name(s / 9) +
                           DialogText("第%1行第%2列）和哪一面的中心同色？").arg(s % 9 / 3 + 1).arg(s % 3 + 1));
    const std::array<int, 2> faces = {a, b};
    for (std::size_t side = 0; side < 2; ++side) {
        const int face = faces[side];
        const QImage& picture = shown_[static_cast<std::size_t>(face)];
        thumbs_[side]->setPixmap(picture.isNull() ? QPixmap()
                                                  : QPixmap::fromImage(picture.scaled(kThumbSide, kThumbSide, Qt::KeepAspectRatio,
                                                                                       Qt::SmoothTransformation)));
        thumbNames_[side]->setText(name(face));
        answers_[side]->setChecked(state_.Answer() == face);
    }
    question_->setStyleSheet(state_.Asking() ? QStringLiteral("QGroupBox { border: 2px solid #ff00c8; margin-top: 1.2em; }"
                                                              "QGroupBox::title { subcontrol-origin: margin; left: 6px; }")
                                             : QString());
    question_->show();
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
    cameraReason_->setText(any ? QString() : DialogText("没有找到摄像头，请用照片输入。"));
    cameraReason_->setVisible(!any);
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
    connect(source_.get(), &FrameSource::frameArrived, this, [this](const QImage& frame, const QImage& shown, qint64 ms) {
        watchdog_->start();
        live_->ShowFrame(shown);
        if (reader_->Offer(frame)) offeredMs_ = ms;
        if (source_) source_->SetShownSize(live_->PictureRoom());
    });
    connect(source_.get(), &FrameSource::failed, this, [this](const QString& message) { CameraStopped(message); });
    connect(source_.get(), &FrameSource::finished, this, [this] { CameraStopped(DialogText("视频已放完。")); });
    steady_.Reset();
    waiting_.clear();
    live_->Clear();
    cameraPanel_->show();
    // Room for the live picture beside the slots.
    resize(std::max(width(), 1280), height());
    // Whatever the source, the button now stops it.
    cameraButton_->setText(DialogText("改用照片"));
    cameraButton_->setEnabled(true);
    cameraReason_->hide();
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
    if (stopMessage_.isEmpty() && !waiting_.isEmpty()) cameraLine_->setText(waiting_ + QLatin1Char(' ') + DialogText(captures_.Progress()));
    else if (stopMessage_.isEmpty()) cameraLine_->setText(DialogText(captures_.Progress()));
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
    // A face is captured once its grid and its nine colours have held still; what is
    // captured is the medians over the steady frames.
    const SteadyFace::State state = steady_.Frame(offeredMs_, reading.found, corners, reading.samples);
    const QString waiting = DialogText(SteadyFaceLine(state));
    if (waiting != waiting_) {
        waiting_ = waiting;
        ShowCameraLine();
    }
    if (state != SteadyFace::State::Steady || placer_->Busy()) return;
    photos::FaceReading steady = reading;
    steady.samples = steady_.Samples();
    if (captures_.SameCentreAs(steady.samples) < 0) TakeCapture(frame, steady);
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
                     steady_.Reset();
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
        shown_[static_cast<std::size_t>(f)] = QImage();
        state_.ClearSlot(f);
    }
    for (int i = 0; i < captures_.Count(); ++i) {
        const std::size_t slot = static_cast<std::size_t>(captures_.SlotOfCapture()[static_cast<std::size_t>(i)]);
        views_[slot]->ShowPicture(captureFrames_[static_cast<std::size_t>(i)], 1,
                                  captureReadings_[static_cast<std::size_t>(i)]);
        shown_[slot] = captureFrames_[static_cast<std::size_t>(i)];
        fromCamera_[slot] = true;
        state_.PhotoRead(static_cast<int>(slot), kCameraName, captures_.Face(i));
    }
    ShowState();
}

}  // namespace velmora
