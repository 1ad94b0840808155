#include "tests/win/kit/kit_fixture.h"

#include <shlwapi.h>

namespace kv::ui::test {

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    wchar_t unique[MAX_PATH];
    GetTempFileNameW(base, L"kvk", 0, unique);
    DeleteFileW(unique);
    CreateDirectoryW(unique, nullptr);
    path_ = std::wstring(unique) + L"\\";
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW((path_ + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(path_.c_str());
}

PixelImage SolidImage(int width, int height, uint32_t argb) {
    PixelImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), argb | 0xFF000000);
    return image;
}

void SaveOrFail(const PixelImage& image, const std::wstring& path, ImageFormat format) {
    ASSERT_TRUE(SaveImageFile(image, path, format));
}

void WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write the test file";
    std::wstring bytes = L"\xFEFF" + text;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() * sizeof(wchar_t)), &written,
                              nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok);
}

void WriteIni(const std::wstring& path, const std::wstring& section,
              std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> entries) {
    for (const auto& [key, value] : entries)
        WritePrivateProfileStringW(section.c_str(), key, value, path.c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());  // flush the cache
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HostDialog::HostDialog() : Dialog(DialogTemplate::FromMemory(hostTemplate.get())) { Create(nullptr); }

HostDialog::~HostDialog() = default;

HWND HostDialog::CreateChild(LPCWSTR className, int id, DWORD style, const RECT& rect, LPCWSTR text) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

int HostDialog::Count(UINT message, WPARAM wParam) const {
    int count = 0;
    for (const auto& r : received) count += (r.message == message && r.wParam == wParam) ? 1 : 0;
    return count;
}

bool HostDialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND || message >= WM_USER) received.push_back({message, wParam, lParam});
    return Dialog::Route(message, wParam, lParam, result);
}

uint32_t RgbAt(const PixelImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)] &
           0x00FFFFFF;
}

}  // namespace kv::ui::test
