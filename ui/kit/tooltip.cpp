#include "ui/kit/tooltip.h"

#include <commctrl.h>

namespace kv::ui {

namespace {

TTTOOLINFOW ToolInfo(HWND tool, std::wstring& text) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text.data();
    return info;
}

}  // namespace

void Tooltip::SetText(HWND tool, const std::wstring& text) {
    text_ = text;
    if (tip_ && tool_ != tool) Destroy();
    if (!tip_) {
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tool, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (!tip_) return;
        tool_ = tool;
        TTTOOLINFOW info = ToolInfo(tool, text_);
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 300);
    } else {
        TTTOOLINFOW info = ToolInfo(tool, text_);
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
    SendMessageW(tip_, TTM_ACTIVATE, TRUE, 0);
}

void Tooltip::Destroy() {
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
    tip_ = nullptr;
    tool_ = nullptr;
}

}  // namespace kv::ui
