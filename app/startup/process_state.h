// Process-wide state that several windows and threads share: the instance
// flags, the published main window and the two configuration locks.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

#include "app/startup/paths.h"

namespace kv::ui {
class CKelvarinDlg;
}

namespace kv::app {

struct ProcessState {
    AppPaths paths;
    std::wstring user_settings_ini;  // set during the main window's initialisation

    // 1: do not open the main window by itself when the keyboard is found.
    std::atomic<int> auto_open_suppressed{0};
    std::atomic<HWND> main_window_handle{nullptr};
    std::atomic<ui::CKelvarinDlg*> main_dialog{nullptr};

    // HKCU\Software\QX5307, open for the whole run; nullptr when it could not be opened.
    HKEY user_registry_key = nullptr;

    // Live from before the main window until after it; taken working first, then applied.
    std::recursive_mutex* working_config_lock = nullptr;
    std::recursive_mutex* applied_config_lock = nullptr;
};

ProcessState& Process();

}  // namespace kv::app
