#include "ui/dialogs/live_face_view.h"

#include <QMetaObject>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <opencv2/core.hpp>

#include "ui/dialogs/photo_slot_view.h"

namespace velmora {

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
        lastMs_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        QMetaObject::invokeMethod(this, [this, bgr, reading] {
            busy_ = false;
            emit faceRead(bgr, reading);
        });
    });
    return true;
}

LiveView::LiveView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void LiveView::ShowFrame(const QImage& frame) {
    frame_ = frame;
    ++shown_;
    ++windowFrames_;
    if (!window_.isValid()) window_.start();
    if (window_.elapsed() >= 1000) {
        fps_ = windowFrames_ * 1000.0 / static_cast<double>(window_.restart());
        windowFrames_ = 0;
    }
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
    update();
}

void LiveView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    constexpr int kColumn = 3 * 22 + 16;  // room for the nine colours on the right
    const QRectF room(0, 0, width() - kColumn, height());
    if (frame_.isNull()) return;
    QSizeF size = frame_.size();
    size.scale(room.size(), Qt::KeepAspectRatio);
    const QRectF r(room.center() - QPointF(size.width() / 2, size.height() / 2), size);
    // Mirrored like a mirror.
    p.save();
    p.translate(r.left() + r.right(), 0);
    p.scale(-1, 1);
    p.drawImage(r, frame_);
    p.restore();
    if (!reading_.found || readingSize_.isEmpty()) return;
    // The grid in the mirrored picture.
    const double k = r.width() / readingSize_.width();
    std::array<QPointF, 4> corners;
    for (std::size_t i = 0; i < 4; ++i)
        corners[i] = r.topLeft() + QPointF((readingSize_.width() - reading_.quad[i][0]) * k, reading_.quad[i][1] * k);
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
