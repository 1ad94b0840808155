#include "harness/wait.h"

#include <thread>

#include "harness/program_copy.h"
#include "harness/program_windows.h"

namespace kv::e2e {

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::optional<DWORD> WaitForExitWatchingWindows(const Child& child, std::chrono::milliseconds timeout,
                                                bool* showed_window) {
    if (!child.process) return std::nullopt;
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (showed_window && HasVisibleWindow(child.pid)) *showed_window = true;
        if (WaitForSingleObject(child.process, 10) == WAIT_OBJECT_0) break;
        if (std::chrono::steady_clock::now() >= end) return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(child.process, &code);
    return code;
}

std::optional<DWORD> WaitForExit(const Child& child, std::chrono::milliseconds timeout) {
    return WaitForExitWatchingWindows(child, timeout, nullptr);
}

}  // namespace kv::e2e
