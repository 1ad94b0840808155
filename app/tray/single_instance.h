// The instance decision of a new process: a "/Kill" start hands 'KILL' to the
// running copy and ends; a second start hands it 'OPEN' and ends; otherwise
// this process becomes the running copy and holds the mutex "PL27M03C".
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "app/startup/handles.h"

namespace kv::app {

inline constexpr wchar_t kSingleInstanceMutexName[] = L"PL27M03C";

class SingleInstance {
  public:
    struct Decision {
        bool run = false;           // false: this process ends at once, with code 0
        bool start_hidden = false;  // "/Start": no automatic opening
    };

    // `args` from the program name on; `module_file_name` names the running copies.
    Decision Settle(std::span<const std::wstring> args, const std::wstring& module_file_name);
    // Closes the mutex (shutdown).
    void Release() { mutex_.Reset(); }
    bool Held() const { return static_cast<bool>(mutex_); }

  private:
    UniqueKernelHandle mutex_;
};

}  // namespace kv::app
