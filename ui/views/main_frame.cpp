// The main window: menus, toolbar and accelerators from the command table, the status
// bar panes, the splitters with the three views, dropped files and pane focus.
#include "ui/views/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "document/command_table.h"
#include "document/settings.h"
#include "document/velmora_doc.h"
#include "ui/gl/tarnex_3d_view.h"
#include "document/key_pane.h"
#include "ui/views/file_names.h"
#include "ui/views/lock_keys.h"
#include "ui/views/net_drawing.h"
#include "ui/views/net_view.h"
#include "ui/views/pane_accessibility.h"
#include "ui/views/pane_drawing.h"
#include "ui/views/solution_view.h"
#include "ui/dialogs/help_window.h"


namespace velmora {
namespace {

constexpr std::string_view kAppTitle = "Velmora提示";

QString ToolbarIconPath(int id) {
    // The start and end input commands share one button image.
    if (id == cmd::kEndInput) id = cmd::kStartInput;
    return QStringLiteral(":/toolbar/%1.xpm").arg(id);
}

// Qt key of a key name of the accelerator table; 0 for none.
int KeyOfName(std::string_view name) {
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return Qt::Key_A + (name[0] - 'A');
    if (name.size() == 2 && name[0] == 'F' && name[1] >= '1' && name[1] <= '9') return Qt::Key_F1 + (name[1] - '1');
    if (name == "Down") return Qt::Key_Down;
    if (name == "Up") return Qt::Key_Up;
    if (name == "Left") return Qt::Key_Left;
    if (name == "Right") return Qt::Key_Right;
    if (name == "Backspace") return Qt::Key_Backspace;
    if (name == "Insert") return Qt::Key_Insert;
    if (name == "Delete") return Qt::Key_Delete;
    if (name == "Space") return Qt::Key_Space;
    if (name == "Esc") return Qt::Key_Escape;
    return 0;
}

// A widget that takes typed text: Space belongs to it, not to the demonstration.
bool TakesText(const QWidget* w) {
    if (!w) return false;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
        qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(w);
    return combo && combo->isEditable();
}

Qt::KeyboardModifiers ModifiersOf(int m) {
    Qt::KeyboardModifiers q;
    if (m & kShift) q |= Qt::ShiftModifier;
    if (m & kCtrl) q |= Qt::ControlModifier;
    if (m & kAlt) q |= Qt::AltModifier;
    return q;
}

}  // namespace

CMainFrame::CMainFrame(CVelmoraDoc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc) {
    setObjectName(QStringLiteral("CMainFrame"));
    InstallPaneAccessibility();
    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildPanes();
    announcer_ = new PaneAnnouncer(doc_, cubeView_, netView_, solutionView_, messagePane_, keyPane_, this);
    resize(kDefaultWindowWidth, kDefaultWindowHeight);
    RestoreLayout();
    UpdateTitle();
    UpdateCommandStates();
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == cubeView_ || now == netView_ || now == solutionView_) lastView_ = now;
        UpdateKeyPane();
    });
    auto* lockTimer = new QTimer(this);
    connect(lockTimer, &QTimer::timeout, this, &CMainFrame::UpdateLockPanes);
    lockTimer->start(250);
    // The fewest-turns search runs on a worker: its progress, and its solution when it
    // arrives, are fetched a few times a second. The stop button shows while it runs.
    auto* stopSearch = new QPushButton(Utf8("停止搜索"), statusBar());
    stopSearch->setObjectName(QStringLiteral("stopOptimalButton"));
    stopSearch->setToolTip(Utf8("停止最少步数搜索，保留显示的解法（Esc）"));
    stopSearch->hide();
    statusBar()->addPermanentWidget(stopSearch);
    connect(stopSearch, &QPushButton::clicked, this, [this] { doc_.OnCommand(cmd::kStopOptimal); });
    auto* optimalTimer = new QTimer(this);
    optimalTimer->setObjectName(QStringLiteral("optimalTimer"));
    connect(optimalTimer, &QTimer::timeout, this, [this, stopSearch] {
        doc_.OptimalTick();
        stopSearch->setVisible(doc_.OptimalSearching());
    });
    optimalTimer->start(200);
}

CMainFrame::~CMainFrame() { qApp->removeEventFilter(this); }

