// Driving the profile manager and the firmware update dialog of a running
// copy: finding them, their list's ticks, the registry's profile list.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace kv::e2e {

// Control ids of the profile manager (template 131) and the update dialog (149).
inline constexpr int kManagerList = 1007;
inline constexpr int kManagerLoad = 1008;
inline constexpr int kManagerAdd = 1010;
inline constexpr int kManagerDelete = 1011;
inline constexpr int kManagerApply = 1012;
inline constexpr int kUpdateStart = 1147;
inline constexpr int kUpdatePath = 1179;
inline constexpr int kUpdateCancel = 1180;
inline constexpr int kUpdateOpen = 1181;
inline constexpr int kUpdateBackup = 1182;
inline constexpr WPARAM kFirmwareUpdate = 32780;

HWND FindProfileManager(DWORD pid);
HWND FindUpdateDialog(DWORD pid);

// The rows whose check box is ticked.
std::vector<int> TickedRows(HWND list);
// Clicks the row's tick box, as the user would; false when the list has none there.
bool ClickTick(HWND list, int row);
// Selects exactly that row.
bool SelectRow(HWND list, int row);

// "PROFILE00", "PROFILE01", ... of the program's registry key; nothing when absent.
std::optional<std::wstring> RegistryProfileValue(int n);
void DeleteRegistryProfileValues();

// The keyboard's active profile as the simulator holds it; -1 when unknown.
int SimActiveProfile(const std::wstring& pipe);

}  // namespace kv::e2e
