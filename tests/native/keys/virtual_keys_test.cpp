#include "model/keys/virtual_keys.h"

#include <gtest/gtest.h>

#include <set>

#include "model/keys/key_table.h"

namespace kv::model {
namespace {

TEST(VirtualKeyMap, GivesTheLowestRowAndTheExceptions) {
    struct Case {
        std::uint8_t vk;
        KeyIndex expected;
    };
    const Case cases[] = {
        {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38},  // generic modifiers: left-hand keys
        {0x2C, 0xB7},                              // Print Screen, not Sys Req
        {0x0D, 0x1C},                              // main Enter, not keypad Enter
        {0xA1, 0x36},                              // lower of the two right Shift rows
        {0x24, 0xC7}, {0x26, 0xC8}, {0x2E, 0xD3},  // navigation keys, not the keypad
        {0x67, 0x47}, {0x6E, 0x53},                // keypad with Num Lock on
        {0x41, 0x1E}, {0x13, 0x45}, {0x03, 0xC6}, {0x90, 0xC5}, {0x5F, 0xDF}, {0xD1, 0xE1}, {0x01, 0x00},
        {0x02, 0x00}, {0x04, 0x00},  // mouse buttons
        {0x88, 0x00}, {0x89, 0x00}, {0x8A, 0x00}, {0x97, 0x00}, {0x9B, 0x00}, {0x9E, 0x00}, {0x9F, 0x00},
        {0xFF, 0x00}, {0x8B, 0xF4}, {0x8C, 0xF5}, {0x9C, 0xFB}, {0x9D, 0xFC},  // office functions with a
                                                                               // usage
        {0x07, 0x00}, {0x00, 0x00},                                            // held by no row
    };
    for (const Case& c : cases) EXPECT_EQ(KeyIndexOfVirtualKey(c.vk), c.expected) << std::hex << int(c.vk);
    EXPECT_EQ(KeyIndexOfVirtualKey(0x141), 0);
}

// Outside the exceptions each entry is 0 or a row that holds the code as its
// virtual key, and no lower row holds it.
TEST(VirtualKeyMap, EntriesPointAtRowsWithThatCode) {
    const std::set<int> exceptions = {0x10, 0x11, 0x12, 0x2C, 0x01, 0x02, 0x04, 0x88, 0x89,
                                      0x8A, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9E, 0x9F, 0xFF};
    const auto map = VirtualKeyMap();
    const auto table = KeyTable();
    for (int vk = 0; vk < 256; ++vk) {
        if (exceptions.count(vk)) continue;
        SCOPED_TRACE(vk);
        KeyIndex lowest = 0;
        for (std::size_t i = 1; i < table.size(); ++i) {
            if (table[i].InUse() && table[i].virtual_key == vk) {
                lowest = static_cast<KeyIndex>(i);
                break;
            }
        }
        EXPECT_EQ(map[vk], lowest);
    }
}

std::uint64_t Scan(unsigned scan, bool extended) {
    return (std::uint64_t{scan} << 16) | (extended ? (std::uint64_t{1} << 24) : 0) | 1;
}

TEST(KeyCodeFromMessage, ScanCodeDecidesWhereConsistent) {
    struct Case {
        const char* what;
        std::uint32_t vk;
        std::uint64_t lparam;
        KeyCode expected;
    };
    const Case cases[] = {
        {"right shift", 0xA1, Scan(0x36, false), 0x036},
        {"generic shift, right-hand scan", 0x10, Scan(0x36, false), 0x036},
        {"generic shift, left-hand scan", 0x10, Scan(0x2A, false), 0x02A},
        {"keypad 7, Num Lock off", 0x24, Scan(0x47, false), 0x047},
        {"Home", 0x24, Scan(0x47, true), 0x147},
        {"keypad 7, Num Lock on", 0x67, Scan(0x47, false), 0x047},
        {"keypad point, Num Lock off", 0x2E, Scan(0x53, false), 0x053},
        {"Delete", 0x2E, Scan(0x53, true), 0x153},
        {"control without scan code", 0x11, 0, 0x01D},
        {"left control", 0x11, Scan(0x1D, false), 0x01D},
        {"right control", 0x11, Scan(0x1D, true), 0x11D},
        {"right alt", 0x12, Scan(0x38, true), 0x138},
        {"main Enter", 0x0D, Scan(0x1C, false), 0x01C},
        {"keypad Enter", 0x0D, Scan(0x1C, true), 0x11C},
        {"print screen", 0x2C, Scan(0x37, true), 0x137},
        {"pause", 0x13, Scan(0x45, false), 0x045},
        {"num lock", 0x90, Scan(0x45, true), 0x145},
        {"0xFF takes the scan code", 0xFF, Scan(0x70, false), 0x070},
        {"scan code of another key", 0x41, Scan(0x30, false), 0x01E},
        {"scan code without row", 0x41, Scan(0x55, false), 0x01E},
        {"extended flag only", 0x41, Scan(0x00, true), 0x01E},
        {"transition and repeat bits ignored", 0x24, 0xC1470001u, 0x147},
        {"unknown virtual key without scan", 0x07, 0, 0x000},
        {"virtual key past 255", 0x1041, 0, 0x000},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyCodeFromMessage(c.vk, c.lparam), c.expected) << c.what;
}

}  // namespace
}  // namespace kv::model
