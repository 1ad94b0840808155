// An owned registry key handle and the few value operations the settings use.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kv::app {

class RegKey {
  public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    RegKey(RegKey&& other) noexcept : key_(other.Release()) {}
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    // Opens `parent\sub_key` for reading and writing, creating it when missing.
    static RegKey Create(HKEY parent, const std::wstring& sub_key);
    // Opens an existing key; an empty RegKey when it does not exist.
    static RegKey Open(HKEY parent, const std::wstring& sub_key, REGSAM access = KEY_READ | KEY_WRITE);

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY Release();
    void Close();

  private:
    HKEY key_ = nullptr;
};

// nullopt when the value is missing or not a REG_DWORD.
std::optional<std::uint32_t> ReadDword(HKEY key, const wchar_t* name);
bool WriteDword(HKEY key, const wchar_t* name, std::uint32_t value);

// nullopt when the value is missing or not a string (REG_SZ or REG_EXPAND_SZ).
std::optional<std::wstring> ReadString(HKEY key, const wchar_t* name);
bool WriteString(HKEY key, const wchar_t* name, const std::wstring& value);

bool DeleteValue(HKEY key, const wchar_t* name);

}  // namespace kv::app
