#include "hidserv/sim/control_pipe.h"

#include <windows.h>

#include <thread>

#include "hidserv/unique_handle.h"
#include "sim/control_commands.h"

namespace kv::hidserv {
namespace {

constexpr DWORD kBufferSize = 64 * 1024;
constexpr DWORD kMaxRequest = 4096;

// One whole message; empty when the client went away or sent too much.
std::string ReadRequest(HANDLE pipe) {
    std::string request;
    char buffer[512];
    for (;;) {
        DWORD got = 0;
        BOOL ok = ReadFile(pipe, buffer, sizeof buffer, &got, nullptr);
        request.append(buffer, got);
        if (request.size() > kMaxRequest) return {};
        if (ok) return request;
        if (GetLastError() != ERROR_MORE_DATA) return {};
    }
}

void WriteAnswer(HANDLE pipe, const std::string& answer) {
    DWORD written = 0;
    WriteFile(pipe, answer.data(), static_cast<DWORD>(answer.size()), &written, nullptr);
    FlushFileBuffers(pipe);
}

void Serve(kv::sim::SimHidService* service, std::wstring name) {
    int failures = 0;
    while (failures < 10) {
        UniqueKernelHandle pipe = OwnFileHandle(CreateNamedPipeW(
            name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
            PIPE_UNLIMITED_INSTANCES, kBufferSize, kBufferSize, 0, nullptr));
        if (!pipe) {
            ++failures;
            Sleep(500);
            continue;
        }
        failures = 0;
        if (!ConnectNamedPipe(pipe.Get(), nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) continue;
        std::string request = ReadRequest(pipe.Get());
        std::string answer = request.empty() ? std::string("error: request unreadable\n")
                                             : kv::sim::RunControlCommand(*service, request);
        WriteAnswer(pipe.Get(), answer);
        DisconnectNamedPipe(pipe.Get());
    }
}

}  // namespace

bool StartControlPipe(kv::sim::SimHidService& service, const std::wstring& name) {
    try {
        std::thread([svc = &service, name] {
            try {
                Serve(svc, name);
            } catch (...) {
                // The control channel is a convenience; the library keeps working without it.
            }
        }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace kv::hidserv
