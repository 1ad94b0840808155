#include "sim/usb_timing.h"

#include <algorithm>

namespace kv::sim {

int64_t UsbTiming::FrameOf(Clock::time_point t) const {
    if (t < epoch_) return 0;
    return (t - epoch_) / kFrame;
}

int64_t UsbTiming::FramesFor(Clock::duration latency) {
    if (latency <= Clock::duration::zero()) return 0;
    return (latency + kFrame - Clock::duration(1)) / kFrame;
}

int64_t UsbTiming::ClaimOut(Clock::time_point now) {
    int64_t frame = std::max(FrameOf(now), next_out_);
    next_out_ = frame + 1;
    return frame;
}

UsbTiming::Clock::time_point UsbTiming::ClaimIn(int64_t earliest) {
    int64_t frame = std::max(earliest, next_in_);
    next_in_ = frame + 1;
    return FrameStart(frame + 1);
}

}  // namespace kv::sim
