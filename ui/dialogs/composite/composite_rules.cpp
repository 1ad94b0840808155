#include "ui/dialogs/composite/composite_rules.h"

#include <algorithm>

#include "model/decimal_text.h"
#include "model/keys/g_keys.h"
#include "model/keys/key_names.h"
#include "model/keys/media.h"

namespace kv::ui::composite {

namespace {

int RowOrFirst(int row, int count) { return row >= 0 && row < count ? row : 0; }

}  // namespace

Page PageOfKind(uint16_t kind) {
    switch (kind) {
        case model::kKindMacro:
            return Page::kMacro;
        case model::kKindMedia:
            return Page::kMedia;
        case model::kKindFunction:
            return Page::kFunction;
        default:
            return Page::kKey;
    }
}

uint16_t KindOfPage(Page page) {
    switch (page) {
        case Page::kMacro:
            return model::kKindMacro;
        case Page::kMedia:
            return model::kKindMedia;
        case Page::kFunction:
            return model::kKindFunction;
        case Page::kKey:
            break;
    }
    return model::kKindKey;
}

int CyclesFromText(std::wstring_view text) {
    return std::clamp(model::LeadingDecimal(text).value_or(0), kMinCycles, kMaxCycles);
}

DelayEntry DelayFromText(std::wstring_view text) {
    const int typed = model::LeadingDecimal(text).value_or(0);
    const bool over = typed < 0 || static_cast<uint32_t>(typed) > kMaxDelayMs;
    const uint32_t delay = over ? kMaxDelayMs : static_cast<uint32_t>(typed);
    return {delay - delay % kDelayStepMs, over};
}

int MouseRowOf(model::KeyCode code) {
    const auto it = std::find(kMouseRowCodes.begin(), kMouseRowCodes.end(), code);
    return it == kMouseRowCodes.end() ? -1 : static_cast<int>(it - kMouseRowCodes.begin());
}

BuiltEntry BuildEntry(const EntryChoice& choice) {
    model::KeyAssignment entry = choice.stored;  // the reserved words stay
    entry.kind = choice.kind;
    entry.g_id = model::GIdOfEntry(choice.key_index);
    entry.value = 0;
    switch (choice.kind) {
        case model::kKindKey:
            if (choice.mouse_choice) {
                entry.value = kMouseRowCodes[static_cast<size_t>(RowOrFirst(choice.mouse_row, 5))];
            } else if (choice.captured_key == 0 ||
                       model::KeyIndexOf(choice.captured_key) == choice.key_index) {
                entry.kind = model::kKindDefault;  // a key given itself is its default
            } else {
                entry.value = choice.captured_key;
            }
            return {entry, true};
        case model::kKindMacro:
            if (!choice.has_macro) {
                entry.kind = model::kKindDefault;
                return {entry, true};
            }
            entry.value = choice.macro_id;
            entry.g_id = static_cast<uint16_t>(std::clamp(choice.cycles, kMinCycles, kMaxCycles));
            return {entry, true};
        case model::kKindMedia:
            entry.value =
                static_cast<uint32_t>(RowOrFirst(choice.media_row, static_cast<int>(model::kMediaCount)));
            return {entry, true};
        case model::kKindFunction:
            entry.value = static_cast<uint32_t>(RowOrFirst(choice.function_row, model::kFunctionCount));
            return {entry, true};
        case model::kKindDefault:
            return {entry, true};
        default:
            // Disabled, launch program, stop macro, text block and foreign
            // kinds come only from the stored entry: they stay as they were.
            entry.value = choice.stored.value;
            return {entry, false};
    }
}

ScreenPoint PlaceDialog(int screen_w, int screen_h, const ScreenRect& b, int w, int h, bool centred) {
    if (centred) return {(screen_w - w) / 2, (screen_h - h) / 2};
    const bool right = screen_w - b.right >= w, left = b.left >= w;
    const bool below = screen_h - b.bottom >= h, above = b.top >= h;
    if (right && below) return {b.right, b.bottom};
    if (right && above) return {b.right, b.top - h};
    if (left && below) return {b.left - w, b.bottom};
    if (left && above) return {b.left - w, b.top - h};
    return {b.right, b.bottom};
}

}  // namespace kv::ui::composite
