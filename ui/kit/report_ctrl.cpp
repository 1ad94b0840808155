// Set-up, message routing, mouse and key rules of the report list.
#include "ui/kit/report_ctrl.h"

#include <windowsx.h>

#include "ui/kit/message_map.h"
#include "ui/kit/report_ctrl_parts.h"

namespace kv::ui {

CReportCtrl::CReportCtrl() = default;

CReportCtrl::~CReportCtrl() {
    // The window may outlive this object only by mistake; its rows then keep
    // dangling records, so take them out first.
    if (hwnd_ && IsWindow(hwnd_)) DeleteAllRows();
}

bool CReportCtrl::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CReportCtrl> kMessages[] = {
        {WM_LBUTTONDOWN, &CReportCtrl::OnLeftDown},   {WM_LBUTTONDBLCLK, &CReportCtrl::OnLeftDouble},
        {WM_RBUTTONDOWN, &CReportCtrl::OnRightDown},  {WM_RBUTTONDBLCLK, &CReportCtrl::OnRightDouble},
        {WM_MBUTTONDOWN, &CReportCtrl::OnMiddleDown}, {WM_MBUTTONDBLCLK, &CReportCtrl::OnMiddleDouble},
        {WM_KEYDOWN, &CReportCtrl::OnKeyDown},        {WM_CHAR, &CReportCtrl::OnChar},
        {WM_VSCROLL, &CReportCtrl::OnVerticalScroll}, {kReflectedNotify, &CReportCtrl::OnReflectedNotify},
        {WM_COMMAND, &CReportCtrl::OnCommand},        {WM_DESTROY, &CReportCtrl::OnDestroy},
    };
    static constexpr NotifyRoute<CReportCtrl> kNotifies[] = {
        {kAnySender, HDN_ITEMCLICKW, &CReportCtrl::OnHeaderClick},
        {kAnySender, HDN_ITEMCLICKA, &CReportCtrl::OnHeaderClick},
    };
    static constexpr MessageMap<CReportCtrl> kMap{kMessages, {}, kNotifies};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void CReportCtrl::OnAttached() {
    ApplyExtendedStyle(0);
    SetTickMode(tickMode_);
}

// ---- set-up ----

void CReportCtrl::ApplyExtendedStyle(DWORD requested) {
    // With a palette the list draws its grid lines and tick boxes itself.
    const DWORD style = requested | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES |
                        (gridLines_ && !palette_ ? LVS_EX_GRIDLINES : 0) |
                        (tickMode_ != TickMode::None ? LVS_EX_CHECKBOXES : 0);
    SendMessageW(
        hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE,
        LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | requested,
        style);
    if (palette_ && tickMode_ != TickMode::None) InstallTickImages();
}

void CReportCtrl::SetGridLines(bool on) {
    gridLines_ = on;
    ApplyExtendedStyle(0);
}

void CReportCtrl::SetTickMode(TickMode mode) {
    tickMode_ = mode;
    ApplyExtendedStyle(0);
}

void CReportCtrl::SetHeaderClickable(bool clickable) {
    headerClickable_ = clickable;
    LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    style = clickable ? (style & ~static_cast<LONG_PTR>(LVS_NOSORTHEADER)) : (style | LVS_NOSORTHEADER);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    if (!clickable) {
        sortColumn_ = -1;
        ascending_ = true;
    }
}

void CReportCtrl::EnableEditing(bool on) {
    if (!on) EndEdit(true);
    editingEnabled_ = on;
}

void CReportCtrl::SetOwner(void* ownerDialog, int* quietFlag) {
    ownerDialog_ = ownerDialog;
    quietFlag_ = quietFlag;
}

void CReportCtrl::WithQuietFlag(const std::function<void()>& action) {
    if (quietFlag_) *quietFlag_ = 1;
    action();
    if (quietFlag_) *quietFlag_ = 0;
}

void CReportCtrl::SelectOnly(int row) {
    WithQuietFlag([&] {
        for (int i = FindRow(kRowSelected); i >= 0; i = FindRow(kRowSelected, i))
            ListView_SetItemState(hwnd_, i, 0, LVIS_SELECTED);
        ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    });
}

// ---- mouse ----

LRESULT CReportCtrl::OnMouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SendMessageW(hwnd_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const int row = hit.iItem < RowCount() ? hit.iItem : -1;
    const bool wasEditing = IsEditing();
    const bool wasCurrent = left && row >= 0 && HasState(row, kRowSelected | kRowFocused);
    const bool tickBefore = row >= 0 && GetTick(row);

    EndEdit(true);
    const LRESULT result = CallDefault(message, wParam, lParam);
    if (!hwnd_) return result;

    const bool tickChanged =
        tickMode_ != TickMode::None && row >= 0 && row < RowCount() && GetTick(row) != tickBefore;
    if (tickChanged) HandleTickClick(row, !tickBefore);
    if (left && editingEnabled_ && !wasEditing && !tickChanged && wasCurrent) StartEdit(row, hit.iSubItem);
    return result;
}

void CReportCtrl::HandleTickClick(int row, bool ticked) {
    if (tickMode_ == TickMode::OneOfMany && ticked) {
        for (int i = 0; i < RowCount(); ++i) {
            if (i != row && GetTick(i)) {
                PutTick(i, false);
                if (hooks_.checkChanged) hooks_.checkChanged(i, *this);
            }
        }
    }
    if (tickMode_ == TickMode::Fixed) {
        PutTick(row, !ticked);
        if (hooks_.checkChanged) hooks_.checkChanged(row, *this);
        return;
    }
    SelectOnly(row);
}

// ---- keys ----

bool CReportCtrl::HandleKey(UINT virtualKey) {
    if (!IsEditing()) return virtualKey == VK_SPACE;  // a tick never changes from the keyboard
    if (virtualKey != VK_TAB && virtualKey != VK_RETURN && virtualKey != VK_ESCAPE) return false;
    if (virtualKey != VK_TAB) EndEdit(virtualKey == VK_RETURN);  // Enter keeps, Escape discards
    return true;
}

bool CReportCtrl::PreTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN || !hwnd_) return false;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
    return HandleKey(static_cast<UINT>(message.wParam));
}

