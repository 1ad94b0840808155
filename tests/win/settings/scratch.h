// Temporary folders, UTF-16 INI files and a scratch registry key for tests.
#pragma once

#include <windows.h>

#include <string>

#include "app/settings/registry_key.h"

namespace kv::app::testing {

// A fresh folder under %TEMP%, removed with its files on destruction.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // Ends with a backslash.
    const std::wstring& path() const { return path_; }

  private:
    std::wstring path_;
};

// Writes `text` as UTF-16LE with a byte-order mark, as the language files are.
void WriteUtf16File(const std::wstring& path, const std::wstring& text);

// HKCU\Software\KelvarinTests\<unique>, deleted with its subkeys on destruction.
class ScratchRegistryKey {
  public:
    ScratchRegistryKey();
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;
    HKEY get() const { return key_.get(); }

  private:
    std::wstring sub_key_;
    RegKey key_;
};

}  // namespace kv::app::testing
