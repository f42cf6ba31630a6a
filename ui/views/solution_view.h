#pragma once
// CTarnexSolutionView: the lower pane. Shows the suggested method, the solution's
// length and its moves with the "<=>" marker, or the input instructions in cube-input
// mode. A double click chooses the text colour, a right click the background colour.
#include <QWidget>

namespace velmora {

class CVelmoraDoc;

class CTarnexSolutionView : public QWidget {
    Q_OBJECT
public:
    explicit CTarnexSolutionView(CVelmoraDoc& doc, QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(500, 300); }

    // Draws the pane into a picture of its size (what the screen gets in one copy).
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CVelmoraDoc& doc_;
};

}  // namespace velmora