LRESULT CReportCtrl::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    if (HandleKey(static_cast<UINT>(wParam))) return 0;
    return CallDefault(WM_KEYDOWN, wParam, lParam);
}

LRESULT CReportCtrl::OnChar(WPARAM wParam, LPARAM lParam) {
    if (wParam == L' ' && !IsEditing()) return 0;
    return CallDefault(WM_CHAR, wParam, lParam);
}

LRESULT CReportCtrl::OnVerticalScroll(WPARAM wParam, LPARAM lParam) {
    if (!IsEditing()) return CallDefault(WM_VSCROLL, wParam, lParam);
    EndEdit(false);
    return 0;
}

// ---- notifications ----

LRESULT CReportCtrl::OnHeaderClick(NMHDR* header) {
    const auto* click = reinterpret_cast<const NMHEADERW*>(header);
    SortByColumn(click->iItem);
    return CallDefault(WM_NOTIFY, static_cast<WPARAM>(header->idFrom), reinterpret_cast<LPARAM>(header));
}

LRESULT CReportCtrl::OnReflectedNotify(WPARAM, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == static_cast<UINT>(NM_CUSTOMDRAW))
        return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    return 0;
}

// A cell editor's notifications go to it first, then on to the owner as usual.
LRESULT CReportCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND child = reinterpret_cast<HWND>(lParam);
    if (child && GetParent(child) == hwnd_) SendMessageW(child, kReflectedCommand, wParam, lParam);
    return hwnd_ && IsWindow(hwnd_) ? CallDefault(WM_COMMAND, wParam, lParam) : 0;
}

LRESULT CReportCtrl::OnDestroy(WPARAM wParam, LPARAM lParam) {
    DeleteAllRows();
    editBox_.reset();
    return CallDefault(WM_DESTROY, wParam, lParam);
}

}  // namespace kv::ui
