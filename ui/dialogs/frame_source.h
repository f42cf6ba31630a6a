#pragma once
// Where the photo dialog's live pictures come from: one small interface with two
// implementations, a camera and a video file, both delivering through a QVideoSink.
// Each frame arrives as two images made in a converting thread of the source's own:
// the whole picture for the face finder and the picture the live view shows. A
// failure arrives once as a message for the user, after which the source has stopped.
#include <QByteArray>
#include <QElapsedTimer>
#include <QCameraDevice>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>

class QCamera;
class QMediaCaptureSession;
class QMediaPlayer;
class QVideoFrame;
class QVideoSink;

namespace velmora {

// The frame as an 8-bit BGR picture (QImage::Format_BGR888), null when it cannot be
// read. The YUV layouts cameras and decoders deliver are converted directly (BT.601,
// in the frame's own range: full for decoded JPEG, video range otherwise), and so are
// the four-byte RGB layouts; others go through QVideoFrame::toImage.
QImage FrameToBgr(const QVideoFrame& frame);

// The BGR picture mirrored left to right (like a mirror) and scaled to the largest
// size that fits box with its own shape, in the format painted fastest. An empty box
// keeps the picture's size.
QImage MirroredToFit(const QImage& bgr, const QSize& box);

class FrameSource : public QObject {
    Q_OBJECT
public:
    explicit FrameSource(QObject* parent = nullptr);
    ~FrameSource() override;

    virtual void Start() = 0;
    // Stops at once (a camera's light goes off); no frame arrives afterwards.
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    // The room the live view has for the picture; the shown picture is made to fit it.
    void SetShownSize(const QSize& box);
    // Whether a source that sends no frame for a while has failed (a camera, a video
    // playing); a source whose frames are handed in one by one says no.
    virtual bool SilenceIsFailure() const { return true; }

signals:
    // frame: the whole picture (BGR); shown: mirrored and scaled to the shown size;
    // ms: the frame's time in the stream (a video's own time, where the frame carries
    // one; otherwise milliseconds since the source was made), which decides how long
    // a face has been held still.
    void frameArrived(const QImage& frame, const QImage& shown, qint64 ms);
    void failed(const QString& message);
    // A video file reached its end.
    void finished();

protected:
    // Hands the sink's frame to the converting thread while running. A frame that
    // arrives while the previous one is still being converted or still waits for the
    // window is dropped, so the picture never lags behind and the thread that delivers
    // (often the window's own) only passes a reference on.
    void Deliver(const QVideoFrame& frame);
    // Stops and reports message once (nothing when already stopped).
    void Fail(const QString& message);
    // Frames delivered since the source was made.
    int FramesDelivered() const { return delivered_; }

    std::atomic<bool> running_{false};

private:
    QThread converter_;
    QObject* inConverter_;
    std::atomic<bool> waiting_{false};
    std::atomic<int> delivered_{0};
    std::atomic<int> shownWidth_{0}, shownHeight_{0};
    QElapsedTimer clock_;
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

protected:
    // The camera reported an error: it refused to open when no frame came yet (in use
    // by another program), otherwise it stopped working while in use.
    void CameraError(const QString& detail);
    // The list of cameras changed: a failure when this camera is no longer in it.
    void InputsChanged(const QList<QCameraDevice>& inputs);

private:
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
    QString path_;
    std::unique_ptr<QMediaPlayer> player_;
    QVideoSink* sink_;
};

}  // namespace velmora
