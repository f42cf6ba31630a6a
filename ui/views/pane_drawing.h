#pragma once
// Drawing helpers shared by the 2D panes and the 3D pane in input mode: colour values,
// the panes' fixed-pitch font and text placed by its top left corner.
#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>

class QPainter;

namespace velmora {

// A colour setting (red in the lowest byte, then green, then blue) as a QColor.
inline QColor RefColour(int ref) { return QColor(ref & 0xff, (ref >> 8) & 0xff, (ref >> 16) & 0xff); }
// The reverse.
inline int ColourRef(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

inline QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The fixed-pitch font of the panes, about the size of the system font; 78 of its
// characters fit between x = 132 and the right edge of the solution pane.
QFont PaneFont();

// Draws text with its top left corner at (x, y), on a transparent background.
void DrawTextAt(QPainter& p, int x, int y, const QString& text);

}  // namespace velmora
