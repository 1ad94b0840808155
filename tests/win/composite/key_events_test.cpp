// The recorder and the single-key capture fed with synthetic keystrokes and
// a clock of the test's own.
#include "ui/dialogs/composite/key_events.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv::ui::composite {
namespace {

constexpr uint32_t kVkA = 0x41, kVkB = 0x42, kVkSnapshot = 0x2C, kVkVolumeUp = 0xAF, kVkLeftWin = 0x5B,
                   kVkRightWin = 0x5C, kVkApps = 0x5D, kVkShift = 0x10;

// Keystroke flags as a thread keyboard hook sees them.
uint32_t Flags(uint32_t scan, bool extended, bool release, bool repeat = false) {
    return 1u | (scan << 16) | (extended ? 1u << 24 : 0u) | (repeat ? kKeyWasDown : 0u) |
           (release ? kKeyReleased | kKeyWasDown : 0u);
}
uint32_t Press(uint32_t scan, bool extended = false) { return Flags(scan, extended, false); }
uint32_t Repeat(uint32_t scan, bool extended = false) { return Flags(scan, extended, false, true); }
uint32_t Release(uint32_t scan, bool extended = false) { return Flags(scan, extended, true); }

struct Event {
    bool low_level;
    uint32_t vk_or_message;  // thread hook: virtual key; low-level: message
    uint32_t flags_or_vk;    // thread hook: flags; low-level: virtual key
    uint32_t now;
};
Event Thread(uint32_t vk, uint32_t flags, uint32_t now) { return {false, vk, flags, now}; }
Event Low(uint32_t message, uint32_t vk, uint32_t now) { return {true, message, vk, now}; }

struct Recorded {
    std::vector<RecordedAction> actions;
    std::vector<bool> swallowed;
};

Recorded Record(bool delays, uint32_t start, const std::vector<Event>& events) {
    MacroRecorder recorder;
    recorder.Start(start, delays);
    Recorded out;
    for (const Event& e : events) {
        const RecordVerdict v = e.low_level ? recorder.OnLowLevelKey(e.vk_or_message, e.flags_or_vk, e.now)
                                            : recorder.OnThreadKey(e.vk_or_message, e.flags_or_vk, e.now);
        out.swallowed.push_back(v.swallow);
        for (int i = 0; i < v.count; ++i) out.actions.push_back(v.actions[static_cast<size_t>(i)]);
    }
    return out;
}

void ExpectActions(const Recorded& got, const std::vector<RecordedAction>& want, const char* name) {
    ASSERT_EQ(got.actions.size(), want.size()) << name;
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got.actions[i].pause_ms, want[i].pause_ms) << name << " action " << i;
        EXPECT_EQ(got.actions[i].code, want[i].code) << name << " action " << i;
        EXPECT_EQ(got.actions[i].direction, want[i].direction) << name << " action " << i;
    }
}

