#pragma once
// The state of the Caps Lock and Num Lock indicators, where the window system tells it.
namespace velmora {

// False when the state cannot be read (both are then reported off).
bool QueryLockKeys(bool& capsLock, bool& numLock);

}  // namespace velmora
