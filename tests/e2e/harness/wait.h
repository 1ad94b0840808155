// Waiting for a state with a deadline: every end-to-end wait polls, none sleeps a fixed time.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>

namespace kv::e2e {

struct Child;

// Polls until done() or the timeout; the last value of done().
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout);
// Exit code once the process has ended within the timeout.
std::optional<DWORD> WaitForExit(const Child& child, std::chrono::milliseconds timeout);
// Same, and meanwhile records whether the process ever showed a visible top-level window.
std::optional<DWORD> WaitForExitWatchingWindows(const Child& child, std::chrono::milliseconds timeout,
                                                bool* showed_window);

}  // namespace kv::e2e
