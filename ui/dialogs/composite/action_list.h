// The macro page's action list: one row per action of the selected macro
// (key, direction, delay), its three cell editors, the row buttons (delete,
// clear, top, up, down, bottom) and the rows the recorder inserts. Each row's
// data is an action this class owns.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/macro/macro_record.h"
#include "ui/dialogs/composite/composite_context.h"
#include "ui/dialogs/composite/key_events.h"
#include "ui/kit/combo_for_list.h"
#include "ui/kit/png_button.h"
#include "ui/kit/report_ctrl.h"

namespace kv::ui {

class ActionList {
  public:
    explicit ActionList(CompositeContext& context) : context_(context) {}
    ActionList(const ActionList&) = delete;
    ActionList& operator=(const ActionList&) = delete;

    // Each opening: attaches to the dialog's controls and places them.
    void Attach(HWND dialog, const std::wstring& skinFile);
    void ApplyTexts();
    void EnableButtons(bool on);
    // Run before a delay cell opens for editing (the recording stops).
    void SetBeforeDelayEdit(std::function<void()> action) { before_delay_edit_ = std::move(action); }

    // Rows from a macro (at most 2000 actions); back into a macro.
    void Fill(const model::MacroRecord& macro);
    void WriteBack(model::MacroRecord& macro) const;
    void RemoveAll();
    int RowCount() const;
    const model::MacroAction* ActionAt(int row) const;

    // A recorded keystroke: after the selected row, or at the end; the pause
    // goes to the row before it. False at 2000 rows.
    bool InsertRecorded(const composite::RecordedAction& action);

    int EndEdit(bool keep) { return list_.hwnd() ? list_.EndEdit(keep) : 0; }
    // Enter and Escape, before the dialog swallows them.
    void PreviewKey(const MSG& message);
    CReportCtrl& List() { return list_; }

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After the window is gone: frees the actions.
    void Release();

  private:
    void OnDeleteRow(WORD);
    void OnClearRows(WORD);
    void OnTop(WORD) {
        Move([this](int row) { return list_.MoveToTop(row); });
    }
    void OnUp(WORD) {
        Move([this](int row) { return list_.MoveUp(row); });
    }
    void OnDown(WORD) {
        Move([this](int row) { return list_.MoveDown(row); });
    }
    void OnBottom(WORD) {
        Move([this](int row) { return list_.MoveToBottom(row); });
    }
    void Move(const std::function<int(int)>& move);

    int AddRow(int position, const model::MacroAction& action);
    void ShowAction(int row, const model::MacroAction& action);
    void SelectRow(int row);
    model::MacroAction* MutableAt(int row) const;
    void Free(const model::MacroAction* action);

    // Cell editors (action_cell_editors.cpp).
    int BeginEdit(CReportCtrl& list, DWORD& extraStyle);
    int EndEditHook(CReportCtrl& list, bool keep, int& changed);
    int CheckDelay(HWND edit, CReportCtrl& list);
    void OpenChooser(CReportCtrl& list, int row, int column);

    CompositeContext& context_;
    CReportCtrl list_;
    CComboBox4ListCtrl chooser_;
    std::vector<std::unique_ptr<CPngButton>> buttons_;
    std::vector<std::unique_ptr<model::MacroAction>> actions_;
    std::function<void()> before_delay_edit_;
    int quiet_ = 0;
};

// What the direction cells show.
std::wstring DirectionText(uint16_t direction);

}  // namespace kv::ui
