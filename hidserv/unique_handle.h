// Owning wrappers for Win32 handles. The library builds use them, and so does
// the program (app/startup/handles.h), so there is one such template.
#pragma once

#include <windows.h>

#include <utility>

namespace kv::hidserv {

// Owns one handle; Close is the function that releases it.
template <typename T, auto Close, T Invalid = T{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T value) : value_(value) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : value_(std::exchange(other.value_, Invalid)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.value_, Invalid));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    T Get() const { return value_; }
    explicit operator bool() const { return value_ != Invalid; }
    T Release() { return std::exchange(value_, Invalid); }
    void Reset(T value = Invalid) {
        if (value_ != Invalid) Close(value_);
        value_ = value;
    }

  private:
    T value_ = Invalid;
};

inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }

using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;

// CreateFileW and CreateNamedPipeW report failure as INVALID_HANDLE_VALUE, which
// cannot be a template argument; this maps it to the empty handle.
inline UniqueKernelHandle OwnFileHandle(HANDLE h) {
    return UniqueKernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

}  // namespace kv::hidserv
