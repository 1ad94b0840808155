#include "scratch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

namespace kv::app::testing {
namespace {

std::wstring UniqueName() {
    static std::atomic<int> counter{0};
    return std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) + L"-" +
           std::to_wstring(counter++);
}

constexpr wchar_t kTestsKey[] = L"Software\\KelvarinTests";

}  // namespace

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"kv-settings-" + UniqueName() + L"\\";
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out) << "cannot write the test file";
    out.put(static_cast<char>(0xFF));
    out.put(static_cast<char>(0xFE));
    for (wchar_t c : text) {
        out.put(static_cast<char>(c & 0xFF));
        out.put(static_cast<char>((c >> 8) & 0xFF));
    }
}

ScratchRegistryKey::ScratchRegistryKey()
    : sub_key_(std::wstring(kTestsKey) + L"\\" + UniqueName()),
      key_(RegKey::Create(HKEY_CURRENT_USER, sub_key_)) {}

ScratchRegistryKey::~ScratchRegistryKey() {
    key_.Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, sub_key_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestsKey);  // only succeeds once no other test key is left
}

}  // namespace kv::app::testing
