#pragma once
// Where the photo dialog's live pictures come from: one small interface with two
// implementations, a camera and a video file, both delivering through a QVideoSink.
// Each frame arrives as an image; a failure arrives once as a message for the user,
// after which the source has stopped.
#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QCamera;
class QMediaCaptureSession;
class QMediaPlayer;
class QVideoFrame;
class QVideoSink;

namespace velmora {

class FrameSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~FrameSource() override = default;

    virtual void Start() = 0;
    // Stops at once (a camera's light goes off); no frame arrives afterwards.
    virtual void Stop() = 0;
    virtual bool Running() const = 0;

signals:
    void frameArrived(const QImage& frame);
    void failed(const QString& message);
    // A video file reached its end.
    void finished();

protected:
    // The sink's frame as an image, passed on while running. Called in the thread that
    // delivers the frames; the conversion happens there, and a frame that arrives
    // while the previous one still waits for the window is dropped, so the picture
    // never lags behind.
    void Deliver(const QVideoFrame& frame);
    std::atomic<bool> running_{false};

private:
    std::atomic<bool> waiting_{false};
};

// The camera with the given device id (QCameraDevice::id()).
class CameraSource : public FrameSource {
    Q_OBJECT
public:
    explicit CameraSource(const QByteArray& deviceId, QObject* parent = nullptr);
    ~CameraSource() override;
    void Start() override;
    void Stop() override;
    bool Running() const override { return running_; }

private:
    void Fail(const QString& message);

    QByteArray deviceId_;
    std::unique_ptr<QCamera> camera_;
    std::unique_ptr<QMediaCaptureSession> session_;
    QVideoSink* sink_;
};

// A video file played at its own pace into a QVideoSink, as a camera would deliver.
class VideoFileSource : public FrameSource {
    Q_OBJECT
public:
    explicit VideoFileSource(const QString& path, QObject* parent = nullptr);
    ~VideoFileSource() override;
    void Start() override;
    void Stop() override;
    bool Running() const override { return running_; }

private:
    void Fail(const QString& message);

    QString path_;
    std::unique_ptr<QMediaPlayer> player_;
    QVideoSink* sink_;
};

}  // namespace velmora
