#include "ui/dialogs/composite/key_events.h"

#include <algorithm>

#include "model/keys/media.h"
#include "model/keys/virtual_keys.h"

namespace kv::ui::composite {

namespace {

constexpr uint32_t kVkLeftWindows = 0x5B, kVkRightWindows = 0x5C, kVkApps = 0x5D;

bool IsPress(uint32_t message) { return message == kMsgKeyDown || message == kMsgSysKeyDown; }

bool IsKeyMessage(uint32_t message) {
    return message == kMsgKeyDown || message == kMsgKeyUp || message == kMsgSysKeyDown ||
           message == kMsgSysKeyUp;
}

// Keys whose press Windows never delivers: each recorded event of theirs gets one first.
bool NeedsExtraPress(model::KeyCode code) {
    return code == 0x054 || code == 0x071 || code == 0x072 || code == model::kKeyPrintScreen;
}

}  // namespace

CaptureVerdict CaptureThreadKey(uint32_t vk, uint32_t flags, bool keyboard_choice) {
    const model::KeyCode code = model::KeyCodeFromMessage(vk, flags);
    if (code == 0 || model::IsMediaKeyCode(code)) return {};
    if (!keyboard_choice) return {true, 0};
    const bool fresh_press = (flags & (kKeyReleased | kKeyWasDown)) == 0;
    if (!fresh_press && code != model::kKeyPrintScreen) return {true, 0};
    return {true, code};
}

CaptureVerdict CaptureLowLevelKey(uint32_t message, uint32_t vk) {
    if (!IsKeyMessage(message)) return {};
    switch (vk) {
        case kVkLeftWindows:
            return {true, model::kKeyLeftWin};
        case kVkRightWindows:
            return {true, model::kKeyRightWin};
        case kVkApps:
            return {true, 0x15D};
        default:
            return {};
    }
}

void MacroRecorder::Start(uint32_t now, bool record_delays) {
    recording_ = true;
    record_delays_ = record_delays;
    last_ = now;
    last_windows_key_ = 0;
}

void MacroRecorder::Add(RecordVerdict& verdict, model::KeyCode code, uint16_t direction,
                        uint32_t pause) const {
    if (verdict.count >= static_cast<int>(verdict.actions.size())) return;
    const uint32_t kept = record_delays_ ? std::min(pause, kMaxRecordedPauseMs) : kUnrecordedPauseMs;
    verdict.actions[static_cast<size_t>(verdict.count++)] = {kept, code, direction};
}

void MacroRecorder::Record(RecordVerdict& verdict, model::KeyCode code, bool release, uint32_t now) {
    if (NeedsExtraPress(code)) Add(verdict, code, 0, kExtraPressPauseMs);
    Add(verdict, code, release ? 1 : 0, now - last_);  // unsigned: right across the clock's wrap
    last_ = now;
    verdict.swallow = true;
}

RecordVerdict MacroRecorder::OnThreadKey(uint32_t vk, uint32_t flags, uint32_t now) {
    RecordVerdict verdict;
    if (!recording_) return verdict;
    const model::KeyCode code = model::KeyCodeFromMessage(vk, flags);
    if (code == 0 || model::IsMediaKeyCode(code)) return verdict;  // volume keys keep working
    const bool release = (flags & kKeyReleased) != 0;
    if (!release && (flags & kKeyWasDown)) {
        verdict.swallow = true;  // automatic repeat
        return verdict;
    }
    Record(verdict, code, release, now);
    return verdict;
}

RecordVerdict MacroRecorder::OnLowLevelKey(uint32_t message, uint32_t vk, uint32_t now) {
    RecordVerdict verdict;
    if (!recording_) return verdict;
    const bool press = IsPress(message);
    if (!press) last_windows_key_ = 0;
    if (vk != kVkLeftWindows && vk != kVkRightWindows) return verdict;
    if (press && vk == last_windows_key_) {
        verdict.swallow = true;  // automatic repeat
        return verdict;
    }
    if (press) last_windows_key_ = vk;
    Record(verdict, vk == kVkLeftWindows ? model::kKeyLeftWin : model::kKeyRightWin, !press, now);
    return verdict;
}

}  // namespace kv::ui::composite
