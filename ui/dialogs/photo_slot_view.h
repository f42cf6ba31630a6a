#pragma once
// One slot of the photo input dialog: the picture as loaded (scaled to fit), the 3 x 3
// grid found on it and the nine colours read, or four corner handles the user drags
// over the face when none was found. Accepts a dropped image file.
#include <QImage>
#include <QWidget>
#include <array>

#include "photos/face_reader.h"

namespace velmora {

class PhotoSlotView : public QWidget {
    Q_OBJECT
public:
    explicit PhotoSlotView(QWidget* parent = nullptr);

    // A picture with the face found on it (reading.found) or not; scale is the size of
    // the shown picture per pixel of the picture the reading refers to.
    void ShowPicture(const QImage& picture, double scale, const photos::FaceReading& reading);
    // Four handles placed over the picture, waiting for the user (no grid found).
    void AskForCorners(const photos::Quad& start);
    void ShowReading(const photos::FaceReading& reading);
    void Clear();
    // A short highlight of the frame (a face just captured).
    void Flash();

    bool Manual() const { return manual_; }
    const photos::Quad& Corners() const { return quad_; }

    QSize sizeHint() const override { return {180, 170}; }

signals:
    void fileDropped(const QString& path);
    // The user let go of a corner handle: the face lies inside these corners.
    void cornersPlaced(const photos::Quad& quad);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // The picture's rectangle in the widget and the mapping of picture pixels into it.
    QRectF PictureRect() const;
    QFont NoteFont() const;
    QPointF ToWidget(const photos::Point& p) const;
    photos::Point ToPicture(const QPointF& p) const;

    QImage picture_;
    double scale_ = 1;
    photos::FaceReading reading_{};
    photos::Quad quad_{};
    bool hasReading_ = false;
    bool manual_ = false;
    int dragged_ = -1;
    bool flashing_ = false;
};

// Draws a 3 x 3 grid over the quadrilateral corners (top-left, top-right,
// bottom-right, bottom-left), its lines joining points a third of the way along
// opposite edges.
void DrawFaceGrid(class QPainter& p, const std::array<QPointF, 4>& corners, const QColor& colour);

}  // namespace velmora
