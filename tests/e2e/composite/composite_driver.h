// Driving the key assignment dialog of a running copy from outside: opening
// it from a main-window button, choosing on its pages, typing real keys into
// it, and reading back what the main window's Apply wrote to the simulated
// keyboard and to the working profile file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "harness/keyboard_copy.h"
#include "model/assign/key_assignment.h"
#include "model/assign/key_map_entry.h"
#include "model/macro/macro_record.h"

namespace kv::e2e {

// The dialog's window once the click on the main-window button opened it; null on time-out.
HWND OpenAssignmentDialog(KeyboardCopy& copy, int button);
// The dialog of the copy that is up now (null for none).
HWND AssignmentDialog(DWORD pid);
bool WaitUntilDialogCloses(DWORD pid);

// The user's choice in a combo box: the selection, then its notification (posted).
bool Choose(HWND dialog, int combo, int row);
// Text typed into an edit box (its change notification follows).
void Type(HWND dialog, int edit, const std::wstring& text);
// Real key presses (down, then up) with the window in front: they pass the
// keyboard hooks as a user's keys do. Shift and the like are given as virtual keys.
bool PressKeys(HWND window, std::initializer_list<WORD> keys);

// The main window's Apply, finished (the button greys again).
bool ApplyInMain(HWND main);

// What the keyboard keeps for a position of a profile's key map.
model::MatrixEntry KeyboardEntry(KeyboardCopy& copy, int profile, int position);
// The working profile file's entry of a key index in a profile; nothing when the file does not read.
std::optional<model::KeyAssignment> FileEntry(int profile, int key_index);
// The macros in the keyboard's macro area, in order.
std::optional<std::vector<model::MacroRecord>> KeyboardMacros(KeyboardCopy& copy);
std::u16string NameOf(const model::MacroRecord& macro);

}  // namespace kv::e2e

namespace kv::e2e {

// The action list of the dialog, from outside.
HWND ActionList(HWND dialog);
int SelectedActionRow(HWND dialog);
int ActionRowCount(HWND dialog);
// A click on a row's cell (posted button down and up at its middle).
bool ClickActionCell(HWND dialog, int row, int column);
// Selects the row with a click and waits until it is selected.
bool SelectActionRow(HWND dialog, int row);
// The edit box or chooser now over a cell (null for none), once a second
// click on the selected row's cell opened it.
HWND OpenCellEditor(HWND dialog, int row, int column);
HWND CellEditor(HWND dialog);
// "poke macro" commands that put this image into the keyboard's macro area.
std::vector<std::string> MacroAreaPokes(const std::vector<uint8_t>& image);

}  // namespace kv::e2e
