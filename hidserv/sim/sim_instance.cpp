#include "hidserv/sim/sim_instance.h"

#include <windows.h>

#include <mutex>

#include "hidserv/sim/control_pipe.h"

namespace kv::hidserv {
namespace {

std::wstring Env(const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
    if (n == 0 || n >= std::size(buffer)) return {};
    return std::wstring(buffer, n);
}

std::filesystem::path LibraryFolder() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&LibraryFolder), &module))
        return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

kv::sim::SimHidService* Create() {
    kv::sim::SimOptions options;
    options.plugged = Env(L"KELVARIN_SIM_UNPLUGGED") != L"1";
    options.usb_timing = Env(L"KELVARIN_SIM_TIMING") == L"1";
    std::wstring state = Env(L"KELVARIN_SIM_STATE");
    if (state.empty()) {
        std::filesystem::path folder = LibraryFolder();
        if (!folder.empty()) options.state_file = folder / L"HidServSim.state";
    } else if (state != L"none") {
        options.state_file = state;
    }
    // Threads of the library outlive every caller; the process ends them. Pinning
    // keeps their code loaded should a caller free the library.
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&Create), &self);
    auto* service = new kv::sim::SimHidService(options);
    StartControlPipe(*service, ControlPipeName());
    return service;
}

}  // namespace

std::wstring ControlPipeName() {
    std::wstring name = Env(L"KELVARIN_SIM_PIPE");
    return name.empty() ? std::wstring(L"\\\\.\\pipe\\KelvarinKbSim") : name;
}

kv::sim::SimHidService& SimInstance() {
    static kv::sim::SimHidService* service = Create();
    return *service;
}

}  // namespace kv::hidserv
