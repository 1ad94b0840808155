// The multimedia and the function page: a label and one drop-down list whose
// row is what the key gets (the media number or the function number).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/dialogs/composite/composite_context.h"

namespace kv::ui {

class ChoicePage {
  public:
    using Names = std::function<std::wstring(int row)>;

    // `rows` entries named by `names`; `kind` is what choosing a row makes the key.
    ChoicePage(CompositeContext& context, int listId, int rows, uint16_t kind, Names names)
        : context_(context), list_id_(listId), rows_(rows), kind_(kind), names_(std::move(names)) {}

    void Attach(HWND dialog, const std::wstring& skinFile, const wchar_t* labelKey, const wchar_t* listKey,
                int labelId);
    // Fills the list in the current language, keeping the selection.
    void ApplyTexts(const std::wstring& label);
    // Each opening: the stored number, or the first row when it is none of them.
    void Select(int row);
    int Row() const;

    // The user chose a row: the key gets this page's kind.
    void OnChosen();

  private:
    HWND List() const { return GetDlgItem(dialog_, list_id_); }

    CompositeContext& context_;
    int list_id_;
    int rows_;
    uint16_t kind_;
    Names names_;
    HWND dialog_ = nullptr;
    int label_id_ = 0;
};

}  // namespace kv::ui
