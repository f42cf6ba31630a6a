#include "ui/views/pane_drawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace velmora {

QFont PaneFont() {
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    return font;
}

void DrawTextAt(QPainter& p, int x, int y, const QString& text) {
    p.drawText(x, y + QFontMetrics(p.font()).ascent(), text);
}

}  // namespace velmora
