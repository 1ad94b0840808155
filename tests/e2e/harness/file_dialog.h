// The common open and save dialogs of another process, driven as the user
// would: the file name typed into the dialog's name box, then its OK button.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace kv::e2e {

// A visible common file dialog of the process (a top-level "#32770" with an
// edit box for the name and a list of files); null when there is none.
HWND FindFileDialog(DWORD pid);
// Waits for a file dialog, enters the path and presses OK; false when no
// dialog came within the time or it did not close.
bool ChooseInFileDialog(DWORD pid, const std::wstring& path, std::chrono::milliseconds timeout);
// The same for a save dialog asking whether to replace the existing file: Yes.
bool ReplaceInFileDialog(DWORD pid, const std::wstring& path, std::chrono::milliseconds timeout);
// Waits for a file dialog and cancels it.
bool CancelFileDialog(DWORD pid, std::chrono::milliseconds timeout);

}  // namespace kv::e2e
