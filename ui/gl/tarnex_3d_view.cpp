// The 3D view's life: GL context set-up, frames, timers and mouse handling.
#include "ui/gl/tarnex_3d_view.h"

#include <GL/gl.h>

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include "document/settings.h"
#include "document/velmora_doc.h"
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
    demoTimer_.start(kDemoInterval, this);
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
        renderer_.Render(m, doc_.settings.colourSettings, doc_.auxShown);
        glFinish();
    }
    lastFrameMs_ = clock.nsecsElapsed() / 1e6;
    ++framesDrawn_;
    emit frameDrawn();
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
    }
    QOpenGLWidget::mousePressEvent(event);
}

void CTarnex3dView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (clickCounter_ > 0) return;
        ++clickCounter_;
    } else if (event->button() == Qt::RightButton) {
        ++clickCounter_;
        if (doc_.model.inputMode == -1 && netColourChoice_) {
            const QPoint p = event->position().toPoint();
            netColourChoice_(p.x(), p.y());
            doc_.ShowStatus("在展开图每面中心小块的字母上右击，可以选择该面颜色");
        }
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void CTarnex3dView::mouseMoveEvent(QMouseEvent* event) {
    CTarnexSource& m = doc_.model;
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
    CTarnexSource& m = doc_.model;
    m.viewTurn = kDefaultTurn;
    m.viewTilt = kDefaultTilt;
    m.viewSpin = kDefaultSpin;
    update();
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
}

void CTarnex3dView::DemonstrationTick() {
    // Nothing steps or deals under an open question or dialog.
    if (ModalWindowOpen()) return;
    doc_.DemoTick();
}

void CTarnex3dView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == animationTimer_.timerId())
        AnimationTick();
    else if (event->timerId() == demoTimer_.timerId())
        DemonstrationTick();
    else
        QOpenGLWidget::timerEvent(event);
}

}  // namespace velmora
