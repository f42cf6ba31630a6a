#pragma once
// The window's own settings, kept with QSettings beside the eleven values under keys of
// their own: the notation the solution pane shows ("Settings/International"), the
// window's geometry and toolbar state ("Window/Geometry", "Window/State"), the two
// splitters ("Window/OuterSplitter", "Window/InnerSplitter") and the folders the file
// dialogs and the photo chooser last used ("Folders/Files", "Folders/Photos").
// A value that is missing or no longer fits (a screen that changed) leaves the
// designed layout as it is.
#include <QByteArray>
#include <QString>

namespace velmora {

class CMainFrame;
class CVelmoraDoc;
class QtUserPort;

struct WindowSettings {
    bool international = false;
    QByteArray geometry;
    QByteArray state;
    QByteArray outerSplitter;
    QByteArray innerSplitter;
    QString fileFolder;
    QString photoFolder;
};

WindowSettings LoadWindowSettings();
void SaveWindowSettings(const WindowSettings& settings);

// What the running program has: the window, its splitters, the notation, the folders.
WindowSettings CaptureWindowSettings(const CMainFrame& frame, const CVelmoraDoc& doc, const QtUserPort& user);
// Gives them back to a shown window.
void ApplyWindowSettings(const WindowSettings& settings, CMainFrame& frame, CVelmoraDoc& doc, QtUserPort& user);

}  // namespace velmora
