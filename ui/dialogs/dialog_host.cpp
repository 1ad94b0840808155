#include "ui/dialogs/dialog_host.h"

#include "app/settings/language_texts.h"
#include "ui/kit/nested_loops.h"

namespace kv::ui {

std::wstring TextOr(std::wstring lookedUp, const wchar_t* fixed) {
    return lookedUp == app::kMissingTextW ? std::wstring(fixed) : lookedUp;
}

int ShowDialogMessage(HWND owner, const DialogHost& host, const std::wstring& text, UINT flags) {
    return NestedMessageBox(owner, text, host.LanguageText(L"TEXT", L"MAIN_CAPTION"), flags);
}

}  // namespace kv::ui
