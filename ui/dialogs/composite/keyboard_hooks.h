// The two keyboard hooks the dialog captures keys and records macros with: a
// keyboard hook on this thread and a low-level hook that also sees the
// Windows keys. Each handle is owned; the procedures only hand the keystroke
// to the current sink and swallow it when the sink says so.
#pragma once

#include <windows.h>

#include <functional>

#include "app/startup/handles.h"

namespace kv::ui {

class KeyHookSink {
  public:
    virtual ~KeyHookSink() = default;
    // true swallows the keystroke.
    virtual bool OnThreadKey(WPARAM vk, LPARAM flags) = 0;
    virtual bool OnLowLevelKey(WPARAM message, const KBDLLHOOKSTRUCT& event) = 0;
};

namespace detail {
void UnhookCounted(HHOOK hook);
}
using UniqueHook = app::UniqueHandle<HHOOK, detail::UnhookCounted>;

class KeyboardHooks {
  public:
    KeyboardHooks() = default;
    KeyboardHooks(const KeyboardHooks&) = delete;
    KeyboardHooks& operator=(const KeyboardHooks&) = delete;
    ~KeyboardHooks() { Remove(); }

    // Installs both hooks the first time; while they are installed a further
    // call only hands the keystrokes to another sink. False, with nothing
    // installed, when either hook cannot be installed.
    bool Install(KeyHookSink& sink);
    void Remove();
    bool Installed() const { return static_cast<bool>(thread_); }

    // Hooks of this class installed in the process now.
    static int LiveHooks();

    // The hook procedures themselves; tests call them with synthetic input.
    static LRESULT CALLBACK ThreadProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK LowLevelProc(int code, WPARAM wParam, LPARAM lParam);

    // Tests: installs hooks in place of SetWindowsHookExW (null restores it).
    using Installer = std::function<HHOOK(int id, HOOKPROC procedure, HINSTANCE module, DWORD thread)>;
    static void SetInstaller(Installer installer);

  private:
    UniqueHook thread_;
    UniqueHook low_level_;
    KeyHookSink* sink_ = nullptr;
};

}  // namespace kv::ui
