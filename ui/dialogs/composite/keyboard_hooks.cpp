#include "ui/dialogs/composite/keyboard_hooks.h"

namespace kv::ui {

namespace {

int live_hooks = 0;
// The sink of the hooks installed now; the procedures have no other way to
// reach it. One dialog at a time records or captures.
KeyHookSink* active_sink = nullptr;

KeyboardHooks::Installer& CustomInstaller() {
    static KeyboardHooks::Installer installer;
    return installer;
}

UniqueHook InstallHook(int id, HOOKPROC procedure, HINSTANCE module, DWORD thread) {
    const HHOOK hook = CustomInstaller() ? CustomInstaller()(id, procedure, module, thread)
                                         : SetWindowsHookExW(id, procedure, module, thread);
    if (hook) ++live_hooks;
    return UniqueHook(hook);
}

}  // namespace

void detail::UnhookCounted(HHOOK hook) {
    UnhookWindowsHookEx(hook);
    --live_hooks;
}

bool KeyboardHooks::Install(KeyHookSink& sink) {
    if (!Installed()) {
        UniqueHook thread = InstallHook(WH_KEYBOARD, &ThreadProc, nullptr, GetCurrentThreadId());
        UniqueHook low_level = InstallHook(WH_KEYBOARD_LL, &LowLevelProc, GetModuleHandleW(nullptr), 0);
        if (!thread || !low_level) return false;  // whichever was installed goes again here
        thread_ = std::move(thread);
        low_level_ = std::move(low_level);
    }
    sink_ = &sink;
    active_sink = &sink;
    return true;
}

void KeyboardHooks::Remove() {
    if (active_sink == sink_) active_sink = nullptr;
    sink_ = nullptr;
    thread_.Reset();
    low_level_.Reset();
}

int KeyboardHooks::LiveHooks() { return live_hooks; }

void KeyboardHooks::SetInstaller(Installer installer) { CustomInstaller() = std::move(installer); }

LRESULT CALLBACK KeyboardHooks::ThreadProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active_sink) {
        try {
            if (active_sink->OnThreadKey(wParam, lParam)) return 1;
        } catch (...) {
            // nothing crosses into the system's hook chain
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHooks::LowLevelProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active_sink && lParam) {
        try {
            if (active_sink->OnLowLevelKey(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)))
                return 1;
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace kv::ui
