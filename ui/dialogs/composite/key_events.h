// Keystrokes as the two keyboard hooks deliver them, turned into what the
// dialog does with them: take a key (single-key page) or record actions
// (macro recorder). Plain functions and state over the hooks' numbers, so
// tests can feed synthetic input and a clock of their own.
#pragma once

#include <array>
#include <cstdint>

#include "model/keys/key_code.h"

namespace kv::ui::composite {

// Bits of a thread keyboard hook's keystroke flags.
inline constexpr uint32_t kKeyWasDown = 1u << 30;  // previous state: an automatic repeat when pressed
inline constexpr uint32_t kKeyReleased = 1u << 31;

// Low-level hook messages (WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP).
inline constexpr uint32_t kMsgKeyDown = 0x0100, kMsgKeyUp = 0x0101, kMsgSysKeyDown = 0x0104,
                          kMsgSysKeyUp = 0x0105;

// The single-key page's verdict: swallow the keystroke, and take `taken` as
// the key to assign when it is not 0.
struct CaptureVerdict {
    bool swallow = false;
    model::KeyCode taken = 0;
};

// Thread hook. Media-list keys and keystrokes without a key pass on; with the
// keyboard choice off every other keystroke is swallowed; otherwise a fresh
// press is taken, and so is Print Screen, whose press never arrives.
CaptureVerdict CaptureThreadKey(uint32_t vk, uint32_t flags, bool keyboard_choice);
// Low-level hook: the Windows and menu keys, which the thread hook never sees.
CaptureVerdict CaptureLowLevelKey(uint32_t message, uint32_t vk);

struct RecordedAction {
    uint32_t pause_ms;  // since the previous keystroke: it goes to the row before
    model::KeyCode code;
    uint16_t direction;  // 0 press, 1 release
};

struct RecordVerdict {
    bool swallow = false;
    std::array<RecordedAction, 2> actions{};
    int count = 0;
};

inline constexpr uint32_t kUnrecordedPauseMs = 50;  // every pause while delays are not recorded
inline constexpr uint32_t kExtraPressPauseMs = 2;
inline constexpr uint32_t kMaxRecordedPauseMs = 40000;  // what a hand-edited delay may hold

// The recorder's state between keystrokes. Times are milliseconds of a
// wrapping 32-bit clock (GetTickCount).
class MacroRecorder {
  public:
    void Start(uint32_t now, bool record_delays);
    void Stop() { recording_ = false; }
    void SetRecordDelays(bool on) { record_delays_ = on; }
    bool Recording() const { return recording_; }

    RecordVerdict OnThreadKey(uint32_t vk, uint32_t flags, uint32_t now);
    RecordVerdict OnLowLevelKey(uint32_t message, uint32_t vk, uint32_t now);

  private:
    void Add(RecordVerdict& verdict, model::KeyCode code, uint16_t direction, uint32_t pause) const;
    void Record(RecordVerdict& verdict, model::KeyCode code, bool release, uint32_t now);

    bool recording_ = false;
    bool record_delays_ = false;
    uint32_t last_ = 0;
    uint32_t last_windows_key_ = 0;  // the Windows key held down, 0 after any release
};

}  // namespace kv::ui::composite
