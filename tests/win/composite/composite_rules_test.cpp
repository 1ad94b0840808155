// The dialog's window-free rules: number boxes, the entry an Apply writes and
// where the dialog opens.
#include "ui/dialogs/composite/composite_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::ui::composite {
namespace {

using model::KeyAssignment;

TEST(CompositeRules, CyclesSaturateIntoOneTo255) {
    const struct {
        const wchar_t* typed;
        int cycles;
    } cases[] = {
        {L"", 1},      {L"0", 1},      {L"1", 1},     {L"7", 7},
        {L"255", 255}, {L"256", 255},  {L"300", 255}, {L"99999999999", 255},
        {L"-5", 1},    {L"12abc", 12},
    };
    for (const auto& c : cases) EXPECT_EQ(CyclesFromText(c.typed), c.cycles) << c.typed;
}

TEST(CompositeRules, DelaysRoundDownToTensAndStopAt40000) {
    const struct {
        const wchar_t* typed;
        uint32_t delay;
        bool over;
    } cases[] = {
        {L"125", 120, false},     {L"0", 0, false},        {L"9", 0, false},
        {L"40000", 40000, false}, {L"40001", 40000, true}, {L"99999999999", 40000, true},
        {L"-1", 40000, true},     {L"", 0, false},         {L"45005", 40000, true},
    };
    for (const auto& c : cases) {
        const DelayEntry entry = DelayFromText(c.typed);
        EXPECT_EQ(entry.delay_ms, c.delay) << c.typed;
        EXPECT_EQ(entry.over_limit, c.over) << c.typed;
    }
}

TEST(CompositeRules, EachKindOpensItsPage) {
    const struct {
        uint16_t kind;
        Page page;
    } cases[] = {{0, Page::kKey},      {1, Page::kKey},  {2, Page::kKey}, {3, Page::kKey},
                 {4, Page::kMacro},    {5, Page::kKey},  {6, Page::kKey}, {7, Page::kMedia},
                 {8, Page::kFunction}, {200, Page::kKey}};
    for (const auto& c : cases) EXPECT_EQ(PageOfKind(c.kind), c.page) << c.kind;
}

EntryChoice Choice(uint16_t kind, model::KeyIndex key, KeyAssignment stored = {}) {
    EntryChoice choice;
    choice.kind = kind;
    choice.key_index = key;
    choice.stored = stored;
    return choice;
}

TEST(CompositeRules, TheEntryFollowsTheKindBuilt) {
    constexpr model::KeyIndex kA = 0x1E, kG1 = 256, kG9B = 273;
    struct Case {
        const char* name;
        EntryChoice choice;
        KeyAssignment entry;
        bool clear_string;
    };
    EntryChoice key_b = Choice(2, kA);
    key_b.captured_key = 0x30;
    EntryChoice self = Choice(2, kA);
    self.captured_key = 0x1E;
    EntryChoice none = Choice(2, kA);
    EntryChoice wheel = Choice(2, kA);
    wheel.mouse_choice = true;
    wheel.mouse_row = 4;
    EntryChoice mouse_no_row = Choice(2, kA);
    mouse_no_row.mouse_choice = true;
    mouse_no_row.mouse_row = -1;
    EntryChoice macro = Choice(4, kG1);
    macro.has_macro = true;
    macro.macro_id = 7;
    macro.cycles = 300;
    EntryChoice no_macro = Choice(4, kA);
    EntryChoice media = Choice(7, kA);
    media.media_row = 5;
    EntryChoice media_out = Choice(7, kA);
    media_out.media_row = 40;  // a stored number beyond the list
    EntryChoice function = Choice(8, kG9B);
    function.function_row = 10;
    const KeyAssignment path{3, 0, 0x120, 0xAABB, 0xCCDD};
    const KeyAssignment text{6, 0, 0x40, 0, 0};

    const Case cases[] = {
        {"another key", key_b, {2, 0, 0x30, 0, 0}, true},
        {"the key itself is its default", self, {0, 0, 0, 0, 0}, true},
        {"no key captured", none, {0, 0, 0, 0, 0}, true},
        {"a wheel direction", wheel, {2, 0, 0x162, 0, 0}, true},
        {"the mouse without a row takes the first", mouse_no_row, {2, 0, 0x171, 0, 0}, true},
        {"a macro keeps its play count in the G field", macro, {4, 255, 7, 0, 0}, true},
        {"a macro page without macros", no_macro, {0, 0, 0, 0, 0}, true},
        {"a media function", media, {7, 0, 5, 0, 0}, true},
        {"a media number beyond the list takes the first", media_out, {7, 0, 0, 0, 0}, true},
        {"a keyboard function on G9 of layer B", function, {8, 0x1309, 10, 0, 0}, true},
        {"a program path stays with its entry", Choice(3, kA, path), path, false},
        {"a text block stays with its entry", Choice(6, kA, text), text, false},
        {"default", Choice(0, kG1), {0, 0x0301, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        const BuiltEntry built = BuildEntry(c.choice);
        EXPECT_EQ(built.entry, c.entry) << c.name;
        EXPECT_EQ(built.clear_string, c.clear_string) << c.name;
    }
}

TEST(CompositeRules, TheReservedWordsOfTheStoredEntryStay) {
    EntryChoice choice = Choice(7, 0x1E, {2, 0, 0x30, 0x11111111, 0x22222222});
    choice.media_row = 3;
    EXPECT_EQ(BuildEntry(choice).entry, (KeyAssignment{7, 0, 3, 0x11111111, 0x22222222}));
}

TEST(CompositeRules, TheDialogOpensBesideTheButtonWhereItFits) {
    constexpr int W = 1280, H = 1024, w = 640, h = 470;
    const struct {
        const char* name;
        ScreenRect button;
        bool centred;
        ScreenPoint at;
    } cases[] = {
        {"below right", {100, 100, 140, 130}, false, {140, 130}},
        {"above right", {100, 800, 140, 830}, false, {140, 330}},
        {"below left, near the right edge", {1200, 100, 1240, 130}, false, {560, 130}},
        {"above left, near the right and bottom edges", {1200, 900, 1240, 930}, false, {560, 430}},
        {"nowhere fits: below right", {500, 500, 700, 560}, false, {700, 560}},
        {"macro-only mode is centred", {100, 100, 140, 130}, true, {320, 277}},
    };
    for (const auto& c : cases) {
        const ScreenPoint at = PlaceDialog(W, H, c.button, w, h, c.centred);
        EXPECT_EQ(at.x, c.at.x) << c.name;
        EXPECT_EQ(at.y, c.at.y) << c.name;
    }
}

}  // namespace
}  // namespace kv::ui::composite
