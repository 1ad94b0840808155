// The tooltip text of another process's control: the tip window of its
// process that holds the control as a tool, asked for the tool's text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kv::e2e {

// Nothing when the control has no tooltip (yet).
std::optional<std::wstring> TooltipOf(HWND control);

}  // namespace kv::e2e
