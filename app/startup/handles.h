// Owning wrappers for the kernel and user objects the program holds.
#pragma once

#include <windows.h>

#include <utility>

namespace kv::app {

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
inline void CloseRegistryKey(HKEY k) { ::RegCloseKey(k); }
inline void DestroyMenuHandle(HMENU m) { ::DestroyMenu(m); }
inline void FreeModuleHandle(HMODULE m) { ::FreeLibrary(m); }

using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueRegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
using UniqueModule = UniqueHandle<HMODULE, FreeModuleHandle>;

}  // namespace kv::app
