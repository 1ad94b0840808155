// One-shot and standing faults applied to the keyboard's report traffic.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace kv::sim {

struct FaultSettings {
    uint32_t drop_requests = 0;            // the next N reports never reach the keyboard
    uint32_t drop_replies = 0;             // the next N reports are handled but not answered
    uint32_t wrong_code = 0;               // the next N replies carry another command code
    uint32_t fail_status = 0;              // the next N reports are refused with `status`
    uint8_t status = 0xFE;                 // 0xFE or 0xFF
    uint32_t unplug_after = 0;             // unplug once N more reports have been answered (0 = off)
    std::chrono::milliseconds latency{0};  // added to every reply
    uint32_t after = 0;                    // the one-shot faults wait until N more reports have passed
};

// What happens to one report.
struct FaultDecision {
    bool reach_keyboard = true;  // false: the request is lost
    bool reply = true;           // false: the reply is lost
    bool wrong_code = false;
    bool refuse = false;  // answer with `status` instead of handling
    uint8_t status = 0;
    bool unplug_after_reply = false;
    std::chrono::milliseconds latency{0};
};

class FaultInjector {
  public:
    void Set(const FaultSettings& settings) { settings_ = settings; }
    const FaultSettings& Settings() const { return settings_; }
    void Clear() { settings_ = FaultSettings{}; }

    // Consumes the faults that apply to the next report.
    FaultDecision Next();

    // One line per active fault, "none" when there is none.
    std::string Describe() const;

  private:
    FaultSettings settings_;
};

}  // namespace kv::sim
