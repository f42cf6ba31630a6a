#pragma once
// CTarnexSolutionView: the lower pane. Shows the suggested method, the solution's
// length and its moves with the "<=>" marker, or the input instructions in cube-input
// mode. A double click (or Enter) chooses the text colour, a right click (or the menu
// key, Shift+F10) the background colour.
#include <QPoint>
#include <QWidget>

class QTimer;

namespace velmora {

class CVelmoraDoc;

class CTarnexSolutionView : public QWidget {
    Q_OBJECT
public:
    explicit CTarnexSolutionView(CVelmoraDoc& doc, QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(500, 300); }

    // Draws the pane into a picture of its size (what the screen gets in one copy).
    QImage Render() const;

    // A single left click on a token of the solution moves the demonstration to just
    // before it (CVelmoraDoc::StepSolutionTo). The click waits for the double-click
    // interval so that a double click (the text colour) does not also move it.
    void JumpToTokenAt(int x, int y);
    // Width of one character of the move lines.
    int CharWidth() const;
    CVelmoraDoc& Doc() const { return doc_; }
    // The pane draws at this scale so that its text follows the desktop's font size
    // (1 for a desktop font of 12 pixels or less).
    double Scale() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CVelmoraDoc& doc_;
    QTimer* clickTimer_ = nullptr;
    QPoint clickPoint_;
    // The release that ends a double click is no single click.
    bool ignoreRelease_ = false;
};

}  // namespace velmora
