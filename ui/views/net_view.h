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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CVelmoraDoc& doc_;
    // 1 after construction, 0 between a left press and its release; raised by the
    // release and the right double click, so one press gives one click.
    int clickCounter_ = 1;
};

}  // namespace velmora
