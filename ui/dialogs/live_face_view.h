#pragma once
// The live side of the photo dialog: the face finder working on frames in a thread of
// its own (LiveFaceReader), longer work kept off the window's thread (BackgroundJob),
// and the mirrored live picture with the grid found and the nine colours read beside
// it (LiveView).
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QThread>
#include <QWidget>
#include <array>
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
    // Milliseconds the finder took on the last frame, and the median of the last 64.
    double LastMs() const { return lastMs_; }
    double MedianMs() const;
    int FramesRead() const { return read_; }

signals:
    // In the caller's thread: what the finder saw on the frame offered.
    void faceRead(const QImage& frame, const photos::FaceReading& reading);

private:
    QThread thread_;
    QObject* inThread_;
    std::atomic<bool> busy_{false};
    std::atomic<double> lastMs_{0};
    // Kept in the caller's thread.
    int read_ = 0;
    std::array<double, 64> recentMs_{};
};

// Runs one job at a time in a thread of its own and then its completion in the
// caller's thread, so that the window keeps showing frames meanwhile. A completion
// still pending when the object goes is dropped.
class BackgroundJob : public QObject {
    Q_OBJECT
public:
    explicit BackgroundJob(QObject* parent = nullptr);
    ~BackgroundJob() override;
    // False (nothing run) while the previous job has not completed.
    bool Run(std::function<void()> job, std::function<void()> done);
    bool Busy() const { return busy_; }

private:
    QThread thread_;
    QObject* inThread_;
    bool busy_ = false;
};

class LiveView : public QWidget {
    Q_OBJECT
public:
    explicit LiveView(QWidget* parent = nullptr);

    // The newest frame, already mirrored and made to fit PictureRoom().
    void ShowFrame(const QImage& shown);
    // The newest reading, for a frame of frameSize pixels.
    void ShowReading(const photos::FaceReading& reading, const QSize& frameSize);
    void Clear();
    // The room for the picture (the nine colours take a column on the right).
    QSize PictureRoom() const;
    // Frames painted per second over the last second or so, and frames painted in all
    // (a frame replaced before the window painted it does not count).
    double Fps() const { return fps_; }
    int FramesShown() const { return shown_; }
    bool GridShown() const { return !frame_.isNull() && reading_.found; }

    QSize sizeHint() const override { return {520, 300}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage frame_;
    photos::FaceReading reading_{};
    QSize readingSize_;
    bool unpainted_ = false;
    int shown_ = 0;
    int windowFrames_ = 0;
    double fps_ = 0;
    QElapsedTimer window_;
};

}  // namespace velmora
