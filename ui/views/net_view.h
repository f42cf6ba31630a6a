#pragma once
// CVelmoraView: the upper right pane, the flat colour net. Shift/Ctrl clicks turn a
// face, plain clicks describe a sticker, right clicks choose colours. In cube input
// left clicks paint the net and pick colours from its palette.
#include <QWidget>

namespace velmora {

class CVelmoraDoc;

class CVelmoraView : public QWidget {
    Q_OBJECT
public:
    explicit CVelmoraView(CVelmoraDoc& doc, QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(500, 376); }

    // Draws the pane into a picture of its size (what the screen gets in one copy).
    QImage Render() const;

    CVelmoraDoc& Doc() const { return doc_; }
    // The pane draws the net at the scale that fits it whole: larger in a larger
    // window, smaller in a smaller one, and in cube input small enough for the palette.
    double Scale() const;
    // The sticker cell 0-53 under the keyboard cursor, framed while the pane has focus.
    int CursorCell() const { return cursor_; }
    void SetCursorCell(int cell);
    // The pane rectangle of sticker cell 0-53.
    QRect CellRect(int cell) const;
    // What a plain left click on the cell does: in cube input it paints the sticker
    // with the chosen colour (a centre turns its mark), otherwise it names the sticker.
    void ActivateCell(int cell);
    // The keys the pane handles itself before the window's accelerators: in cube input
    // the arrows, Home, End, Enter and the digits 1-6.
    bool TakesKey(int key) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CVelmoraDoc& doc_;
    // 1 after construction, 0 between a left press and its release; raised by the
    // release and the right double click, so one press gives one click.
    int clickCounter_ = 1;
    int cursor_ = 0;
};

}  // namespace velmora
