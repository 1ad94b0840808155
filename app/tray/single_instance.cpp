#include "app/tray/single_instance.h"

#include "app/tray/command_line.h"
#include "app/tray/instance.h"

namespace kv::app {

namespace {

constexpr DWORD kMutexFullAccess = 0x001F0001;

}  // namespace

SingleInstance::Decision SingleInstance::Settle(std::span<const std::wstring> args,
                                                const std::wstring& module_file_name) {
    const StartSwitches switches = ParseStartSwitches(args);
    if (switches.kill) {
        // A "/Kill" start never becomes a running copy, whether or not it found one.
        if (DWORD running = FindProcessByImageName(module_file_name))
            DeliverInstanceRequest(running, InstanceRequest::kKill);
        return {};
    }
    const Decision go_on{true, switches.start};
    HANDLE existing = OpenMutexW(kMutexFullAccess, FALSE, kSingleInstanceMutexName);
    if (existing) {
        mutex_.Reset(existing);
        if (DWORD running = FindProcessByImageName(module_file_name)) {
            DeliverInstanceRequest(running, InstanceRequest::kOpen);
            return {};
        }
        return go_on;  // nobody to hand over to: carry on as the first copy
    }
    mutex_.Reset(CreateMutexW(nullptr, TRUE, kSingleInstanceMutexName));
    return go_on;
}

}  // namespace kv::app
