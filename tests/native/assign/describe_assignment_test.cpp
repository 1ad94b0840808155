#include "model/assign/describe_assignment.h"

#include <gtest/gtest.h>

#include "text_map.h"

namespace kv::model {
namespace {

const testing::TextMap kTexts{
    {u"IDS_KEYBOARD_A", u"A"},         {u"IDS_KEYBOARD_B", u"B"},
    {u"MEDIA_V_ADD_7", u"Volume+"},    {u"KEY_PROMPT_SET", u" is set to "},
    {u"KEY_PROMPT_SINGLE", u"key ("},  {u"KEY_PROMPT_MACRO", u"macro ("},
    {u"KEY_PROMPT_MEDIA", u"media ("}, {u"KEY_PROMPT_FUNCTION", u"function ("},
    {u"FUNC_KEY_DESC3", u"Game mode"}, {u"UNKNOWN_KEY", u"Key %d"},
};

MacroList Macros() {
    auto records = MacroList::Allocate(2);
    records[0].id = 4;
    std::u16string_view name = u"Combo";
    std::copy(name.begin(), name.end(), records[0].name);
    records[1].id = 6;
    std::fill(std::begin(records[1].name), std::end(records[1].name), u'x');  // no terminator
    MacroList list;
    list.Install(std::move(records), 2);
    return list;
}

TEST(DescribeAssignment, TooltipAndCheckedStateByKind) {
    const MacroList macros = Macros();
    const struct {
        const char* what;
        KeyAssignment entry;
        AssignmentButton button;
        bool checked;
        std::u16string tooltip;
    } cases[] = {
        {"default", {kKindDefault, 0, 0, 0, 0}, AssignmentButton::Key(0x01E), false, u"A"},
        {"default G", {kKindDefault, 0x0303, 0, 0, 0}, AssignmentButton::G(3), false, u"G3"},
        {"disabled", {kKindDisabled, 0, 0, 0, 0}, AssignmentButton::Key(0x01E), true, u"A is set to "},
        {"key", {kKindKey, 0, 0x030, 0, 0}, AssignmentButton::Key(0x01E), true, u"A is set to key (B)"},
        {"key without a name",
         {kKindKey, 0, 0x064, 0, 0},
         AssignmentButton::G(9),
         true,
         u"G9 is set to key (Key 100)"},
        {"launch program",
         {kKindLaunchProgram, 0, 12, 0, 0},
         AssignmentButton::Key(0x01E),
         true,
         u"A is set to "},
        {"macro", {kKindMacro, 1, 4, 0, 0}, AssignmentButton::Key(0x01E), true, u"A is set to macro (Combo)"},
        {"macro gone", {kKindMacro, 1, 5, 0, 0}, AssignmentButton::Key(0x01E), true, u"A is set to macro ()"},
        {"macro name filling its field",
         {kKindMacro, 1, 6, 0, 0},
         AssignmentButton::G(1),
         true,
         u"G1 is set to macro (" + std::u16string(250, u'x') + u")"},
        {"stop macro", {kKindStopMacro, 0, 0, 0, 0}, AssignmentButton::Key(0x01E), true, u"A is set to "},
        {"text block", {kKindTextBlock, 0, 0, 0, 0}, AssignmentButton::Key(0x01E), true, u"A is set to "},
        {"media",
         {kKindMedia, 0, 6, 0, 0},
         AssignmentButton::Key(0x01E),
         true,
         u"A is set to media (Volume+)"},
        {"media past the list",
         {kKindMedia, 0, 18, 0, 0},
         AssignmentButton::Key(0x01E),
         true,
         u"A is set to media ()"},
        {"function",
         {kKindFunction, 0, 2, 0, 0},
         AssignmentButton::Key(0x01E),
         true,
         u"A is set to function (Game mode)"},
        {"function without text",
         {kKindFunction, 0, 0xFFFFFFFF, 0, 0},
         AssignmentButton::Key(0x01E),
         true,
         u"A is set to function (#Error)"},
        {"foreign kind as disabled",
         {42, 0, 0x030, 0, 0},
         AssignmentButton::Key(0x01E),
         true,
         u"A is set to "},
    };
    for (const auto& c : cases) {
        const AssignmentDescription d = DescribeAssignment(c.entry, c.button, macros, kTexts);
        EXPECT_EQ(c.checked, d.checked) << c.what;
        EXPECT_EQ(c.tooltip, d.tooltip) << c.what;
    }
}

}  // namespace
}  // namespace kv::model
