#include "model/keys/usage.h"

#include <gtest/gtest.h>

#include "model/keys/key_table.h"
#include "model/keys/media.h"

namespace kv::model {
namespace {

TEST(Usage, ClassifiesUsageBytes) {
    struct Case {
        std::uint8_t usage;
        UsageClass expected;
    };
    const Case cases[] = {
        {0x00, UsageClass::kNone},     {0xFF, UsageClass::kNone},     {0x80, UsageClass::kKeyboard},
        {0x81, UsageClass::kSystem},   {0x83, UsageClass::kSystem},   {0x84, UsageClass::kKeyboard},
        {0xC0, UsageClass::kKeyboard}, {0xDF, UsageClass::kKeyboard}, {0xE7, UsageClass::kKeyboard},
        {0xF0, UsageClass::kKeyboard}, {0xF1, UsageClass::kMouse},    {0xF8, UsageClass::kMouse},
        {0xF9, UsageClass::kKeyboard},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyUsageByte(c.usage), c.expected) << int(c.usage);
}

TEST(Usage, ClassifiesKeys) {
    struct Case {
        KeyCode code;
        UsageInfo expected;
    };
    const Case cases[] = {
        {0x01E, {UsageClass::kKeyboard, 0x04}},
        {0x120, {UsageClass::kKeyboard, 0xCD}},  // a consumer function is not told apart
        {0x15E, {UsageClass::kSystem, 0x81}},
        {0x162, {UsageClass::kMouse, 0xF5}},
        {0x054, {UsageClass::kNone, 0x00}},
        {0x055, {UsageClass::kNone, 0x00}},  // empty row
        {0x205, {UsageClass::kNone, 0x00}},  // G-key entry, no row
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyUsage(c.code), c.expected) << std::hex << c.code;
}

TEST(Usage, FindsKeysFromUsages) {
    struct Case {
        UsageClass usage_class;
        std::uint16_t value;
        KeyCode expected;
    };
    const Case cases[] = {
        {UsageClass::kKeyboard, 0x04, 0x01E},
        {UsageClass::kKeyboard, 0x1204, 0x01E},  // only the low byte counts
        {UsageClass::kKeyboard, 0xE5, 0x036},    // lowest of the two right Shift rows
        {UsageClass::kKeyboard, 0x48, 0x045},    // Pause before Break
        {UsageClass::kKeyboard, 0x00, 0x000},
        {UsageClass::kKeyboard, 0xA0, 0x000},  // no row carries it
        {UsageClass::kConsumer, 0x0E2, 0x120},
        {UsageClass::kConsumer, 0x0B5, 0x119},
        {UsageClass::kConsumer, 0x0E8, 0x000},
        {UsageClass::kConsumer, 0x000, 0x000},  // empty slots of the table match nothing
        {UsageClass::kSystem, 0x82, 0x15F},
        {UsageClass::kSystem, 0x84, 0x000},
        {UsageClass::kSystem, 0x182, 0x000},
        {UsageClass::kMouse, 0xF1, 0x000},
        {UsageClass::kNone, 0x04, 0x000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyCodeFromUsage(c.usage_class, c.value), c.expected)
            << int(c.usage_class) << " " << std::hex << c.value;
    }
}

// Each used consumer slot p belongs to the key whose usage byte is 0xC0 + p,
// and the media list carries the same usage for that key.
TEST(Usage, ConsumerTableAgreesWithKeysAndMedia) {
    const auto usages = ConsumerUsageTable();
    int used = 0;
    for (std::size_t p = 0; p < usages.size(); ++p) {
        if (usages[p] == 0) continue;
        ++used;
        const KeyCode code = KeyCodeFromUsage(UsageClass::kConsumer, usages[p]);
        ASSERT_NE(code, kNoKey) << p;
        EXPECT_EQ(KeyRowOf(code).usage, kConsumerUsageBase + p);
        const auto media = MediaNumberOfUsage(usages[p]);
        ASSERT_TRUE(media.has_value()) << p;
        EXPECT_EQ(MediaList()[*media].code, code);
    }
    EXPECT_EQ(used, 18);
    for (std::size_t p = 18; p < usages.size(); ++p) EXPECT_EQ(usages[p], 0) << p;
}

}  // namespace
}  // namespace kv::model