void CMainFrame::BuildActions() {
    auto* methods = new QActionGroup(this);
    methods->setExclusive(true);
    auto* speeds = new QActionGroup(this);
    speeds->setExclusive(true);
    for (const CommandRow& row : CommandTable()) {
        if (row.id == cmd::kRecentFile1) {
            for (int i = 0; i < kRecentFileCount; ++i) {
                auto* a = new QAction(this);
                const int id = cmd::kRecentFile1 + i;
                a->setStatusTip(Utf8(PromptStatusText(row.prompt)));
                connect(a, &QAction::triggered, this, [this, id] { Dispatch(id); });
                recentActions_.append(a);
                actions_.insert(id, a);
            }
            continue;
        }
        QString text = Utf8(row.menuText);
        const QString tip = Utf8(PromptTooltip(row.prompt));
        const QString status = Utf8(PromptStatusText(row.prompt));
        if (text.isEmpty()) text = tip.isEmpty() ? status : tip;
        if (!row.keys.empty() && row.menu != MenuId::None) text += QLatin1Char('\t') + Utf8(row.keys);
        auto* a = new QAction(text, this);
        a->setStatusTip(status);
        a->setToolTip(tip.isEmpty() ? status : tip);
        a->setIcon(QIcon(ToolbarIconPath(row.id)));
        a->setIconVisibleInMenu(false);
        if (row.mark != MarkRule::None) a->setCheckable(true);
        if (row.mark == MarkRule::RadioMethod) methods->addAction(a);
        if (row.mark == MarkRule::RadioDemoSpeed) speeds->addAction(a);
        const int id = row.id;
        connect(a, &QAction::triggered, this, [this, id] { Dispatch(id); });
        actions_.insert(id, a);
    }
}

void CMainFrame::BuildMenus() {
    for (MenuId menuId : {MenuId::File, MenuId::Edit, MenuId::View, MenuId::Learn, MenuId::Help}) {
        QMenu* menu = menuBar()->addMenu(Utf8(MenuTitle(menuId)));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        QMenu* speedMenu = nullptr;
        for (const CommandRow& row : CommandTable()) {
            if (row.menu != menuId) continue;
            if (row.mark == MarkRule::RadioDemoSpeed) {
                // The pace items sit together in their own submenu.
                if (!speedMenu) speedMenu = menu->addMenu(Utf8(kDemoSpeedMenuTitle));
                speedMenu->addAction(actions_.value(row.id));
                continue;
            }
            if (row.id == cmd::kRecentFile1)
                for (QAction* a : recentActions_) menu->addAction(a);
            else
                menu->addAction(actions_.value(row.id));
            if (row.separatorAfter) menu->addSeparator();
        }
    }
}

void CMainFrame::BuildToolBar() {
    toolBar_ = new QToolBar(Utf8("Velmora工具条"), this);
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int id : ToolbarLayout()) {
        if (id == 0)
            toolBar_->addSeparator();
        else if (QAction* a = actions_.value(id))
            toolBar_->addAction(a);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    // Named before it gets its text: the first text already asks for its accessible
    // interface, which the name selects.
    messagePane_ = new QLabel(bar);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    messagePane_->setText(Utf8("就绪"));
    messagePane_->setMinimumWidth(1);
    bar->addWidget(messagePane_, 1);
    keyPane_ = new QLabel(bar);
    keyPane_->setObjectName(QStringLiteral("keyPane"));
    keyPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    keyPane_->setMinimumWidth(keyPane_->fontMetrics().horizontalAdvance(QString::fromUtf8(kKeyPaneSizingText)) + 8);
    bar->addPermanentWidget(keyPane_);
    capsPane_ = new QLabel(QStringLiteral("CAP"), bar);
    numPane_ = new QLabel(QStringLiteral("NUM"), bar);
    for (QLabel* l : {capsPane_, numPane_}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(l->text()) + 8);
        l->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(l);
    }
    UpdateLockPanes();
}

void CMainFrame::BuildPanes() {
    outer_ = new QSplitter(Qt::Vertical, this);
    outer_->setObjectName(QStringLiteral("outerSplitter"));
    inner_ = new QSplitter(Qt::Horizontal, outer_);
    inner_->setObjectName(QStringLiteral("innerSplitter"));
    cubeView_ = new CTarnex3dView(doc_, inner_);
    netView_ = new CVelmoraView(doc_, inner_);
    solutionView_ = new CTarnexSolutionView(doc_, outer_);
    inner_->addWidget(cubeView_);
    inner_->addWidget(netView_);
    outer_->addWidget(inner_);
    outer_->addWidget(solutionView_);
    // Extra room is shared by all panes in proportion to their sizes, so that a larger
    // window also gives a larger cube and net.
    outer_->setStretchFactor(0, 1);
    outer_->setStretchFactor(1, 1);
    inner_->setStretchFactor(0, 1);
    inner_->setStretchFactor(1, 1);
    for (QWidget* w : {static_cast<QWidget*>(cubeView_), static_cast<QWidget*>(netView_),
                       static_cast<QWidget*>(solutionView_), static_cast<QWidget*>(inner_)})
        w->setMinimumSize(0, 0);
    // In cube input the 3D pane shows the net the net pane draws.
    cubeView_->SetNetPainter([this](QPainter& p) {
        const int* colours = doc_.settings.colourSettings;
        p.fillRect(cubeView_->rect(), RefColour(colours[0]));
        p.scale(InputNetScale(), InputNetScale());
        DrawNet(p, doc_.model, colours);
    });
    cubeView_->SetNetScale([this] { return InputNetScale(); });
    cubeView_->SetNetColourChoice([this](int x, int y) { ColourChoice(doc_, x, y); });
    setCentralWidget(outer_);
    lastView_ = cubeView_;
}

