#include "harness/tooltips.h"

#include <commctrl.h>

#include "harness/controls.h"
#include "harness/remote_memory.h"

namespace kv::e2e {

namespace {

constexpr size_t kTextCapacity = 1024;

// The tool as the kit registers it: the control itself, by window handle.
TTTOOLINFOW ToolOf(HWND control, LPWSTR text) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text;
    return info;
}

// The text the tip window holds for the tool; nothing when it holds no such tool.
std::optional<std::wstring> TextFrom(HWND tip, HWND control) {
    RemoteProcess process(tip);
    RemoteBlock block(process, sizeof(TTTOOLINFOW) + kTextCapacity * sizeof(wchar_t));
    if (!block) return std::nullopt;
    const TTTOOLINFOW info = ToolOf(control, reinterpret_cast<LPWSTR>(block.at(sizeof(TTTOOLINFOW))));
    LRESULT known = FALSE;
    if (!block.Write(0, &info, sizeof info) ||
        !AskRemote(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(block.at(0)), &known) || !known)
        return std::nullopt;
    std::wstring text(kTextCapacity, L'\0');
    if (!block.Write(sizeof(TTTOOLINFOW), text.data(), text.size() * sizeof(wchar_t)) ||
        !block.Write(0, &info, sizeof info) ||
        !AskRemote(tip, TTM_GETTEXTW, kTextCapacity, reinterpret_cast<LPARAM>(block.at(0))) ||
        !block.Read(sizeof(TTTOOLINFOW), text.data(), (text.size() - 1) * sizeof(wchar_t)))
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

}  // namespace

std::optional<std::wstring> TooltipOf(HWND control) {
    DWORD pid = 0;
    GetWindowThreadProcessId(control, &pid);
    // Tip windows are top-level windows of the control's process.
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != pid || ClassOf(w) != TOOLTIPS_CLASSW) continue;
        if (std::optional<std::wstring> text = TextFrom(w, control)) return text;
    }
    return std::nullopt;
}

}  // namespace kv::e2e