TEST(MacroRecorder, TurnsKeystrokesIntoActions) {
    const struct {
        const char* name;
        bool delays;
        uint32_t start;
        std::vector<Event> events;
        std::vector<RecordedAction> actions;
        std::vector<bool> swallowed;
    } cases[] = {
        {"A then B with measured pauses",
         true,
         1000,
         {Thread(kVkA, Press(0x1E), 1100), Thread(kVkA, Release(0x1E), 1180), Thread(kVkB, Press(0x30), 1500),
          Thread(kVkB, Release(0x30), 1530)},
         {{100, 0x1E, 0}, {80, 0x1E, 1}, {320, 0x30, 0}, {30, 0x30, 1}},
         {true, true, true, true}},
        {"without recorded delays every pause is 50 ms",
         false,
         1000,
         {Thread(kVkA, Press(0x1E), 9000), Thread(kVkA, Release(0x1E), 9999)},
         {{50, 0x1E, 0}, {50, 0x1E, 1}},
         {true, true}},
        {"holding a key records one press and one release",
         true,
         1000,
         {Thread(kVkA, Press(0x1E), 1010), Thread(kVkA, Repeat(0x1E), 1500), Thread(kVkA, Repeat(0x1E), 1530),
          Thread(kVkA, Release(0x1E), 1600)},
         {{10, 0x1E, 0}, {590, 0x1E, 1}},
         {true, true, true, true}},
        {"Print Screen, whose press never arrives, gets one",
         true,
         1000,
         {Thread(kVkSnapshot, Release(0x37, true), 1200)},
         {{2, 0x137, 0}, {200, 0x137, 1}},
         {true}},
        {"a pause longer than the keyboard can play is cut to 40000 ms",
         true,
         1000,
         {Thread(kVkA, Press(0x1E), 1000 + 45000), Thread(kVkA, Release(0x1E), 1000 + 45000 + 40001)},
         {{40000, 0x1E, 0}, {40000, 0x1E, 1}},
         {true, true}},
        {"the clock wrapping around is still a short pause",
         true,
         0xFFFFFFE2u,
         {Thread(kVkA, Press(0x1E), 30)},
         {{60, 0x1E, 0}},
         {true}},
        {"a volume key passes on unrecorded",
         true,
         1000,
         {Thread(kVkVolumeUp, Press(0x30, true), 1100), Thread(kVkVolumeUp, Release(0x30, true), 1150)},
         {},
         {false, false}},
        {"the left and right shift keys stay apart",
         true,
         1000,
         {Thread(kVkShift, Press(0x2A), 1001), Thread(kVkShift, Press(0x36), 1002)},
         {{1, 0x2A, 0}, {1, 0x36, 0}},
         {true, true}},
        {"a Windows key through the low-level hook, its repeats swallowed",
         true,
         1000,
         {Low(kMsgKeyDown, kVkLeftWin, 1040), Low(kMsgKeyDown, kVkLeftWin, 1300),
          Low(kMsgKeyUp, kVkLeftWin, 1400)},
         {{40, 0x15B, 0}, {360, 0x15B, 1}},
         {true, true, true}},
        {"a release of any key forgets the Windows key held",
         true,
         1000,
         {Low(kMsgKeyDown, kVkRightWin, 1010), Low(kMsgKeyUp, kVkA, 1020),
          Low(kMsgSysKeyDown, kVkRightWin, 1030)},
         {{10, 0x15C, 0}, {20, 0x15C, 0}},
         {true, false, true}},
        {"other keys pass the low-level hook to the thread hook",
         true,
         1000,
         {Low(kMsgKeyDown, kVkA, 1010)},
         {},
         {false}},
    };
    for (const auto& c : cases) {
        const Recorded got = Record(c.delays, c.start, c.events);
        ExpectActions(got, c.actions, c.name);
        EXPECT_EQ(got.swallowed, c.swallowed) << c.name;
    }
}

TEST(MacroRecorder, RecordsNothingOnceStopped) {
    MacroRecorder recorder;
    recorder.Start(0, true);
    recorder.Stop();
    const RecordVerdict verdict = recorder.OnThreadKey(kVkA, Press(0x1E), 10);
    EXPECT_FALSE(verdict.swallow);
    EXPECT_EQ(verdict.count, 0);
}

TEST(KeyCapture, TakesFreshPressesOfTheKeyboardChoice) {
    const struct {
        const char* name;
        uint32_t vk, flags;
        bool keyboard_choice;
        bool swallow;
        model::KeyCode taken;
    } cases[] = {
        {"a press is taken", kVkA, Press(0x1E), true, true, 0x1E},
        {"its release is swallowed", kVkA, Release(0x1E), true, true, 0},
        {"an automatic repeat is swallowed", kVkA, Repeat(0x1E), true, true, 0},
        {"Print Screen is taken on its release", kVkSnapshot, Release(0x37, true), true, true, 0x137},
        {"with the mouse choice keys are swallowed", kVkA, Press(0x1E), false, true, 0},
        {"a media key passes on", kVkVolumeUp, Press(0x30, true), true, false, 0},
        {"the keypad Home key is keypad 7", 0x24, Press(0x47), true, true, 0x047},
        {"the Home key", 0x24, Press(0x47, true), true, true, 0x147},
    };
    for (const auto& c : cases) {
        const CaptureVerdict verdict = CaptureThreadKey(c.vk, c.flags, c.keyboard_choice);
        EXPECT_EQ(verdict.swallow, c.swallow) << c.name;
        EXPECT_EQ(verdict.taken, c.taken) << c.name;
    }
}

TEST(KeyCapture, TakesTheWindowsAndMenuKeysFromTheLowLevelHook) {
    const struct {
        uint32_t message, vk;
        bool swallow;
        model::KeyCode taken;
    } cases[] = {
        {kMsgKeyDown, kVkLeftWin, true, 0x15B}, {kMsgKeyUp, kVkRightWin, true, 0x15C},
        {kMsgSysKeyDown, kVkApps, true, 0x15D}, {kMsgKeyDown, kVkA, false, 0},
        {0x0200, kVkLeftWin, false, 0},  // not a key message
    };
    for (const auto& c : cases) {
        const CaptureVerdict verdict = CaptureLowLevelKey(c.message, c.vk);
        EXPECT_EQ(verdict.swallow, c.swallow) << c.vk;
        EXPECT_EQ(verdict.taken, c.taken) << c.vk;
    }
}

}  // namespace
}  // namespace kv::ui::composite
