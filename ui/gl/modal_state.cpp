#include "ui/gl/modal_state.h"

#include <QApplication>

namespace velmora {
namespace {
int openScopes = 0;
}

bool ModalWindowOpen() {
    return openScopes > 0 || QApplication::activeModalWidget() != nullptr || QGuiApplication::modalWindow() != nullptr;
}

ModalScope::ModalScope() { ++openScopes; }
ModalScope::~ModalScope() { --openScopes; }

}  // namespace velmora
