#include "harness/remote_memory.h"

namespace kv::e2e {

namespace {

constexpr UINT kTimeoutMs = 5000;

}  // namespace

RemoteProcess::RemoteProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid) process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
}

RemoteProcess::~RemoteProcess() {
    if (process_) CloseHandle(process_);
}

RemoteBlock::RemoteBlock(const RemoteProcess& process, size_t size)
    : process_(process.get()),
      address_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                        : nullptr) {}

RemoteBlock::~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBlock::Write(size_t offset, const void* data, size_t size) const {
    SIZE_T moved = 0;
    return address_ && WriteProcessMemory(process_, at(offset), data, size, &moved) && moved == size;
}

bool RemoteBlock::Read(size_t offset, void* data, size_t size) const {
    SIZE_T moved = 0;
    return address_ && ReadProcessMemory(process_, at(offset), data, size, &moved) && moved == size;
}

bool AskRemote(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &answer)) return false;
    if (result) *result = static_cast<LRESULT>(answer);
    return true;
}

}  // namespace kv::e2e
