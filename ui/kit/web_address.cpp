#include "ui/kit/web_address.h"

#include <windows.h>
// Windows headers that need the one above:
#include <shellapi.h>

#include <cwctype>
#include <string>

namespace kv::ui {

namespace {

size_t SchemeLength(std::wstring_view address) {
    for (std::wstring_view scheme : {std::wstring_view(L"https://"), std::wstring_view(L"http://")}) {
        if (address.size() < scheme.size()) continue;
        bool same = true;
        for (size_t i = 0; i < scheme.size() && same; ++i) same = std::towlower(address[i]) == scheme[i];
        if (same) return scheme.size();
    }
    return 0;
}

bool Unsafe(wchar_t c) {
    if (c <= 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
    if (c == 0x2028 || c == 0x2029 || c == 0xFEFF) return true;
    return std::wstring_view(L"\"<>\\^`{|}").find(c) != std::wstring_view::npos;
}

}  // namespace

bool IsPlainWebAddress(std::wstring_view address) {
    const size_t host = SchemeLength(address);
    if (host == 0 || host >= address.size()) return false;
    if (std::wstring_view(L"/?#:@.").find(address[host]) != std::wstring_view::npos) return false;
    for (wchar_t c : address) {
        if (Unsafe(c)) return false;
    }
    return true;
}

bool OpenWebAddress(std::wstring_view address) {
    if (!IsPlainWebAddress(address)) return false;
    const std::wstring target(address);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace kv::ui
