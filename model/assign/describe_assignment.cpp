#include "model/assign/describe_assignment.h"

#include <algorithm>
#include <string>

#include "model/keys/key_names.h"
#include "model/keys/media.h"

namespace kv::model {

namespace {

std::u16string Decimal(uint64_t n) {
    std::u16string digits;
    for (char c : std::to_string(n)) digits.push_back(static_cast<char16_t>(c));
    return digits;
}

std::u16string Text(const TextSource& texts, std::u16string_view key) {
    return texts.Text(kTextSection, key);
}

std::u16string ButtonName(AssignmentButton button, const TextSource& texts) {
    if (button.is_g) {
        std::u16string name = u"G";
        name += Decimal(button.number);
        return name;
    }
    return KeyDisplayName(texts, button.number);
}

std::u16string MacroName(const MacroList& macros, uint32_t id) {
    const MacroRecord* m = id <= 0xFFFF ? macros.FindById(static_cast<uint16_t>(id)) : nullptr;
    if (!m) return {};
    const char16_t* end = std::find(m->name, m->name + kMacroNameField, u'\0');
    return std::u16string(m->name, end);
}

}  // namespace

AssignmentDescription DescribeAssignment(const KeyAssignment& entry, AssignmentButton button,
                                         const MacroList& working_macros, const TextSource& texts) {
    AssignmentDescription d{false, ButtonName(button, texts)};
    const uint16_t kind = EffectiveKind(entry.kind);
    if (kind == kKindDefault) return d;
    d.checked = true;
    d.tooltip += Text(texts, u"KEY_PROMPT_SET");
    switch (kind) {
        case kKindKey:
            d.tooltip += Text(texts, u"KEY_PROMPT_SINGLE");
            if (entry.value <= 0xFFFF) d.tooltip += KeyDisplayName(texts, static_cast<KeyCode>(entry.value));
            d.tooltip += u")";
            break;
        case kKindMacro:
            d.tooltip += Text(texts, u"KEY_PROMPT_MACRO");
            d.tooltip += MacroName(working_macros, entry.value);
            d.tooltip += u")";
            break;
        case kKindMedia:
            d.tooltip += Text(texts, u"KEY_PROMPT_MEDIA");
            if (entry.value < kMediaCount) d.tooltip += KeyDisplayName(texts, MediaList()[entry.value].code);
            d.tooltip += u")";
            break;
        case kKindFunction:
            d.tooltip += Text(texts, u"KEY_PROMPT_FUNCTION");
            d.tooltip +=
                Text(texts, std::u16string(u"FUNC_KEY_DESC").append(Decimal(uint64_t{entry.value} + 1)));
            d.tooltip += u")";
            break;
        default:
            break;  // disabled, launch program, stop macro, text block
    }
    return d;
}

}  // namespace kv::model
