// Full-speed USB interrupt timing: 1 ms frames, one report per direction per
// frame. A report written during frame k goes out in frame k if that frame's
// out slot is free; the keyboard's answer takes the next free in slot and is
// in host memory when that frame ends. A host that writes again as soon as it
// has a reply thus pays two frames per exchange, as on the wire.
#pragma once

#include <chrono>
#include <cstdint>

namespace kv::sim {

class UsbTiming {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kFrame = std::chrono::milliseconds(1);

    explicit UsbTiming(Clock::time_point epoch = Clock::now()) : epoch_(epoch) {}

    // Claims the out slot for a report written at `now`; returns its frame.
    int64_t ClaimOut(Clock::time_point now);
    // Claims the first free in slot from frame `earliest` on; returns the time
    // the report reaches the host (the end of that frame).
    Clock::time_point ClaimIn(int64_t earliest);

    int64_t FrameOf(Clock::time_point t) const;
    Clock::time_point FrameStart(int64_t frame) const { return epoch_ + frame * kFrame; }
    // Whole frames needed to cover a latency.
    static int64_t FramesFor(Clock::duration latency);

  private:
    Clock::time_point epoch_;
    int64_t next_out_ = 0;
    int64_t next_in_ = 0;
};

}  // namespace kv::sim
