// The macro page's list of macros: the drop-down whose edit field names the
// selected macro, Add and Delete, and the play count box. It edits private
// copies of the working macros; Apply commits them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/assign/key_assignment.h"
#include "model/macro/macro_record.h"
#include "ui/dialogs/composite/action_list.h"
#include "ui/dialogs/composite/composite_context.h"
#include "ui/kit/png_button.h"

namespace kv::ui {

class MacroPage {
  public:
    MacroPage(CompositeContext& context, ActionList& actions) : context_(context), actions_(actions) {}
    MacroPage(const MacroPage&) = delete;
    MacroPage& operator=(const MacroPage&) = delete;

    // Each opening: the controls, then a copy of every working macro.
    void Attach(HWND dialog, const std::wstring& skinFile);
    void LoadWorkingMacros();
    void ApplyTexts();
    // Called with whether a macro is selected, whenever that may change.
    void SetSelectionListener(std::function<void(bool)> listener) { on_selection_ = std::move(listener); }

    // The page is shown. Initially the stored macro (or the first) is
    // selected; later a page without a selection selects the first macro.
    void Enter(bool initial, const model::KeyAssignment& stored);
    // Add, Delete and the drop-down are off while recording.
    void LockForRecording(bool recording);

    // The selected row's actions and play count go back into its macro.
    void WriteBackSelected();
    std::span<model::MacroRecord> Records() { return records_; }
    int Selected() const { return selected_; }
    bool HasMacros() const { return !records_.empty(); }
    uint16_t SelectedId() const;
    int Cycles() const;

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Release();

  private:
    void OnListChanged(WORD);
    void OnNameEdited(WORD);
    void OnCyclesChanged(WORD);
    void OnAdd(WORD);
    void OnDelete(WORD);

    void Select(int row);  // quietly, without writing the previous row back
    void FillFromSelected();
    void AddRow(const model::MacroRecord& record);
    void SetRowText(int row, const std::wstring& text);
    bool RowBeginsWith(const std::wstring& name) const;
    bool UsedByOtherKeys(uint16_t id);
    void NotifySelection();

    HWND Combo() const;
    HWND CyclesBox() const;

    CompositeContext& context_;
    ActionList& actions_;
    HWND dialog_ = nullptr;
    std::vector<model::MacroRecord> records_;  // one per drop-down row, in row order
    int selected_ = -1;
    int name_counter_ = 0;
    bool quiet_ = false;
    std::vector<std::unique_ptr<CPngButton>> buttons_;
    std::function<void(bool)> on_selection_;
};

}  // namespace kv::ui
