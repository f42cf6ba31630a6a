#include "ui/dialogs/frame_source.h"

#include <QCamera>
#include <QCameraDevice>
#include <QFileInfo>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

namespace velmora {

void FrameSource::Deliver(const QVideoFrame& frame) {
    if (!running_ || !frame.isValid() || waiting_.exchange(true)) return;
    const QImage image = frame.toImage();
    QMetaObject::invokeMethod(
        this,
        [this, image] {
            waiting_ = false;
            if (running_ && !image.isNull()) emit frameArrived(image);
        },
        Qt::QueuedConnection);
}

// ---- camera ----

CameraSource::CameraSource(const QByteArray& deviceId, QObject* parent)
    : FrameSource(parent), deviceId_(deviceId), sink_(new QVideoSink(this)) {
    connect(sink_, &QVideoSink::videoFrameChanged, this, &CameraSource::Deliver, Qt::DirectConnection);
    // A camera unplugged while in use.
    connect(new QMediaDevices(this), &QMediaDevices::videoInputsChanged, this, [this] {
        if (!running_) return;
        for (const QCameraDevice& d : QMediaDevices::videoInputs())
            if (d.id() == deviceId_) return;
        Fail(QString::fromUtf8("摄像头已断开。可以重新接上后再按“使用摄像头”，或者继续用照片输入。"));
    });
}

CameraSource::~CameraSource() { Stop(); }

void CameraSource::Start() {
    QCameraDevice device;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        if (d.id() == deviceId_) device = d;
    if (device.isNull()) {
        Fail(QString::fromUtf8("没有找到这个摄像头。可以继续用照片输入。"));
        return;
    }
    camera_ = std::make_unique<QCamera>(device);
    session_ = std::make_unique<QMediaCaptureSession>();
    session_->setCamera(camera_.get());
    session_->setVideoSink(sink_);
    connect(camera_.get(), &QCamera::errorOccurred, this, [this](QCamera::Error, const QString& text) {
        Fail(QString::fromUtf8("摄像头无法使用（也许正被别的程序占用）：") + text);
    });
    running_ = true;
    camera_->start();
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

void CameraSource::Fail(const QString& message) {
    const bool was = running_;
    Stop();
    if (was) emit failed(message);
}

// ---- video file ----

VideoFileSource::VideoFileSource(const QString& path, QObject* parent)
    : FrameSource(parent), path_(path), sink_(new QVideoSink(this)) {
    connect(sink_, &QVideoSink::videoFrameChanged, this, &VideoFileSource::Deliver, Qt::DirectConnection);
}

VideoFileSource::~VideoFileSource() { Stop(); }

void VideoFileSource::Start() {
    const QString name = QFileInfo(path_).fileName();
    if (!QFileInfo(path_).isFile()) {
        running_ = true;
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
    running_ = true;
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

void VideoFileSource::Fail(const QString& message) {
    const bool was = running_;
    Stop();
    if (was) emit failed(message);
}

}  // namespace velmora
