// The colours the sub-dialogs' lists take on the dark skin set: the list
// field, its text, the accent's dark tone for the chosen row, a header a step
// lighter than the field, faint grid lines, and tick boxes that fill with the
// accent.
#pragma once

#include <windows.h>

#include "ui/kit/report_ctrl.h"

namespace kv::ui {

inline constexpr ReportPalette kSkinListPalette{.text = RGB(0xE9, 0xEB, 0xEE),
                                                .back = RGB(0x11, 0x13, 0x16),
                                                .selectedText = RGB(0xFF, 0xFF, 0xFF),
                                                .selectedBack = RGB(0x4A, 0x30, 0x19),
                                                .headerText = RGB(0x9A, 0xA1, 0xAB),
                                                .headerBack = RGB(0x23, 0x26, 0x2B),
                                                .headerLine = RGB(0x35, 0x3A, 0x43),
                                                .gridLine = RGB(0x24, 0x28, 0x2E),
                                                .tickBox = RGB(0x1A, 0x1D, 0x22),
                                                .tickEdge = RGB(0x5D, 0x63, 0x6C),
                                                .tickFill = RGB(0xFF, 0x8C, 0x1A),
                                                .tickMark = RGB(0x1A, 0x12, 0x08)};

}  // namespace kv::ui
