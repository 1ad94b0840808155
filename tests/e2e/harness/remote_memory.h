// Memory in another process, for control messages whose pointers the system
// does not carry across processes (list views, tooltips): the harness writes
// the record there, sends the message, and reads the answer back.
#pragma once

#include <windows.h>

#include <cstddef>

namespace kv::e2e {

class RemoteProcess {
  public:
    explicit RemoteProcess(HWND window);  // the process that owns the window
    ~RemoteProcess();
    RemoteProcess(const RemoteProcess&) = delete;
    RemoteProcess& operator=(const RemoteProcess&) = delete;
    explicit operator bool() const { return process_ != nullptr; }
    HANDLE get() const { return process_; }

  private:
    HANDLE process_ = nullptr;
};

class RemoteBlock {
  public:
    RemoteBlock(const RemoteProcess& process, size_t size);
    ~RemoteBlock();
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    explicit operator bool() const { return address_ != nullptr; }
    char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }

    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;

  private:
    HANDLE process_;
    void* address_;
};

// A message sent with a time limit; nothing when the window did not answer.
bool AskRemote(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

}  // namespace kv::e2e
