// The profile manager's list: one row per on-board profile (all three name
// the working profile file) and one per file added with Add or Load; a tick
// marks the row to make active. Each row knows what it stands for, so
// removing a row never makes another row mean a different profile.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialogs/dialog_host.h"
#include "ui/kit/report_ctrl.h"

namespace kv::ui {

struct ProfileRow {
    int profile = -1;            // on-board profile 0..2, or -1 for a file row
    std::filesystem::path file;  // the file the row names
};

// Column texts of a row: the file name without folder and extension, and the
// drive and folder (ending with a separator).
struct ProfileRowTexts {
    std::wstring name;
    std::wstring folder;
};
ProfileRowTexts RowTextsOf(const std::wstring& path);
// The registry's path of a row: its folder, its name and ".kvp".
std::wstring RegistryPathOf(const ProfileRowTexts& texts);

class ProfileList {
  public:
    // Takes the dialog's list control: places it from the skin entry, sets
    // its columns (headers from the language file) and its dark palette.
    bool Attach(HWND dialog, int id, const std::wstring& skinFile, const DialogHost& texts);

    // The three on-board rows, the active profile's ticked.
    void Fill(const std::filesystem::path& workingFile, int activeProfile);
    void AppendFile(const std::filesystem::path& file);
    // Removes the selected row; false when none is selected.
    bool RemoveSelected();
    // Ticks the row of an on-board profile and no other (none for a profile
    // without a row).
    void TickProfile(int profile);

    // The first ticked row; null when none is ticked.
    const ProfileRow* Ticked() const;
    std::vector<std::wstring> RegistryPaths() const;
    int RowCount() const { return list_.RowCount(); }
    CReportCtrl& Control() { return list_; }

  private:
    void AddRow(std::unique_ptr<ProfileRow> row);
    const ProfileRow* RowAt(int index) const;

    CReportCtrl list_;
    std::vector<std::unique_ptr<ProfileRow>> rows_;  // owned here; the list holds pointers
};

}  // namespace kv::ui
