#pragma once
// The live side of the photo dialog: the face finder working on frames in a thread of
// its own (LiveFaceReader), and the mirrored live picture with the grid found and the
// nine colours read beside it (LiveView).
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <functional>

#include "photos/face_reader.h"

namespace velmora {

// Runs FindFace on one frame at a time in its own thread. A frame handed in while the
// previous one is still being read is dropped, so the reading never lags behind.
class LiveFaceReader : public QObject {
    Q_OBJECT
public:
    explicit LiveFaceReader(QObject* parent = nullptr);
    ~LiveFaceReader() override;

    // Hands frame to the thread; false (the frame dropped) while it is busy.
    bool Offer(const QImage& frame);
    bool Busy() const { return busy_; }
    // Milliseconds the finder took on the last frame.
    double LastMs() const { return lastMs_; }

signals:
    // In the caller's thread: what the finder saw on the frame offered.
    void faceRead(const QImage& frame, const photos::FaceReading& reading);

private:
    QThread thread_;
    QObject* inThread_;
    std::atomic<bool> busy_{false};
    std::atomic<double> lastMs_{0};
};

class LiveView : public QWidget {
    Q_OBJECT
public:
    explicit LiveView(QWidget* parent = nullptr);

    // The newest frame, shown mirrored like a mirror.
    void ShowFrame(const QImage& frame);
    // The newest reading, for a frame of frameSize pixels.
    void ShowReading(const photos::FaceReading& reading, const QSize& frameSize);
    void Clear();
    // Frames shown per second over the last second or so.
    double Fps() const { return fps_; }
    int FramesShown() const { return shown_; }

    QSize sizeHint() const override { return {520, 300}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage frame_;
    photos::FaceReading reading_{};
    QSize readingSize_;
    int shown_ = 0;
    int windowFrames_ = 0;
    double fps_ = 0;
    QElapsedTimer window_;
};

}  // namespace velmora
