// The 3D view's life: GL context set-up, frames, timers and mouse handling.
#include "ui/gl/tarnex_3d_view.h"

#include <GL/gl.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include "document/settings.h"
#include "document/velmora_doc.h"
#include "ui/gl/lesson_source.h"
#include "ui/gl/modal_state.h"

namespace velmora {

CTarnex3dView::CTarnex3dView(CVelmoraDoc& doc, QWidget* parent) : QOpenGLWidget(parent), doc_(doc) {
    // Double-buffered RGBA with depth and stencil, in a context that still offers the
    // fixed-function pipeline and display lists.
    QSurfaceFormat fmt = format();
    fmt.setRenderableType(QSurfaceFormat::OpenGL);
    fmt.setProfile(QSurfaceFormat::CompatibilityProfile);
    fmt.setVersion(2, 1);
    fmt.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    fmt.setRedBufferSize(8);
    fmt.setGreenBufferSize(8);
    fmt.setBlueBufferSize(8);
    fmt.setDepthBufferSize(24);
    fmt.setStencilBufferSize(8);
    setFormat(fmt);
    setUpdateBehavior(QOpenGLWidget::NoPartialUpdate);
    setFocusPolicy(Qt::StrongFocus);
    animationTimer_.start(kAnimationInterval, this);
    demoIntervalMs_ = doc_.settings.demoInterval;
    demoTimer_.start(demoIntervalMs_, this);
}

CTarnex3dView::~CTarnex3dView() {
    animationTimer_.stop();
    demoTimer_.stop();
    makeCurrent();
    renderer_.Invalidate();
    doneCurrent();
}

void CTarnex3dView::initializeGL() {
    // A new context holds no lists yet.
    renderer_.Invalidate();
    CubeRenderer::SetGlState();
}

void CTarnex3dView::resizeGL(int, int) {}

void CTarnex3dView::paintGL() {
    CTarnexSource& m = doc_.model;
    QElapsedTimer clock;
    clock.start();
    if (m.inputMode == -1 && netPainter_) {
        DrawNetPicture();
    } else {
        // The framework sets its own viewport before each frame and a painter may
        // have used the context since the last one: state and projection every time.
        CubeRenderer::SetGlState();
        const qreal ratio = devicePixelRatioF();
        CubeRenderer::Projection(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
        renderer_.SetLayerTurn(handAxis_, handSlice_, handDegrees_);
        const LessonView lesson = ShownLesson(doc_);
        CubeRenderer::LessonLights lights;
        lights.active = lesson.active;
        lights.lights = lesson.lights;
        lights.layer = MarkedLayer(lesson, m.SolutionRecord.view(), m.demoPos);
        renderer_.SetLessonLights(lights);
        renderer_.Render(m, doc_.settings.colourSettings, doc_.auxShown);
        glFinish();
    }
    if (hasFocus()) {
        // The focused pane is framed, over the cube or the net.
        QPainter frame(this);
        const int ink = doc_.settings.colourSettings[7];
        frame.setPen(QPen(QColor(ink & 0xff, (ink >> 8) & 0xff, (ink >> 16) & 0xff), 2, Qt::DashLine));
        frame.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    lastFrameMs_ = clock.nsecsElapsed() / 1e6;
    ++framesDrawn_;
    emit frameDrawn();
}

void CTarnex3dView::focusInEvent(QFocusEvent* event) {
    QOpenGLWidget::focusInEvent(event);
    update();
}

void CTarnex3dView::focusOutEvent(QFocusEvent* event) {
    QOpenGLWidget::focusOutEvent(event);
    update();
}

void CTarnex3dView::DrawNetPicture() {
    // The net is drawn off screen with the same painter as the net pane, then copied
    // into the back buffer in one operation.
    const qreal ratio = devicePixelRatioF();
    QImage picture(size().expandedTo(QSize(1, 1)) * ratio, QImage::Format_RGBA8888);
    {
        QPainter painter(&picture);
        painter.scale(ratio, ratio);
        netPainter_(painter);
    }
    const QImage rows = picture.mirrored();  // GL counts rows from the bottom
    CubeRenderer::SetGlState();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glViewport(0, 0, rows.width(), rows.height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, rows.width(), 0, rows.height(), -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRasterPos2i(0, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glDrawPixels(rows.width(), rows.height(), GL_RGBA, GL_UNSIGNED_BYTE, rows.constBits());
    CubeRenderer::MakeOpaque();
}

void CTarnex3dView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        lastX_ = p.x();
        lastY_ = p.y();
        clickCounter_ = 0;
        BeginLayerDrag(event);
    }
    QOpenGLWidget::mousePressEvent(event);
}

void CTarnex3dView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (layerDrag_ != LayerDrag::None) EndLayerDrag();
        if (clickCounter_ > 0) return;
        ++clickCounter_;
        if (doc_.model.inputMode == -1 && netPainter_) {
            const QPoint p = (event->position() / (netScale_ ? netScale_() : 1.0)).toPoint();
            doc_.InputNetClick(p.x(), p.y());
        }
    } else if (event->button() == Qt::RightButton) {
        ++clickCounter_;
        if (doc_.model.inputMode == -1 && netColourChoice_) {
            const QPoint p = (event->position() / (netScale_ ? netScale_() : 1.0)).toPoint();
            netColourChoice_(p.x(), p.y());
            doc_.ShowStatus("在展开图每面中心小块的字母上右击，可以选择该面颜色");
        }
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void CTarnex3dView::mouseMoveEvent(QMouseEvent* event) {
    CTarnexSource& m = doc_.model;
    if (layerDrag_ != LayerDrag::None) {
        DragLayer(event);
        return;
    }
    if (clickCounter_ > 0 || m.inputMode < 0) return;
    const QPoint p = event->position().toPoint();
    const int dx = lastX_ - p.x();
    const int dy = lastY_ - p.y();
    if (dx <= kDragDeadZone && dx >= -kDragDeadZone && dy <= kDragDeadZone && dy >= -kDragDeadZone) return;
    lastX_ = p.x();
    lastY_ = p.y();

    m.viewTilt -= dy / 2;
    if (m.viewTilt > 180) m.viewTilt -= 360;
    if (m.viewTilt < -180) m.viewTilt += 360;
    const bool spin = event->buttons() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier;
    // Upside down the horizontal drag is reversed so that it keeps its direction on
    // the screen.
    const int step = (m.viewTilt >= -90 && m.viewTilt <= 90) ? -(dx / 2) : dx / 2;
    if (spin)
        m.viewSpin += step;
    else
        m.viewTurn += step;
    update();
}

void CTarnex3dView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    ++clickCounter_;
    Straighten();
}

void CTarnex3dView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        Straighten();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

void CTarnex3dView::Straighten() {
    CTarnexSource& m = doc_.model;
    m.viewTurn = kDefaultTurn;
    m.viewTilt = kDefaultTilt;
    m.viewSpin = kDefaultSpin;
    update();
    if (m.inputMode == -1) doc_.InputTool();
}

void CTarnex3dView::AnimationTick() {
    CTarnexSource& m = doc_.model;
    if (m.animAngle > 0) {
        m.animAngle -= kAnimationStep;
        if (m.animAngle < 0) m.animAngle = 0;
        update();
    } else if (m.animAngle < 0) {
        m.animAngle += kAnimationStep;
        if (m.animAngle > 0) m.animAngle = 0;
        update();
    }
    // A layer let go settles at the same pace.
    if (layerDrag_ == LayerDrag::None && handDegrees_ != 0) {
        if (handDegrees_ > 0)
            handDegrees_ = handDegrees_ > kAnimationStep ? handDegrees_ - kAnimationStep : 0;
        else
            handDegrees_ = handDegrees_ < -kAnimationStep ? handDegrees_ + kAnimationStep : 0;
        update();
    }
}

void CTarnex3dView::DemonstrationTick() {
    // Nothing steps or deals under an open question or dialog.
    if (ModalWindowOpen()) return;
    doc_.DemoTick();
}

bool CTarnex3dView::BeginLayerDrag(QMouseEvent* event) {
    layerDrag_ = LayerDrag::None;
    if (!(event->modifiers() & Qt::ShiftModifier) || doc_.model.inputMode < 0) return false;
    const QPoint p = event->position().toPoint();
    const ViewCamera cam = CameraOf(doc_.model, doc_.auxShown, width(), height());
    if (!PickSticker(cam, p.x(), p.y(), gripHit_)) return false;
    layerDrag_ = LayerDrag::Pressed;
    gripX_ = p.x();
    gripY_ = p.y();
    // The hand turn replaces whatever turn was still being animated.
    doc_.model.animAngle = 0;
    handDegrees_ = 0;
    update();
    return true;
}

void CTarnex3dView::DragLayer(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint p = event->position().toPoint();
    const double dx = p.x() - gripX_, dy = p.y() - gripY_;
    if (layerDrag_ == LayerDrag::Pressed) {
        const ViewCamera cam = CameraOf(doc_.model, doc_.auxShown, width(), height());
        if (!GripLayer(cam, gripHit_, dx, dy, grip_)) return;
        layerDrag_ = LayerDrag::Turning;
        handAxis_ = grip_.axis;
        handSlice_ = grip_.slice;
    }
    handDegrees_ = GripAngle(grip_, dx, dy);
    update();
}

void CTarnex3dView::EndLayerDrag() {
    const bool turning = layerDrag_ == LayerDrag::Turning;
    layerDrag_ = LayerDrag::None;
    if (!turning) return;
    const double angle = NormalAngle(handDegrees_);
    const int quarters = SettleQuarters(angle);
    // After a completed turn the layer stands angle - 90 * quarters from its new rest;
    // otherwise it springs back from where it was let go.
    if (quarters != 0 && doc_.TurnLayer(handAxis_, handSlice_, quarters) == 1)
        handDegrees_ = angle - 90.0 * quarters;
    else
        handDegrees_ = angle;
    update();
}

void CTarnex3dView::FollowDemoInterval() {
    if (demoIntervalMs_ == doc_.settings.demoInterval) return;
    demoIntervalMs_ = doc_.settings.demoInterval;
    demoTimer_.start(demoIntervalMs_, this);
}

void CTarnex3dView::timerEvent(QTimerEvent* event) {
    FollowDemoInterval();
    // The demonstration waits while a layer is held.
    if (event->timerId() == demoTimer_.timerId() && LayerDragActive()) return;
    if (event->timerId() == animationTimer_.timerId())
        AnimationTick();
    else if (event->timerId() == demoTimer_.timerId())
        DemonstrationTick();
    else
        QOpenGLWidget::timerEvent(event);
}

}  // namespace velmora
