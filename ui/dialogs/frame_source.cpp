#include "ui/dialogs/frame_source.h"

#include <QCamera>
#include <QCameraDevice>
#include <QFileInfo>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSysInfo>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <array>
#include <opencv2/imgproc.hpp>
#include <vector>

namespace velmora {
namespace {

// Full-range (JPEG) luma and chroma mapped into video range, where OpenCV's BT.601
// conversions take them from.
const cv::Mat& FullToVideoRange(bool chroma) {
    static const std::array<cv::Mat, 2> tables = [] {
        std::array<cv::Mat, 2> t{cv::Mat(1, 256, CV_8U), cv::Mat(1, 256, CV_8U)};
        for (int v = 0; v < 256; ++v) {
            t[0].at<uchar>(v) = cv::saturate_cast<uchar>(16 + v * 219.0 / 255);
            t[1].at<uchar>(v) = cv::saturate_cast<uchar>(128 + (v - 128) * 224.0 / 255);
        }
        return t;
    }();
    return tables[chroma ? 1 : 0];
}

// from copied into to (same size), mapped into video range when full.
void CopyPlane(const cv::Mat& from, cv::Mat to, bool full, bool chroma) {
    if (full) cv::LUT(from, FullToVideoRange(chroma), to);
    else from.copyTo(to);
}

// Converts the mapped frame into out; false for a layout not handled here.
bool ConvertMapped(const QVideoFrame& f, cv::Mat& out) {
    const int w = f.width(), h = f.height();
    const bool full = f.surfaceFormat().colorRange() == QVideoFrameFormat::ColorRange_Full;
    auto plane = [&](int i, int rows, int cols, int type) {
        return cv::Mat(rows, cols, type, const_cast<uchar*>(f.bits(i)), static_cast<std::size_t>(f.bytesPerLine(i)));
    };
    // One buffer per converting thread, kept from frame to frame.
    thread_local cv::Mat scratch;
    switch (f.pixelFormat()) {
    case QVideoFrameFormat::Format_YUV420P:
    case QVideoFrameFormat::Format_YV12: {
        if (w % 2 || h % 2) return false;
        // OpenCV wants the three planes one after the other without gaps.
        scratch.create(h * 3 / 2, w, CV_8UC1);
        uchar* at = scratch.data;
        CopyPlane(plane(0, h, w, CV_8UC1), cv::Mat(h, w, CV_8UC1, at), full, false);
        at += w * h;
        for (int i = 1; i <= 2; ++i, at += w * h / 4)
            CopyPlane(plane(i, h / 2, w / 2, CV_8UC1), cv::Mat(h / 2, w / 2, CV_8UC1, at), full, true);
        cv::cvtColor(scratch, out,
                     f.pixelFormat() == QVideoFrameFormat::Format_YV12 ? cv::COLOR_YUV2BGR_YV12 : cv::COLOR_YUV2BGR_I420);
        return true;
    }
    case QVideoFrameFormat::Format_NV12:
    case QVideoFrameFormat::Format_NV21: {
        if (w % 2 || h % 2) return false;
        cv::Mat y = plane(0, h, w, CV_8UC1), uv = plane(1, h / 2, w / 2, CV_8UC2);
        if (full) {
            scratch.create(h * 3 / 2, w, CV_8UC1);
            cv::Mat ys(h, w, CV_8UC1, scratch.data), uvs(h / 2, w / 2, CV_8UC2, scratch.data + w * h);
            CopyPlane(y, ys, true, false);
            cv::LUT(uv.reshape(1), FullToVideoRange(true), uvs.reshape(1));
            y = ys;
            uv = uvs;
        }
        cv::cvtColorTwoPlane(y, uv, out,
                             f.pixelFormat() == QVideoFrameFormat::Format_NV21 ? cv::COLOR_YUV2BGR_NV21 : cv::COLOR_YUV2BGR_NV12);
        return true;
    }
    case QVideoFrameFormat::Format_YUYV:
    case QVideoFrameFormat::Format_UYVY: {
        if (w % 2) return false;
        const bool yFirst = f.pixelFormat() == QVideoFrameFormat::Format_YUYV;
        cv::Mat packed = plane(0, h, w, CV_8UC2);
        if (full) {
            // Luma and chroma bytes alternate; each channel has its own table.
            cv::Mat table;
            const cv::Mat& luma = FullToVideoRange(false);
            const cv::Mat& colour = FullToVideoRange(true);
            cv::merge(yFirst ? std::vector<cv::Mat>{luma, colour} : std::vector<cv::Mat>{colour, luma}, table);
            scratch.create(h, w, CV_8UC2);
            cv::LUT(packed, table, scratch);
            packed = scratch;
        }
        cv::cvtColor(packed, out, yFirst ? cv::COLOR_YUV2BGR_YUYV : cv::COLOR_YUV2BGR_UYVY);
        return true;
    }
    // Four bytes a pixel, named in byte order; the fourth (alpha or padding) is left out.
    case QVideoFrameFormat::Format_BGRA8888:
    case QVideoFrameFormat::Format_BGRA8888_Premultiplied:
    case QVideoFrameFormat::Format_BGRX8888:
        cv::cvtColor(plane(0, h, w, CV_8UC4), out, cv::COLOR_BGRA2BGR);
        return true;
    case QVideoFrameFormat::Format_RGBA8888:
    case QVideoFrameFormat::Format_RGBX8888:
        cv::cvtColor(plane(0, h, w, CV_8UC4), out, cv::COLOR_RGBA2BGR);
        return true;
    case QVideoFrameFormat::Format_ARGB8888:
    case QVideoFrameFormat::Format_ARGB8888_Premultiplied:
    case QVideoFrameFormat::Format_XRGB8888: {
        const int fromTo[] = {3, 0, 2, 1, 1, 2};  // B G R from bytes 3 2 1
        cv::mixChannels(std::vector<cv::Mat>{plane(0, h, w, CV_8UC4)}, std::vector<cv::Mat>{out}, fromTo, 3);
        return true;
    }
    case QVideoFrameFormat::Format_ABGR8888:
    case QVideoFrameFormat::Format_XBGR8888: {
        const int fromTo[] = {1, 0, 2, 1, 3, 2};  // B G R from bytes 1 2 3
        cv::mixChannels(std::vector<cv::Mat>{plane(0, h, w, CV_8UC4)}, std::vector<cv::Mat>{out}, fromTo, 3);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

QImage FrameToBgr(const QVideoFrame& frame) {
    QVideoFrame f(frame);
    if (!f.isValid() || f.width() <= 0 || f.height() <= 0 || !f.map(QVideoFrame::ReadOnly)) return {};
    QImage image(f.width(), f.height(), QImage::Format_BGR888);
    // The conversion writes straight into the image's pixels.
    cv::Mat out(image.height(), image.width(), CV_8UC3, image.bits(), static_cast<std::size_t>(image.bytesPerLine()));
    const bool done = ConvertMapped(f, out);
    f.unmap();
    if (done) return image;
    const QImage any = frame.toImage();
    return any.isNull() ? QImage() : any.convertToFormat(QImage::Format_BGR888);
}

QImage MirroredToFit(const QImage& bgr, const QSize& box) {
    if (bgr.isNull() || bgr.format() != QImage::Format_BGR888) return {};
    QSize size = bgr.size();
    if (!box.isEmpty()) size.scale(box, Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    const cv::Mat in(bgr.height(), bgr.width(), CV_8UC3, const_cast<uchar*>(bgr.constBits()),
                     static_cast<std::size_t>(bgr.bytesPerLine()));
    cv::Mat scaled, mirrored;
    if (size == bgr.size()) scaled = in;
    else cv::resize(in, scaled, cv::Size(size.width(), size.height()), 0, 0, cv::INTER_AREA);
    cv::flip(scaled, mirrored, 1);
    // QImage::Format_RGB32 is the painter's own format; its bytes are B G R X on a
    // little-endian machine. Elsewhere the byte-ordered RGBX format is used.
    const bool little = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    QImage shown(size, little ? QImage::Format_RGB32 : QImage::Format_RGBX8888);
    cv::Mat out(shown.height(), shown.width(), CV_8UC4, shown.bits(), static_cast<std::size_t>(shown.bytesPerLine()));
    cv::cvtColor(mirrored, out, little ? cv::COLOR_BGR2BGRA : cv::COLOR_BGR2RGBA);
    return shown;
}

// ---- any source ----

FrameSource::FrameSource(QObject* parent) : QObject(parent), inConverter_(new QObject) {
    inConverter_->moveToThread(&converter_);
    connect(&converter_, &QThread::finished, inConverter_, &QObject::deleteLater);
    converter_.start();
    clock_.start();
}

FrameSource::~FrameSource() {
    running_ = false;
    converter_.quit();
    converter_.wait();
}

void FrameSource::SetShownSize(const QSize& box) {
    shownWidth_ = box.width();
    shownHeight_ = box.height();
}

void FrameSource::Deliver(const QVideoFrame& frame) {
    if (!running_ || !frame.isValid() || waiting_.exchange(true)) return;
    ++delivered_;
    const qint64 ms = frame.startTime() >= 0 ? frame.startTime() / 1000 : clock_.elapsed();
    QMetaObject::invokeMethod(inConverter_, [this, frame, ms] {
        const QImage bgr = running_ ? FrameToBgr(frame) : QImage();
        const QImage shown = MirroredToFit(bgr, QSize(shownWidth_, shownHeight_));
        QMetaObject::invokeMethod(
            this,
            [this, bgr, shown, ms] {
                waiting_ = false;
                if (running_ && !bgr.isNull()) emit frameArrived(bgr, shown, ms);
            },
            Qt::QueuedConnection);
    });
}

void FrameSource::Fail(const QString& message) {
    const bool was = running_;
    Stop();
    if (was) emit failed(message);
}

// ---- camera ----

CameraSource::CameraSource(const QByteArray& deviceId, QObject* parent)
    : FrameSource(parent), deviceId_(deviceId), sink_(new QVideoSink(this)) {
    connect(sink_, &QVideoSink::videoFrameChanged, this, &CameraSource::Deliver, Qt::DirectConnection);
    auto* devices = new QMediaDevices(this);
    connect(devices, &QMediaDevices::videoInputsChanged, this, [this] { InputsChanged(QMediaDevices::videoInputs()); });
}

CameraSource::~CameraSource() { Stop(); }

void CameraSource::Start() {
    QCameraDevice device;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        if (d.id() == deviceId_) device = d;
    running_ = true;
    if (device.isNull()) {
        Fail(QString::fromUtf8("没有找到这个摄像头。可以继续用照片输入。"));
        return;
    }
    camera_ = std::make_unique<QCamera>(device);
    session_ = std::make_unique<QMediaCaptureSession>();
    session_->setCamera(camera_.get());
    session_->setVideoSink(sink_);
    connect(camera_.get(), &QCamera::errorOccurred, this,
            [this](QCamera::Error error, const QString& text) {
                if (error != QCamera::NoError) CameraError(text);
            });
    camera_->start();
}

void CameraSource::CameraError(const QString& detail) {
    // The system's own words are in English; they go to the log, the user reads ours.
    qWarning("camera %s: %s", deviceId_.constData(), qPrintable(detail));
    Fail(FramesDelivered() == 0
             ? QString::fromUtf8("摄像头打不开，也许正被别的程序占用。关掉那个程序后可以再按“使用摄像头”，或者继续用照片输入。")
             : QString::fromUtf8("摄像头出了故障，已经停下。可以重新接好后再按“使用摄像头”，或者继续用照片输入。"));
}

void CameraSource::InputsChanged(const QList<QCameraDevice>& inputs) {
    if (!running_) return;
    for (const QCameraDevice& d : inputs)
        if (d.id() == deviceId_) return;
    Fail(QString::fromUtf8("摄像头已断开。可以重新接上后再按“使用摄像头”，或者继续用照片输入。"));
}

void CameraSource::Stop() {
    running_ = false;
    if (camera_) camera_->stop();
    if (session_) {
        session_->setVideoSink(nullptr);
        session_->setCamera(nullptr);
        session_.release()->deleteLater();
    }
    // Deleted later: Stop may run inside one of the camera's own signals.
    if (camera_) camera_.release()->deleteLater();
}

// ---- video file ----

VideoFileSource::VideoFileSource(const QString& path, QObject* parent)
    : FrameSource(parent), path_(path), sink_(new QVideoSink(this)) {
    connect(sink_, &QVideoSink::videoFrameChanged, this, &VideoFileSource::Deliver, Qt::DirectConnection);
}

VideoFileSource::~VideoFileSource() { Stop(); }

void VideoFileSource::Start() {
    const QString name = QFileInfo(path_).fileName();
    running_ = true;
    if (!QFileInfo(path_).isFile()) {
        Fail(QString::fromUtf8("找不到视频文件 %1。").arg(name));
        return;
    }
    player_ = std::make_unique<QMediaPlayer>();
    player_->setVideoSink(sink_);
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this, name](QMediaPlayer::Error, const QString& text) {
        Fail(QString::fromUtf8("无法播放视频文件 %1：%2").arg(name, text));
    });
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this, name](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::InvalidMedia) {
            Fail(QString::fromUtf8("%1 不是能播放的视频文件。").arg(name));
        } else if (s == QMediaPlayer::EndOfMedia && running_) {
            Stop();
            emit finished();
        } else if (s == QMediaPlayer::LoadedMedia && running_ && !player_->hasVideo()) {
            Fail(QString::fromUtf8("%1 里没有视频画面。").arg(name));
        }
    });
    player_->setSource(QUrl::fromLocalFile(QFileInfo(path_).absoluteFilePath()));
    player_->play();
}

void VideoFileSource::Stop() {
    running_ = false;
    if (player_) {
        player_->stop();
        player_->setVideoSink(nullptr);
        // Deleted later: Stop may run inside one of the player's own signals.
        player_.release()->deleteLater();
    }
}

}  // namespace velmora
