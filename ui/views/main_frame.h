#pragma once
// CMainFrame: the one top-level window. It holds the toolbar, the status bar (message
// pane, key-state pane, Caps Lock, Num Lock) and two splitters that arrange the three
// views: the 3D cube upper left, the net upper right, the solution across the bottom.
// Menus, toolbar and accelerators are built from the document's command table; every
// command goes to the document, which alone decides whether it is enabled.
#include <QMainWindow>
#include <QHash>
#include <QPointer>
#include <string>
#include <string_view>

class QAction;
class QLabel;
class QSplitter;
class QToolBar;

namespace velmora {

class CVelmoraDoc;
class CTarnex3dView;
class CVelmoraView;
class CTarnexSolutionView;
class PaneAnnouncer;
class HelpWindow;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CVelmoraDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Runs a command as a menu item, button or key would: only when it is enabled.
    void Dispatch(int id);
    // Matches a key press against the accelerator table and runs its command; true
    // when the key was bound (enabled or not).
    bool HandleAccelerator(int key, Qt::KeyboardModifiers modifiers, const QString& text);

    // Services of the user seam.
    void SetMessage(std::string_view text);
    QString Message() const;
    void RedrawAll();
    void UpdateCommandStates();
    void UpdateTitle();
    void SwapToolbarButton(int oldId, int newId);
    // Window 800 x 572 with its frame, upper row 376, left column 510.
    void RestoreLayout();
    // The layout as it is now (a kept one given back at start) is not replaced by the
    // designed one when the desktop's frame arrives.
    void KeepCurrentLayout() { outerSizeFitted_ = true; }
    // Centres the window on its screen (a maximised window stays as it is).
    void CentreOnScreen();
    // Moves the focus to the next (+1) or previous (-1) view.
    void FocusPane(int step);
    // The user's manual in its own window (帮助 › 使用说明, F1); one window, brought
    // back by every call.
    void ShowHelp();
    void OpenDroppedFile(const QString& path);
    // A dropped file by the bytes of its name.
    void OpenDroppedPath(const std::string& path);

    CTarnex3dView* CubeView() const { return cubeView_; }
    CVelmoraView* NetView() const { return netView_; }
    CTarnexSolutionView* SolutionView() const { return solutionView_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QSplitter* OuterSplitter() const { return outer_; }
    QSplitter* InnerSplitter() const { return inner_; }
    QAction* CommandAction(int id) const { return actions_.value(id, nullptr); }
    QString KeyPaneText() const;
    // Id of the command the toolbar button at position index carries (0: separator).
    int ToolbarCommandAt(int index) const;

    // Set once the program decided to quit; closing then asks nothing more.
    bool quitting = false;

    // Screens below 800 x 600 get the advice to raise the resolution and a maximised
    // window.
    static bool NeedsResolutionAdvice(int screenWidth, int screenHeight);
    // Centres the window on its screen and gives the resolution advice when due.
    void PlaceOnScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildPanes();
    void UpdateRecentFiles();
    void UpdateKeyPane();
    void UpdateLockPanes();
    // Scale of the input net in the cube pane.
    double InputNetScale() const;

    CVelmoraDoc& doc_;
    QHash<int, QAction*> actions_;
    QList<QAction*> recentActions_;
    QToolBar* toolBar_ = nullptr;
    QSplitter* outer_ = nullptr;
    QSplitter* inner_ = nullptr;
    CTarnex3dView* cubeView_ = nullptr;
    CVelmoraView* netView_ = nullptr;
    CTarnexSolutionView* solutionView_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* keyPane_ = nullptr;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QWidget* lastView_ = nullptr;
    // Keeps screen readers told of what the panes show.
    PaneAnnouncer* announcer_ = nullptr;
    QPointer<HelpWindow> helpWindow_;
    // The desktop's frame arrives after the window is shown: the first move or resize
    // that finds one fits the outer size once.
    bool outerSizeFitted_ = false;
};

}  // namespace velmora
