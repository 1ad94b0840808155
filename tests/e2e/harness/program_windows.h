// Finding the program's windows from another process: the main window by its
// marker, any window by the control ids it holds, message boxes by their text.
#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <string>

namespace kv::e2e {

// Top-level window of the process that carries the main-window marker.
HWND FindMainWindow(DWORD pid);
// A top-level window of the process that holds every one of these control ids.
HWND FindWindowWithControls(DWORD pid, std::initializer_list<int> ids);
bool HasVisibleWindow(DWORD pid);
// A visible top-level dialog (class "#32770") of the process with exactly this text.
HWND FindMessageBox(DWORD pid, const std::wstring& text);
// Waits for that message box and answers it (IDOK, IDYES, IDNO, ...), posted;
// false when it did not appear within the time or did not close.
bool AnswerMessageBox(DWORD pid, const std::wstring& text, int answer, std::chrono::milliseconds timeout);
// Whether the shell holds an icon for this window and id.
bool TrayIconPresent(HWND owner, UINT id);
// A running copy after its initialisation: main window found, tray icon added; null on time-out.
HWND WaitUntilReady(DWORD pid, std::chrono::milliseconds timeout);

}  // namespace kv::e2e