double CMainFrame::InputNetScale() const {
    // The cube pane shows the input net at its designed size, shrunk only to fit.
    return std::min(1.0, NetFitScale(cubeView_->size(), NetExtent(doc_.model)));
}

void CMainFrame::RestoreLayout() {
    // 800 x 572 is the outer size, frame included; the frame is known once the desktop
    // has decorated the window (a bare display draws none).
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    if (!isMaximized() && !isFullScreen())
        resize(QSize(kDefaultWindowWidth, kDefaultWindowHeight) - frameExtra);
    if (QLayout* l = layout()) l->activate();
    const int height = outer_->height() > kDefaultUpperHeight ? outer_->height() : kDefaultUpperHeight + 1;
    const int width = inner_->width() > kDefaultLeftWidth ? inner_->width() : kDefaultLeftWidth + 1;
    outer_->setSizes({kDefaultUpperHeight, height - kDefaultUpperHeight - outer_->handleWidth()});
    inner_->setSizes({kDefaultLeftWidth, width - kDefaultLeftWidth - inner_->handleWidth()});
}

bool CMainFrame::NeedsResolutionAdvice(int screenWidth, int screenHeight) {
    return screenWidth < 800 || screenHeight < 600;
}

void CMainFrame::PlaceOnScreen() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect area = s->geometry();
    const QRect frame = frameGeometry();
    move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
    if (NeedsResolutionAdvice(area.width(), area.height())) {
        doc_.user.Message("建议把屏幕分辨率设置成800*600！", Buttons::Ok, Icon::Information);
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void CMainFrame::CentreOnScreen() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s || isMaximized() || isFullScreen()) return;
    const QRect area = s->geometry();
    const QRect frame = frameGeometry();
    move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}

void CMainFrame::Dispatch(int id) {
    if (id == cmd::kNextPane || id == cmd::kPrevPane) {
        FocusPane(id == cmd::kNextPane ? 1 : -1);
        return;
    }
    // The manual is the window's own matter, as the pane focus is: nothing of the
    // document changes.
    if (id == cmd::kHelp) {
        ShowHelp();
        return;
    }
    // Ctrl+C (and Ctrl+Insert) copy the solution while the solution pane has the focus.
    if (id == cmd::kCopy && QApplication::focusWidget() == solutionView_) id = cmd::kCopySolution;
    // Ctrl+V (and Shift+Insert) in the 3D or net pane paste the clipboard's text as a cube.
    if (id == cmd::kPaste && (QApplication::focusWidget() == cubeView_ || QApplication::focusWidget() == netView_)) {
        if (doc_.IsEnabled(cmd::kPasteCube)) doc_.PasteCube(doc_.user.ClipboardText(), true);
        UpdateTitle();
        UpdateCommandStates();
        return;
    }
    if (doc_.IsEnabled(id)) doc_.OnCommand(id);
    UpdateCommandStates();
}

