// What the checks of the main window's commands share: the simulated
// keyboard's memory, a profile file to restore and what the keyboard holds
// once it is written, the backup/restore menu, and Apply's state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace kv::e2e {

inline constexpr size_t kKeyMapBytes = 512;
inline constexpr int kProfiles = 3;

// A memory area of the simulated keyboard ("keymaps", "macro", "matrix", ...) as kbsim dumps it.
std::optional<std::vector<uint8_t>> SimArea(const std::wstring& pipe, const std::string& area, size_t offset,
                                            size_t length);
// One line of the simulator's status ("writes ...", "config-exchanges ...").
std::string SimStatusLine(const std::wstring& pipe, const std::string& name);

// A profile file: profile 1 has A acting as B, profile 2 A playing the macro
// "ab", profile 3 B as volume up; the one macro is "ab".
bool WriteRestoreFixture(const std::wstring& path);
// The same file with one header byte changed: its checksum no longer fits.
bool WriteDamagedFixture(const std::wstring& path);
// What the keyboard holds once the fixture is written: profile p's key map,
// from the keyboard's own default matrix, and the macro area's first bytes.
std::vector<uint8_t> FixtureKeyMap(const std::vector<uint8_t>& matrix, int profile);
std::vector<uint8_t> FixtureMacroArea();

// The whole file, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path);

// Opens the backup/restore menu with its button and chooses the item at the
// position (0 Restore, 1 Backup, 2 Export as JSON, 3 Import JSON, 4 Firmware
// update) from the keyboard, as the user would.
bool ChooseBackupMenuItem(HWND main, DWORD pid, int position);
// The program's open popup menu, null when there is none.
HWND FindPopupMenu(DWORD pid);

// Restore through the menu and the open dialog.
bool RestoreThroughMenu(HWND main, DWORD pid, const std::wstring& path);

// Apply's button is enabled exactly while changes are pending.
bool WaitForPending(HWND main, bool pending);
// Waits until the window's thread has ended what it was doing (a keyboard
// write keeps answering sent messages, but leaves posted ones queued): a
// posted Cancel hides the window, then Open shows it again.
bool WaitUntilIdle(HWND main, DWORD pid);

}  // namespace kv::e2e
