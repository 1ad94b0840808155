#include "hidserv/hid/collection.h"

#include <algorithm>
#include <vector>

namespace kv::hidserv {

std::span<const uint8_t> PresentedInput(Channel channel, std::span<const uint8_t> buffer,
                                        size_t transferred) {
    const size_t n = std::min(transferred, buffer.size());
    if (channel == Channel::kConsumer) return n > 1 ? buffer.subspan(1, n - 1) : std::span<const uint8_t>{};
    return buffer.first(n);
}

Collection::Collection(std::wstring path, Channel channel, const HidCaps& caps,
                       std::unique_ptr<HidDevice> device, StandingReads& reads, std::function<void()> on_lost)
    : path_(std::move(path)),
      channel_(channel),
      caps_(caps),
      device_(std::move(device)),
      reads_(reads),
      on_lost_(std::move(on_lost)) {
    const bool has_input = caps_.input_length > 0;
    if (has_input && (channel_ == Channel::kVendor || channel_ == Channel::kConsumer))
        reader_ = std::thread([this] { ReadLoop(); });
}

Collection::~Collection() { Stop(); }

void Collection::Stop() {
    stopping_ = true;
    device_->CancelReads();
    if (!reader_.joinable()) return;
    // The reader may hold the last reference itself when a callback wrote through it.
    if (reader_.get_id() == std::this_thread::get_id())
        reader_.detach();
    else
        reader_.join();
}

void Collection::Lose() {
    if (alive_.exchange(false) && on_lost_) on_lost_();
}

void Collection::ReadLoop() {
    std::vector<uint8_t> buffer(caps_.input_length);
    try {
        while (!stopping_) {
            const IoResult result = device_->Read(buffer);
            if (stopping_ || result.status == IoStatus::kCancelled) break;
            if (result.status != IoStatus::kDone) {
                Lose();
                break;
            }
            const auto presented = PresentedInput(channel_, buffer, result.bytes);
            if (!presented.empty()) reads_.DeliverInput(channel_, presented);
        }
    } catch (...) {
        Lose();
    }
}

bool Collection::WriteReport(std::span<const uint8_t> report, std::chrono::milliseconds limit) {
    if (!alive_ || report.empty() || report.size() > caps_.output_length) return false;
    std::vector<uint8_t> padded(caps_.output_length, 0);
    std::copy(report.begin(), report.end(), padded.begin());
    std::lock_guard lock(write_mutex_);
    const IoResult result = device_->Write(padded, limit);
    if (result.status == IoStatus::kDone) return result.bytes == padded.size();
    if (result.status == IoStatus::kRefused) return device_->SetOutputReport(padded);
    if (result.status == IoStatus::kGone) Lose();
    return false;
}

}  // namespace kv::hidserv
