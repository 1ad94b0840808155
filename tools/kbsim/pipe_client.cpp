#include "tools/kbsim/pipe_client.h"

#include <windows.h>

#include "hidserv/unique_handle.h"

namespace kv::kbsim {

using kv::hidserv::OwnFileHandle;
using kv::hidserv::UniqueKernelHandle;

std::optional<std::string> SendControlLine(const std::wstring& pipe, const std::string& line,
                                           unsigned timeout_ms) {
    DWORD start = GetTickCount();
    UniqueKernelHandle handle;
    for (;;) {
        handle = OwnFileHandle(
            CreateFileW(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (handle) break;
        DWORD error = GetLastError();
        if (GetTickCount() - start >= timeout_ms) return std::nullopt;
        // Busy: the server is answering someone else. Missing: it may be starting.
        if (error == ERROR_PIPE_BUSY)
            WaitNamedPipeW(pipe.c_str(), 100);
        else
            Sleep(50);
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!SetNamedPipeHandleState(handle.Get(), &mode, nullptr, nullptr)) return std::nullopt;
    DWORD written = 0;
    if (!WriteFile(handle.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr))
        return std::nullopt;

    std::string answer;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        BOOL ok = ReadFile(handle.Get(), buffer, sizeof buffer, &got, nullptr);
        answer.append(buffer, got);
        if (ok) return answer;
        if (GetLastError() != ERROR_MORE_DATA) return answer.empty() ? std::nullopt : std::optional(answer);
    }
}

}  // namespace kv::kbsim
