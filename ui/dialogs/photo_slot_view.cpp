#include "ui/dialogs/photo_slot_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "document/photo_input.h"

namespace velmora {
namespace {

constexpr int kSwatch = 12;        // side of one of the nine colour swatches
constexpr double kHandleRadius = 6;
constexpr int kFlashMs = 400;

QColor SampleColour(const Rgb& c) {
    auto channel = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    return QColor(channel(c.r), channel(c.g), channel(c.b));
}

QPointF Along(const QPointF& a, const QPointF& b, double t) { return a + (b - a) * t; }

}  // namespace

void DrawFaceGrid(QPainter& p, const std::array<QPointF, 4>& q, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 160), 4));
    for (int pass = 0; pass < 2; ++pass) {
        p.drawPolygon(q.data(), 4);
        for (int k = 1; k <= 2; ++k) {
            const double t = k / 3.0;
            p.drawLine(Along(q[0], q[1], t), Along(q[3], q[2], t));
            p.drawLine(Along(q[0], q[3], t), Along(q[1], q[2], t));
        }
        p.setPen(QPen(colour, 2));
    }
    p.restore();
}

PhotoSlotView::PhotoSlotView(QWidget* parent) : QWidget(parent) {
    setAcceptDrops(true);
    setMinimumSize(150, 130);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PhotoSlotView::ShowPicture(const QImage& picture, double scale, const photos::FaceReading& reading) {
    picture_ = picture;
    scale_ = scale;
    manual_ = false;
    ShowReading(reading);
}

void PhotoSlotView::AskForCorners(const photos::Quad& start) {
    manual_ = true;
    hasReading_ = false;
    quad_ = start;
    update();
}

void PhotoSlotView::ShowReading(const photos::FaceReading& reading) {
    reading_ = reading;
    hasReading_ = reading.found;
    if (reading.found) quad_ = reading.quad;
    update();
}

void PhotoSlotView::Clear() {
    picture_ = QImage();
    hasReading_ = manual_ = false;
    update();
}

void PhotoSlotView::Flash() {
    flashing_ = true;
    update();
    QTimer::singleShot(kFlashMs, this, [this] {
        flashing_ = false;
        update();
    });
}

QRectF PhotoSlotView::PictureRect() const {
    // Below the picture: the nine colours, or two lines saying that no face was found.
    const double below = manual_ && !hasReading_ ? 2.2 * QFontMetricsF(NoteFont()).height() : kSwatch;
    const QRectF room(0, 0, width(), height() - below - 4);
    if (picture_.isNull()) return room;
    QSizeF size = picture_.size();
    size.scale(room.size(), Qt::KeepAspectRatio);
    return QRectF(room.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

QFont PhotoSlotView::NoteFont() const {
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    return small;
}

QPointF PhotoSlotView::ToWidget(const photos::Point& p) const {
    const QRectF r = PictureRect();
    const double k = picture_.isNull() ? 1 : r.width() / picture_.width() * scale_;
    return r.topLeft() + QPointF(p[0] * k, p[1] * k);
}

photos::Point PhotoSlotView::ToPicture(const QPointF& p) const {
    const QRectF r = PictureRect();
    const double k = picture_.isNull() ? 1 : r.width() / picture_.width() * scale_;
    const QPointF q = (p - r.topLeft()) / k;
    return {static_cast<float>(q.x()), static_cast<float>(q.y())};
}

void PhotoSlotView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = PictureRect();
    if (picture_.isNull()) {
        p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
        p.drawRect(r.adjusted(1, 1, -1, -1));
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8("拖入照片"));
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(r, picture_);
    }
    std::array<QPointF, 4> corners;
    for (std::size_t i = 0; i < 4; ++i) corners[i] = ToWidget(quad_[i]);
    if (hasReading_ || manual_) DrawFaceGrid(p, corners, manual_ ? QColor(255, 200, 0) : QColor(0, 230, 120));
    if (manual_ && !hasReading_) {
        // The slot says that no face was found and what to do.
        p.setFont(NoteFont());
        p.setPen(QColor(176, 0, 0));
        const QRectF box(0, r.bottom() + 2, width(), height() - r.bottom() - 2);
        p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap,
                   QString::fromUtf8(kNoFaceText.data(), static_cast<qsizetype>(kNoFaceText.size())));
    }
    if (manual_) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(255, 200, 0));
        for (const QPointF& c : corners) p.drawEllipse(c, kHandleRadius, kHandleRadius);
        p.setBrush(Qt::NoBrush);
    }
    if (hasReading_) {
        // The nine colours read, row by row as the face lies in the picture.
        const int y = height() - kSwatch - 1;
        const int x0 = (width() - 9 * (kSwatch + 2)) / 2;
        p.setPen(QPen(Qt::black, 1));
        for (int i = 0; i < 9; ++i) {
            p.setBrush(SampleColour(reading_.samples[static_cast<std::size_t>(i)]));
            p.drawRect(x0 + i * (kSwatch + 2) + (i / 3) * 3 - 3, y, kSwatch, kSwatch);
        }
    }
    if (flashing_) {
        p.setPen(QPen(QColor(255, 255, 255), 6));
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawRect(rect().adjusted(3, 3, -3, -3));
    }
}

void PhotoSlotView::mousePressEvent(QMouseEvent* e) {
    dragged_ = -1;
    if (!manual_ && !hasReading_) return;
    if (picture_.isNull()) return;
    double best = 3 * kHandleRadius;
    for (int i = 0; i < 4; ++i) {
        const double d = QLineF(ToWidget(quad_[static_cast<std::size_t>(i)]), e->position()).length();
        if (d < best) {
            best = d;
            dragged_ = i;
        }
    }
    if (dragged_ >= 0) manual_ = true;
}

void PhotoSlotView::mouseMoveEvent(QMouseEvent* e) {
    if (dragged_ < 0) return;
    const QRectF r = PictureRect();
    const QPointF at(std::clamp(e->position().x(), r.left(), r.right()), std::clamp(e->position().y(), r.top(), r.bottom()));
    quad_[static_cast<std::size_t>(dragged_)] = ToPicture(at);
    update();
}

void PhotoSlotView::mouseReleaseEvent(QMouseEvent*) {
    if (dragged_ < 0) return;
    dragged_ = -1;
    emit cornersPlaced(quad_);
}

void PhotoSlotView::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls() && e->mimeData()->urls().first().isLocalFile()) e->acceptProposedAction();
}

void PhotoSlotView::dropEvent(QDropEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    e->acceptProposedAction();
    emit fileDropped(urls.first().toLocalFile());
}

}  // namespace velmora
