#pragma once
// Whether a modal window is open: a message box, a dialog, a file or colour dialog.
// The demonstration timer waits while one is: the position the user is being asked
// about must stay the one on the screen.
namespace velmora {

bool ModalWindowOpen();

// Marks a modal window for its lifetime, for dialogs the toolkit may show as windows
// of the desktop's own (native file dialogs), which Qt does not count as modal widgets.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

}  // namespace velmora
