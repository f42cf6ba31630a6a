#pragma once
// The window for screen readers: accessible interfaces for the custom panes (the 3D
// cube, the net as a 6 x 3 x 3 table of sticker cells, the solution as read-only text
// with the demonstration step as caret and selection, the status bar panes) and for
// checkable buttons, whose accessible actions click them as the mouse does. Qt's
// accessibility bridge carries them to the desktop (AT-SPI on Linux).
#include <QObject>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace velmora {

class CVelmoraDoc;
class CVelmoraView;
class CTarnexSolutionView;
class CTarnex3dView;

// The accessible names of the panes.
inline constexpr const char* kCubePaneName = "魔方立体图";
inline constexpr const char* kNetPaneName = "魔方展开图";
inline constexpr const char* kSolutionPaneName = "解法";
inline constexpr const char* kKeyPaneName = "按键状态";
inline constexpr const char* kMessagePaneName = "消息栏";

// Registers the factory of the interfaces above; once per program, before the first
// window is shown (later calls do nothing).
void InstallPaneAccessibility();

// Tells screen readers what changed after the document redrew or a message was shown:
// the sticker cells whose names changed, the solution text and step (caret, selection
// and the step announcement as the solution pane's description), the 3D pane's
// description and the message pane's new text.
class PaneAnnouncer : public QObject {
    Q_OBJECT
public:
    PaneAnnouncer(CVelmoraDoc& doc, CTarnex3dView* cube, CVelmoraView* net, CTarnexSolutionView* solution,
                  QLabel* messagePane, QLabel* keyPane, QObject* parent = nullptr);
    // Names the panes; compares the panes' words with the last ones and raises the
    // change events.
    void Refresh();
    void MessageShown(const QString& before, const QString& now);

private:
    CVelmoraDoc& doc_;
    CTarnex3dView* cube_;
    CVelmoraView* net_;
    CTarnexSolutionView* solution_;
    QLabel* messagePane_;
    QLabel* keyPane_;
    QString keyText_;
    QStringList cellNames_;
    QString solutionText_;
    QString description_;
    int step_ = -1;
    int inputMode_ = 0;
};

}  // namespace velmora
