// What the firmware update dialog checks and names on its own.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace kv::ui {

// Only an existing regular file whose name ends in ".exe" (any case) may be
// started as the update program: the keyboard is switched into update mode
// only once such a file is there.
bool IsRunnableUpdateFile(const std::wstring& path);

// "Before update YYYY-MM-DD HHMMSS.kvp" for the given local time.
std::wstring AutoBackupName(const SYSTEMTIME& localTime);

}  // namespace kv::ui
