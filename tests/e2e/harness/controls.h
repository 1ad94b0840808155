// Reading and driving the controls of another process's window by id. Reads
// are sent with a time limit; anything that may open a modal window (a click,
// a command) is posted, so the test never waits inside the program's loop.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kv::e2e {

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
std::wstring TextOf(HWND parent, int id);
// The control's own visible style (its window may be hidden).
bool HasVisibleStyle(HWND window);
bool IsShown(HWND parent, int id);
bool IsEnabled(HWND parent, int id);
// BM_GETCHECK answered with BST_CHECKED; nothing when the control did not answer.
std::optional<bool> IsChecked(HWND parent, int id);
// The control's rectangle in its parent's client coordinates.
RECT RectOf(HWND parent, int id);
// The items of a combo box.
std::vector<std::wstring> ComboItems(HWND parent, int id);
// Selection of a combo box, CB_ERR (-1) when none.
int ComboSelection(HWND parent, int id);

// Clicks the button as the user would: only when it exists, is visible and is
// enabled (false otherwise, and nothing is sent); the click is posted.
bool Click(HWND parent, int id);
// Posts a command (a menu item, an accelerator).
void PostCommand(HWND window, WPARAM command);
// The window answers a synchronous request in time: its thread is not stuck.
bool Responds(HWND window, std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

}  // namespace kv::e2e
