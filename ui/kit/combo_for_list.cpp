#include "ui/kit/combo_for_list.h"

#include "ui/kit/message_map.h"

namespace kv::ui {

CComboBox4ListCtrl::~CComboBox4ListCtrl() { Destroy(); }

bool CComboBox4ListCtrl::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CComboBox4ListCtrl> kMessages[] = {
        {kReflectedCommand, &CComboBox4ListCtrl::OnReflectedCommand},
        {WM_KEYDOWN, &CComboBox4ListCtrl::OnKeyDown},
        {WM_GETDLGCODE, &CComboBox4ListCtrl::OnGetDlgCode},
        {WM_KILLFOCUS, &CComboBox4ListCtrl::OnKillFocus},
    };
    static constexpr MessageMap<CComboBox4ListCtrl> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

bool CComboBox4ListCtrl::CreateOver(HWND list, int id, const RECT& rect, DWORD extraStyle) {
    Destroy();
    target_ = nullptr;
    if (!Create(L"COMBOBOX", list, id, WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | extraStyle, rect))
        return false;
    SendMessageW(hwnd_, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
    return true;
}

void CComboBox4ListCtrl::SetPostOnSelect(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    target_ = target;
    message_ = message;
    wParam_ = wParam;
    lParam_ = lParam;
}

void CComboBox4ListCtrl::PostEnterOnSelect(HWND list) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC));
    SetPostOnSelect(list, WM_KEYDOWN, VK_RETURN, (scan << 16) | 0x40000001);
}

void CComboBox4ListCtrl::Destroy() {
    HWND combo = hwnd_;
    Detach();
    if (combo && IsWindow(combo)) DestroyWindow(combo);
}

LRESULT CComboBox4ListCtrl::OnReflectedCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) == CBN_SELCHANGE && target_) PostMessageW(target_, message_, wParam_, lParam_);
    return 0;
}

// Enter, Escape and Tab belong to the list's key rules; posted, since the
// list may destroy this combo on the spot.
LRESULT CComboBox4ListCtrl::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_TAB) {
        PostMessageW(GetParent(hwnd_), WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    return CallDefault(WM_KEYDOWN, wParam, lParam);
}

}  // namespace kv::ui
