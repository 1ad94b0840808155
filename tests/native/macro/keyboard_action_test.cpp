#include "model/macro/keyboard_action.h"

#include <gtest/gtest.h>

#include "model/keys/key_code.h"

namespace kv::model {
namespace {

TEST(KeyboardAction, Encode) {
    const struct {
        const char* what;
        MacroAction action;
        KeyboardAction bytes;
    } cases[] = {
        {"A pressed after 125 ms", {125, 0x01E, kPress}, {0x0C, 0xA0, 0x02, 0x04}},
        {"A released", {0, 0x01E, kRelease}, {0x00, 0x20, 0x02, 0x04}},
        {"odd direction counts as press", {0, 0x01E, 7}, {0x00, 0xA0, 0x02, 0x04}},
        {"Mute", {10, 0x120, kPress}, {0x01, 0xA0, 0x02, 0xCD}},
        {"left Shift", {0, 0x02A, kPress}, {0x00, 0xA0, 0x01, 0x02}},
        {"right Win", {0, 0x15C, kRelease}, {0x00, 0x20, 0x01, 0x80}},
        {"left button", {0, 0x171, kPress}, {0x00, 0x90, 0x01, 0x01}},
        {"middle button", {0, 0x173, kPress}, {0x00, 0x90, 0x01, 0x04}},
        {"wheel up", {0, 0x161, kPress}, {0x00, 0x90, 0x05, 0x01}},
        {"wheel down", {0, 0x162, kRelease}, {0x00, 0x10, 0x05, 0xFF}},
        {"Sleep", {0, 0x15F, kPress}, {0x00, 0xC0, 0x82, 0x00}},
        {"pan left has no usage", {0, 0x16E, kPress}, {0x00, 0x80, 0x00, 0x00}},
        {"no key", {0, 0x000, kRelease}, {0x00, 0x00, 0x00, 0x00}},
        {"40950 ms: 4095 units", {40950, 0x01E, kRelease}, {0xFF, 0x2F, 0x02, 0x04}},
        {"40960 ms: 4096 units keep the low 12 bits", {40960, 0x01E, kRelease}, {0x00, 0x20, 0x02, 0x04}},
        {"41009 ms: 4100 units", {41009, 0x01E, kRelease}, {0x04, 0x20, 0x02, 0x04}},
        {"huge delay", {0xFFFFFFFF, 0x01E, kRelease}, {0x99, 0x29, 0x02, 0x04}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.bytes, EncodeKeyboardAction(c.action)) << c.what;
}

TEST(KeyboardAction, Decode) {
    const struct {
        KeyboardAction bytes;
        MacroAction action;
    } cases[] = {
        {{0x0C, 0xA0, 0x02, 0x04}, {120, 0x01E, kPress}},
        {{0xFF, 0x2F, 0x02, 0xCD}, {40950, 0x120, kRelease}},
        {{0x00, 0x20, 0x01, 0x22}, {0, 0x02A, kRelease}},
        {{0x00, 0x20, 0x07, 0x40}, {0, 0x138, kRelease}},
        {{0x00, 0x20, 0x02, 0x00}, {0, 0x000, kRelease}},
        {{0x00, 0x90, 0x01, 0x02}, {0, 0x172, kPress}},
        {{0x00, 0x90, 0x05, 0xFF}, {0, 0x162, kPress}},
        {{0x00, 0x90, 0x05, 0x02}, {0, 0x000, kPress}},
        {{0x00, 0x90, 0x02, 0x01}, {0, 0x000, kPress}},
        {{0x00, 0xB0, 0xE2, 0x00}, {0, 0x120, kPress}},
        {{0x00, 0xB0, 0x83, 0x01}, {0, 0x16D, kPress}},
        {{0x00, 0xB0, 0xE8, 0x00}, {0, 0x000, kPress}},
        {{0x00, 0xC0, 0x83, 0x00}, {0, 0x163, kPress}},
        {{0x00, 0xC0, 0x84, 0x00}, {0, 0x000, kPress}},
        {{0x00, 0xE0, 0xA2, 0x02}, {0, 0x201, kPress}},
        {{0x00, 0xE0, 0xA1, 0x02}, {0, 0x000, kPress}},
        {{0x00, 0xD0, 0x02, 0x04}, {0, 0x000, kPress}},
        {{0x00, 0xF0, 0x02, 0x04}, {0, 0x000, kPress}},
        {{0x00, 0x80, 0x02, 0x04}, {0, 0x000, kPress}},
    };
    for (const auto& c : cases) {
        const MacroAction a = DecodeKeyboardAction(c.bytes.data());
        EXPECT_EQ(c.action.delay_ms, a.delay_ms) << std::hex << int(c.bytes[1]) << " " << int(c.bytes[2]);
        EXPECT_EQ(c.action.key_code, a.key_code) << std::hex << int(c.bytes[1]) << " " << int(c.bytes[2]);
        EXPECT_EQ(c.action.direction, a.direction) << std::hex << int(c.bytes[1]) << " " << int(c.bytes[2]);
    }
}

TEST(KeyboardAction, EveryAssignableKeyRoundTrips) {
    // Keys the keyboard can send come back as themselves (Mute included).
    for (KeyCode code : {0x01E, 0x120, 0x02A, 0x11D, 0x15C, 0x171, 0x172, 0x173, 0x161, 0x162, 0x15E, 0x15F,
                         0x163, 0x137, 0x145, 0x11C, 0x16D, 0x174}) {
        const MacroAction a{1230, code, kRelease};
        const KeyboardAction bytes = EncodeKeyboardAction(a);
        const MacroAction back = DecodeKeyboardAction(bytes.data());
        EXPECT_EQ(code, back.key_code) << std::hex << code;
        EXPECT_EQ(1230u, back.delay_ms);
        EXPECT_EQ(kRelease, back.direction);
    }
}

}  // namespace
}  // namespace kv::model
