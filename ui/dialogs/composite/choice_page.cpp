#include "ui/dialogs/composite/choice_page.h"

#include "ui/kit/skin_placement.h"

namespace kv::ui {

void ChoicePage::OnChosen() {
    context_.SetKind(kind_);
    context_.MarkChanged();
}

void ChoicePage::Attach(HWND dialog, const std::wstring& skinFile, const wchar_t* labelKey,
                        const wchar_t* listKey, int labelId) {
    dialog_ = dialog;
    label_id_ = labelId;
    PlaceControl(GetDlgItem(dialog, labelId), skinFile, L"BUTTONINFO", labelKey);
    PlaceControl(List(), skinFile, L"BUTTONINFO", listKey);
}

void ChoicePage::ApplyTexts(const std::wstring& label) {
    SetDlgItemTextW(dialog_, label_id_, label.c_str());
    const int row = Row();
    HWND list = List();
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < rows_; ++i) {
        const std::wstring name = names_(i);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ChoicePage::Select(int row) {
    SendMessageW(List(), CB_SETCURSEL, static_cast<WPARAM>(row >= 0 && row < rows_ ? row : 0), 0);
}

int ChoicePage::Row() const {
    const int row = static_cast<int>(SendMessageW(List(), CB_GETCURSEL, 0, 0));
    return row >= 0 && row < rows_ ? row : 0;
}

}  // namespace kv::ui
