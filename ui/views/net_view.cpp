// The net pane: drawing into a picture and the mouse rules of the net.
#include "ui/views/net_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "document/velmora_doc.h"
#include "ui/views/net_drawing.h"
#include "ui/views/pane_drawing.h"

namespace velmora {

CVelmoraView::CVelmoraView(CVelmoraDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QImage CVelmoraView::Render() const {
    const int* colours = doc_.settings.colourSettings;
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(RefColour(colours[0]));
    QPainter p(&image);
    DrawNet(p, doc_.model, colours);
    return image;
}

void CVelmoraView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, Render());
}

void CVelmoraView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clickCounter_ = 0;
}

void CVelmoraView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (clickCounter_ > 0) return;
        ++clickCounter_;
        if (doc_.model.inputMode == -1) {
            doc_.InputNetClick(pos.x(), pos.y());
            return;
        }
        const Qt::KeyboardModifiers mods = event->modifiers();
        NetClick(doc_, pos.x(), pos.y(), mods == Qt::ShiftModifier, mods == Qt::ControlModifier);
    } else if (event->button() == Qt::RightButton) {
        doc_.ShowStatus("在展开图的字母上右击，可以选择该面颜色；在其它位置右键双击可以选择边框颜色。");
        ColourChoice(doc_, pos.x(), pos.y());
    }
}

void CVelmoraView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) return;
    ++clickCounter_;
    ChooseBorderColour(doc_);
}

}  // namespace velmora
