#include "ui/dialogs/live_face_view.h"

#include <QMetaObject>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <opencv2/core.hpp>

#include "ui/dialogs/photo_slot_view.h"

namespace velmora {
namespace {
constexpr int kColumn = 3 * 22 + 16;  // room for the nine colours on the right of the picture
}  // namespace

LiveFaceReader::LiveFaceReader(QObject* parent) : QObject(parent), inThread_(new QObject) {
    inThread_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, inThread_, &QObject::deleteLater);
    thread_.start();
}

LiveFaceReader::~LiveFaceReader() {
    thread_.quit();
    thread_.wait();
}

bool LiveFaceReader::Offer(const QImage& frame) {
    bool idle = false;
    if (!busy_.compare_exchange_strong(idle, true)) return false;
    QMetaObject::invokeMethod(inThread_, [this, frame] {
        const auto start = std::chrono::steady_clock::now();
        const QImage bgr = frame.convertToFormat(QImage::Format_BGR888);
        const cv::Mat mat(bgr.height(), bgr.width(), CV_8UC3, const_cast<uchar*>(bgr.constBits()),
                          static_cast<std::size_t>(bgr.bytesPerLine()));
        const photos::FaceReading reading = photos::FindFace(mat);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        lastMs_ = ms;
        QMetaObject::invokeMethod(this, [this, bgr, reading, ms] {
            recentMs_[static_cast<std::size_t>(read_++) % recentMs_.size()] = ms;
            busy_ = false;
            emit faceRead(bgr, reading);
        });
    });
    return true;
}

double LiveFaceReader::MedianMs() const {
    const std::size_t n = std::min(recentMs_.size(), static_cast<std::size_t>(read_));
    if (n == 0) return 0;
    std::array<double, 64> sorted = recentMs_;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(n / 2), sorted.begin() + static_cast<std::ptrdiff_t>(n));
    return sorted[n / 2];
}

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent), inThread_(new QObject) {
    inThread_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, inThread_, &QObject::deleteLater);
    thread_.start();
}

BackgroundJob::~BackgroundJob() {
    thread_.quit();
    thread_.wait();
}

bool BackgroundJob::Run(std::function<void()> job, std::function<void()> done) {
    if (busy_) return false;
    busy_ = true;
    QMetaObject::invokeMethod(inThread_, [this, job = std::move(job), done = std::move(done)] {
        job();
        QMetaObject::invokeMethod(this, [this, done] {
            busy_ = false;
            done();
        });
    });
    return true;
}

LiveView::LiveView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void LiveView::ShowFrame(const QImage& shown) {
    frame_ = shown;
    unpainted_ = true;
    update();
}

void LiveView::ShowReading(const photos::FaceReading& reading, const QSize& frameSize) {
    reading_ = reading;
    readingSize_ = frameSize;
    update();
}

void LiveView::Clear() {
    frame_ = QImage();
    reading_ = {};
    unpainted_ = false;
    update();
}

QSize LiveView::PictureRoom() const { return {std::max(1, width() - kColumn), std::max(1, height())}; }

void LiveView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (frame_.isNull()) return;
    if (unpainted_) {
        unpainted_ = false;
        ++shown_;
        ++windowFrames_;
        if (!window_.isValid()) window_.start();
        if (window_.elapsed() >= 1000) {
            fps_ = windowFrames_ * 1000.0 / static_cast<double>(window_.restart());
            windowFrames_ = 0;
        }
    }
    const QSize room = PictureRoom();
    QSize size = frame_.size();
    size.scale(room, Qt::KeepAspectRatio);
    const QRect r(QPoint((room.width() - size.width()) / 2, (room.height() - size.height()) / 2), size);
    // The frame comes mirrored and made to fit; it is scaled here only while the view
    // changes size.
    if (size == frame_.size()) p.drawImage(r.topLeft(), frame_);
    else p.drawImage(r, frame_);
    if (!reading_.found || readingSize_.isEmpty()) return;
    // The grid in the mirrored picture.
    const double k = static_cast<double>(r.width()) / readingSize_.width();
    std::array<QPointF, 4> corners;
    for (std::size_t i = 0; i < 4; ++i)
        corners[i] = QPointF(r.topLeft()) + QPointF((readingSize_.width() - reading_.quad[i][0]) * k, reading_.quad[i][1] * k);
    DrawFaceGrid(p, corners, QColor(0, 230, 120));
    // The nine colours as the face is seen from outside (the camera's own view).
    p.setPen(QPen(Qt::white, 1));
    for (int i = 0; i < 9; ++i) {
        const Rgb& c = reading_.samples[static_cast<std::size_t>(i)];
        p.setBrush(QColor(std::clamp(static_cast<int>(std::lround(c.r)), 0, 255),
                          std::clamp(static_cast<int>(std::lround(c.g)), 0, 255),
                          std::clamp(static_cast<int>(std::lround(c.b)), 0, 255)));
        p.drawRect(width() - kColumn + 8 + (i % 3) * 22, 8 + (i / 3) * 22, 20, 20);
    }
}

}  // namespace velmora
