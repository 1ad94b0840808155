#include "model/lighting/light_modes.h"

#include <gtest/gtest.h>

#include <map>

namespace kv::model {
namespace {

ModeList Modes(std::initializer_list<std::pair<size_t, uint8_t>> slots) {
    ModeList modes{};
    for (auto [slot, id] : slots) modes[slot] = id;
    return modes;
}

TEST(LightModeTable, MapsPositionsAndIds) {
    struct Case {
        const char* name;
        ModeList modes;
        int id;
        int expected_index;
        size_t expected_count;
    };
    const Case cases[] = {
        {"no modes listed", Modes({}), 1, -1, 0},
        {"empty slots are skipped", Modes({{3, 9}, {10, 254}}), 254, 1, 2},
        {"same id twice maps to the first", Modes({{0, 4}, {1, 6}, {2, 4}}), 4, 0, 3},
        {"id not listed", Modes({{0, 1}, {1, 2}}), 40, -1, 2},
        {"id 0 is never an entry", Modes({{5, 2}}), 0, -1, 1},
    };
    for (const auto& c : cases) {
        LightModeTable table;
        table.Rebuild(c.modes);
        EXPECT_EQ(table.Count(), c.expected_count) << c.name;
        EXPECT_EQ(table.IndexOfId(c.id), c.expected_index) << c.name;
        if (c.expected_index >= 0) {
            EXPECT_EQ(table.IdAt(c.expected_index), c.id) << c.name;
        }
    }
}

TEST(LightModeTable, ShorterRebuildForgetsOldEntries) {
    LightModeTable table;
    table.Rebuild(Modes({{0, 1}, {1, 2}, {2, 254}}));
    table.Rebuild(Modes({{0, 5}}));
    EXPECT_EQ(table.Count(), 1u);
    EXPECT_EQ(table.IdAt(0), 5);
    EXPECT_EQ(table.IdAt(2), 0);
    EXPECT_EQ(table.IndexOfId(254), -1);
    EXPECT_EQ(table.IdAt(-1), 0);
}

TEST(ModeList, ComesFromSettingsBytes16To47) {
    std::array<uint8_t, device::kSettingsBlockSize> settings{};
    settings[10] = 2;   // active profile, not a mode
    settings[15] = 77;  // just before the list
    settings[16] = 1;
    settings[47] = 254;
    const ModeList modes = ModeListOf(settings);
    EXPECT_EQ(modes[0], 1);
    EXPECT_EQ(modes[31], 254);
    EXPECT_TRUE(ModeListHas(modes, 254));
    EXPECT_FALSE(ModeListHas(modes, 77));
    EXPECT_FALSE(ModeListHas(modes, 0));
}

TEST(ModeList, HandledModes) {
    for (int id : {1, 17, 28, 254}) EXPECT_TRUE(IsHandledMode(id)) << id;
    for (int id : {0, 29, 40, 253, 255}) EXPECT_FALSE(IsHandledMode(id)) << id;
}

class MapTexts : public TextSource {
  public:
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> texts;
    std::u16string Text(std::u16string_view section, std::u16string_view key) const override {
        auto it = texts.find({std::u16string(section), std::u16string(key)});
        return it == texts.end() ? std::u16string(kMissingText) : it->second;
    }
};

TEST(ModeName, LooksUpTheDecimalIdInSectionMode) {
    MapTexts texts;
    texts.texts[{u"MODE", u"254"}] = u"Custom";
    texts.texts[{u"MODE", u"7"}] = u"Seven";
    texts.texts[{u"TEXT", u"3"}] = u"wrong section";
    EXPECT_EQ(ModeName(texts, 254), u"Custom");
    EXPECT_EQ(ModeName(texts, 7), u"Seven");
    EXPECT_EQ(ModeName(texts, 3), u"#Error");
}

}  // namespace
}  // namespace kv::model
