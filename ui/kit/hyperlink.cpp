#include "ui/kit/hyperlink.h"

#include "ui/kit/message_map.h"
#include "ui/kit/nested_loops.h"
#include "ui/kit/web_address.h"

namespace kv::ui {

namespace {

// The system's own words for an error code, or the number when it has none.
std::wstring ErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer, length) : L"Error " + std::to_wstring(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    return text;
}

}  // namespace

bool CHyperLink::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CHyperLink> kMessages[] = {
        {WM_PAINT, &CHyperLink::OnPaint},         {WM_NCHITTEST, &CHyperLink::OnHitTest},
        {WM_SETCURSOR, &CHyperLink::OnSetCursor}, {WM_LBUTTONUP, &CHyperLink::OnLeftButtonUp},
        {WM_SETTEXT, &CHyperLink::OnSetText},
    };
    static constexpr MessageMap<CHyperLink> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

bool CHyperLink::Open() {
    SetLastError(ERROR_SUCCESS);
    if (OpenWebAddress(target_)) {
        visited_ = true;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return true;
    }
    const DWORD error = IsPlainWebAddress(target_) ? GetLastError() : ERROR_INVALID_PARAMETER;
    MessageBeep(MB_ICONEXCLAMATION);
    NestedMessageBox(GetParent(hwnd_), ErrorText(error == ERROR_SUCCESS ? ERROR_FILE_NOT_FOUND : error), L"",
                     MB_OK | MB_ICONEXCLAMATION);
    return false;
}

LRESULT CHyperLink::OnSetCursor(WPARAM, LPARAM) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

LRESULT CHyperLink::OnLeftButtonUp(WPARAM, LPARAM) {
    Open();
    return 0;
}

LRESULT CHyperLink::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(WM_SETTEXT, wParam, lParam);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return result;
}

LRESULT CHyperLink::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Paint(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

void CHyperLink::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    // The background the dialog gives its labels.
    HWND parent = GetParent(hwnd_);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));

    if (!underlined_) {
        LOGFONTW base{};
        HFONT current = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
        GetObjectW(current ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof(base), &base);
        base.lfUnderline = TRUE;
        underlined_.Reset(CreateFontIndirectW(&base));
    }
    const std::wstring text = Text();
    SelectGuard select(dc, underlined_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, visited_ ? kVisitedColor : kLinkColor);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace kv::ui
