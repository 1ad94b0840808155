// kvwait: waits until the running program's main window is on screen and has
// painted, so that a screenshot shows it whole.
//   kvwait [SECONDS]       (default 60)
// Exit code: 0 shown, 1 not shown within the time, 2 bad command line.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr LONG_PTR kMainMarker = 0x4D41494E;  // 'MAIN', the main window's user data

BOOL CALLBACK FindVisibleMain(HWND window, LPARAM found) {
    if (GetWindowLongPtrW(window, GWLP_USERDATA) != kMainMarker || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    long seconds = 60;
    if (argc > 2) return 2;
    if (argc == 2) {
        wchar_t* end = nullptr;
        seconds = std::wcstol(argv[1], &end, 10);
        if (*end != L'\0' || seconds < 1 || seconds > 3600) return 2;
    }
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    for (;;) {
        HWND main = nullptr;
        EnumWindows(FindVisibleMain, reinterpret_cast<LPARAM>(&main));
        if (main) {
            // Paint now, then let the window's thread finish what is queued before it.
            RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            std::puts("kvwait: the main window is shown");
            return 0;
        }
        if (GetTickCount64() >= deadline) break;
        Sleep(100);
    }
    std::fprintf(stderr, "kvwait: the main window did not appear within %ld s\n", seconds);
    return 1;
}
