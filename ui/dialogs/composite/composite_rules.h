// The key assignment dialog's rules that need no window: which page a kind
// opens on, the limits of the number boxes, the entry an Apply writes and
// where the dialog opens.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/assign/key_assignment.h"
#include "model/keys/key_code.h"

namespace kv::ui::composite {

enum class Page { kKey, kMacro, kMedia, kFunction };

// Macro page for kind 4, multimedia for 7, function for 8, single key for any other.
Page PageOfKind(uint16_t kind);
// The kind a page's tab gives.
uint16_t KindOfPage(Page page);

inline constexpr int kMinCycles = 1;
inline constexpr int kMaxCycles = 255;
inline constexpr uint32_t kMaxDelayMs = 40000;
inline constexpr uint32_t kDelayStepMs = 10;

// The play count a cycles box text stands for: 1..255, whatever was typed
// (nothing, "0", "300", "99999999999").
int CyclesFromText(std::wstring_view text);

struct DelayEntry {
    uint32_t delay_ms;  // rounded down to a multiple of 10, at most 40000
    bool over_limit;    // above 40000, or negative: the limit message is due
};
// A delay cell as typed; text without a number reads as 0.
DelayEntry DelayFromText(std::wstring_view text);

// The mouse list's rows: left, right and middle button, wheel up, wheel down.
inline constexpr std::array<model::KeyCode, 5> kMouseRowCodes = {model::kKeyMouseLeft, model::kKeyMouseRight,
                                                                 model::kKeyMouseMiddle, model::kKeyWheelUp,
                                                                 model::kKeyWheelDown};
// The row of a mouse key code; -1 for any other code.
int MouseRowOf(model::KeyCode code);

// What the pages hold when Apply builds the entry.
struct EntryChoice {
    uint16_t kind = model::kKindDefault;
    model::KeyIndex key_index = 0;
    model::KeyAssignment stored{};  // the entry as the dialog found it
    // Single-key page.
    bool mouse_choice = false;
    model::KeyCode captured_key = 0;
    int mouse_row = 0;
    // Macro page: the selected macro's id in the committed list (none: no macro).
    bool has_macro = false;
    uint16_t macro_id = 0;
    int cycles = 1;
    // Multimedia and function pages.
    int media_row = 0;
    int function_row = 0;
};

struct BuiltEntry {
    model::KeyAssignment entry;
    // Whether the entry's string slot is emptied: not while the entry keeps a
    // kind the dialog cannot make (a program path or a text stays with it).
    bool clear_string;
};

BuiltEntry BuildEntry(const EntryChoice& choice);

struct ScreenRect {
    int left, top, right, bottom;
};
struct ScreenPoint {
    int x, y;
};
// Top-left corner for a dialog of w x h on a screen of screen_w x screen_h:
// centred, or beside the button (below right, above right, below left, above
// left, whichever fits first; below right when none does).
ScreenPoint PlaceDialog(int screen_w, int screen_h, const ScreenRect& button, int w, int h, bool centred);

}  // namespace kv::ui::composite
