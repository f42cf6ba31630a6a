#pragma once
// CTarnex3dView: the upper left pane. Draws the cube with OpenGL (CubeRenderer), runs
// the two timers of the view (the 50 ms turn animation and the 1,600 ms automatic
// demonstration), turns the cube by dragging and straightens it by a double click. In
// cube-input mode it shows the flat net instead, drawn by the painter it is given:
// clicks paint it as on the net pane, and a double click opens the input tool.
#include <QBasicTimer>
#include <QOpenGLWidget>
#include <functional>

#include "model/cube_picking.h"
#include "ui/gl/cube_renderer.h"

class QPainter;

namespace velmora {

class CVelmoraDoc;

class CTarnex3dView : public QOpenGLWidget {
    Q_OBJECT
public:
    static constexpr int kAnimationInterval = 50;
    static constexpr int kDemoInterval = 1600;
    // Degrees the animation turns per tick.
    static constexpr int kAnimationStep = 9;
    // A drag must move more than this many pixels in one direction to count.
    static constexpr int kDragDeadZone = 3;

    explicit CTarnex3dView(CVelmoraDoc& doc, QWidget* parent = nullptr);
    ~CTarnex3dView() override;

    // Draws the net in input mode (set by the frame: the net pane's drawing); the
    // painter works on a picture of the pane's size.
    void SetNetPainter(std::function<void(QPainter&)> painter) { netPainter_ = std::move(painter); }
    // The colour choice of a right click on the net shown in input mode.
    void SetNetColourChoice(std::function<void(int, int)> choice) { netColourChoice_ = std::move(choice); }
    // The scale the net painter draws at (a pane too small for the input net shrinks
    // it); clicks on the net are divided by it.
    void SetNetScale(std::function<double()> scale) { netScale_ = std::move(scale); }

    // One tick of each timer; the timers call them, tests may too. The demonstration
    // tick does nothing while a modal window is open.
    void AnimationTick();
    void DemonstrationTick();

    // What a double click and Enter do: the cube back to its designed angle, and in
    // cube input the input tool.
    void Straighten();

    // Turning a layer by hand: Shift + drag from a sticker of the main cube. The layer
    // follows the pointer; on release it completes a quarter or half turn through the
    // document (CVelmoraDoc::TurnLayer) or springs back, and the animation timer
    // brings the rest of the angle to 0.
    bool LayerDragActive() const { return layerDrag_ != LayerDrag::None; }
    // The hand-turned layer's angle now (while dragging or settling) and its layer.
    double HandTurnDegrees() const { return handDegrees_; }
    int HandTurnAxis() const { return handAxis_; }
    int HandTurnSlice() const { return handSlice_; }
    // The demonstration timer's interval; it follows the settings' pace.
    int DemoIntervalMs() const { return demoIntervalMs_; }

    // Milliseconds the last frame took to draw (lists, transforms and the finish).
    double LastFrameMs() const { return lastFrameMs_; }
    int FramesDrawn() const { return framesDrawn_; }

signals:
    // A frame has been drawn (after the first: the window is on screen).
    void frameDrawn();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DrawNetPicture();
    bool BeginLayerDrag(QMouseEvent* event);
    void DragLayer(QMouseEvent* event);
    void EndLayerDrag();
    // Restarts the demonstration timer when the settings' pace has changed (the menu
    // sets it; the timer follows at its next event).
    void FollowDemoInterval();

    CVelmoraDoc& doc_;
    CubeRenderer renderer_;
    std::function<void(QPainter&)> netPainter_;
    std::function<void(int, int)> netColourChoice_;
    std::function<double()> netScale_;
    int lastX_ = 0, lastY_ = 0;
    QBasicTimer animationTimer_;
    QBasicTimer demoTimer_;
    // 1 after construction, 0 between a left press and its release; raised by the
    // release, the double click and the right release, so a drag needs a fresh press.
    int clickCounter_ = 1;
    // A Shift press on a sticker waits for the drag to show its direction, then turns
    // the gripped layer.
    enum class LayerDrag { None, Pressed, Turning };
    LayerDrag layerDrag_ = LayerDrag::None;
    StickerHit gripHit_;
    LayerGrip grip_;
    int gripX_ = 0, gripY_ = 0;
    int handAxis_ = 1, handSlice_ = 1;
    double handDegrees_ = 0;
    int demoIntervalMs_ = kDemoInterval;
    double lastFrameMs_ = 0;
    int framesDrawn_ = 0;
};

}  // namespace velmora
