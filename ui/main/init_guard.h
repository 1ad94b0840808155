// The main window's initialisation must never leave a process without window
// or tray icon: whatever it throws ends the process silently with code 0.
#pragma once

#include <functional>

namespace kv::ui {

// The steps' answer; false, after the silent end, when they threw.
bool RunInitialisation(const std::function<bool()>& steps);

}  // namespace kv::ui