bool CMainFrame::HandleAccelerator(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    modifiers &= ~Qt::KeypadModifier;
    const QByteArray typed = text.toUtf8();
    for (const AcceleratorRow& row : AcceleratorTable()) {
        bool hit;
        if (row.typedChar)
            hit = typed.size() == 1 && typed[0] == row.key[0] &&
                  !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
        else
            hit = key == KeyOfName(row.key) && modifiers == ModifiersOf(row.modifiers);
        if (hit) {
            Dispatch(row.id);
            return true;
        }
    }
    return false;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        // A key typed into a text field belongs to that field, not to the cube.
        const bool textField = w && w->testAttribute(Qt::WA_InputMethodEnabled);
        if (w && !textField && w->window() == this && !QApplication::activeModalWidget() &&
            !QApplication::activePopupWidget()) {
            auto* key = static_cast<QKeyEvent*>(event);
            // The net's keyboard cursor of cube input comes before the accelerators.
            if (watched == netView_ && netView_->TakesKey(key->key()))
                return QMainWindow::eventFilter(watched, event);
            if (key->key() == Qt::Key_Space && TakesText(QApplication::focusWidget()))
                return QMainWindow::eventFilter(watched, event);
            if (HandleAccelerator(key->key(), key->modifiers(), key->text())) return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::event(QEvent* event) {
    const bool result = QMainWindow::event(event);
    if (!outerSizeFitted_ && isVisible() && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        frameGeometry().size() != geometry().size()) {
        outerSizeFitted_ = true;
        RestoreLayout();
    }
    return result;
}

void CMainFrame::FocusPane(int step) {
    QWidget* views[3] = {cubeView_, netView_, solutionView_};
    int current = 0;
    for (int i = 0; i < 3; ++i)
        if (views[i] == lastView_) current = i;
    QWidget* next = views[(current + step + 3) % 3];
    next->setFocus(Qt::OtherFocusReason);
    lastView_ = next;
    UpdateKeyPane();
}

void CMainFrame::ShowHelp() {
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void CMainFrame::SetMessage(std::string_view text) {
    const QString before = messagePane_->text();
    messagePane_->setText(Utf8(text));
    if (announcer_) announcer_->MessageShown(before, messagePane_->text());
    // A hovered button's prompt covers the message pane until the pointer leaves it;
    // the result of a command wins over it, so that a click on a button shows what it
    // did. The prompt comes back the next time the pointer enters a button.
    statusBar()->clearMessage();
}

QString CMainFrame::Message() const { return messagePane_->text(); }

void CMainFrame::RedrawAll() {
    cubeView_->update();
    netView_->update();
    solutionView_->SyncScroll();
    UpdateCommandStates();
    if (announcer_) announcer_->Refresh();
}

void CMainFrame::UpdateCommandStates() {
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        QAction* a = it.value();
        const int id = it.key();
        a->setEnabled(doc_.IsEnabled(id));
        if (a->isCheckable()) a->setChecked(doc_.IsChecked(id));
    }
    UpdateRecentFiles();
    UpdateKeyPane();
}

void CMainFrame::UpdateRecentFiles() {
    const auto& files = doc_.recentFiles;
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* a = recentActions_[i];
        if (i < static_cast<int>(files.size())) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(DisplayFileName(files[i])));
            a->setVisible(true);
        } else if (i == 0) {
            // An empty list still shows its place, disabled.
            a->setText(Utf8("最近文件"));
            a->setVisible(true);
            a->setEnabled(false);
        } else {
            a->setVisible(false);
        }
    }
}

void CMainFrame::UpdateKeyPane() {
    int kind = kCubeViewKind;
    if (lastView_ == netView_) kind = kNetViewKind;
    if (lastView_ == solutionView_) kind = kSolutionViewKind;
    const KeyPaneState s = doc_.UpdateKeyPane(kind);
    keyPane_->setText(Utf8(s.text.view()));
    keyPane_->setFrameShadow(s.poppedOut ? QFrame::Raised : QFrame::Sunken);
    keyPane_->setEnabled(s.enabled);
}

QString CMainFrame::KeyPaneText() const { return keyPane_->text(); }

void CMainFrame::UpdateLockPanes() {
    bool caps = false, num = false;
    QueryLockKeys(caps, num);
    capsPane_->setEnabled(caps);
    numPane_->setEnabled(num);
}

void CMainFrame::UpdateTitle() {
    // "[*]" is where Qt shows the unsaved-changes mark.
    setWindowTitle(Utf8(kAppTitle) + QStringLiteral(" - ") + DisplayPath(doc_.Title()) + QStringLiteral("[*]"));
    setWindowModified(doc_.HasUnsavedChanges());
}

void CMainFrame::SwapToolbarButton(int oldId, int newId) {
    QAction* oldAction = actions_.value(oldId);
    QAction* newAction = actions_.value(newId);
    if (!oldAction || !newAction || !toolBar_->actions().contains(oldAction)) return;
    newAction->setIcon(oldAction->icon());
    toolBar_->insertAction(oldAction, newAction);
    toolBar_->removeAction(oldAction);
    UpdateCommandStates();
}

int CMainFrame::ToolbarCommandAt(int index) const {
    const QList<QAction*> list = toolBar_->actions();
    if (index < 0 || index >= list.size()) return -1;
    if (list[index]->isSeparator()) return 0;
    return actions_.key(list[index], -1);
}

void CMainFrame::OpenDroppedFile(const QString& path) { OpenDroppedPath(NativePath(path)); }

void CMainFrame::OpenDroppedPath(const std::string& path) {
    doc_.OpenDocumentFile(path);
    UpdateTitle();
    RedrawAll();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!quitting && !doc_.SaveModified()) {
        event->ignore();
        return;
    }
    quitting = true;
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            OpenDroppedPath(NativePathOfUrl(url));
            return;
        }
    }
    // A dropped text (a scramble from a web page) opens the paste dialog with it.
    if (event->mimeData()->hasText() && !event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
        activateWindow();
        if (doc_.IsEnabled(cmd::kPasteCube)) doc_.PasteCube(event->mimeData()->text().toStdString(), true);
        UpdateTitle();
        UpdateCommandStates();
        RedrawAll();
    }
}

}  // namespace velmora
