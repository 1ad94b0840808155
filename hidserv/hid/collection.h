// One opened top-level collection of the keyboard. A collection with input
// reports has a reader thread of its own that keeps one read pending and hands
// every report to the standing reads of its channel; so the replies on the
// vendor channel never wait behind a consumer-control callback.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "hidserv/hid/channel.h"
#include "hidserv/hid/hid_backend.h"
#include "hidserv/hid/standing_reads.h"

namespace kv::hidserv {

class Collection {
  public:
    // on_lost runs (on any thread) when the device fails a read or a write.
    Collection(std::wstring path, Channel channel, const HidCaps& caps, std::unique_ptr<HidDevice> device,
               StandingReads& reads, std::function<void()> on_lost);
    ~Collection();
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;

    // Ends the reader thread. Not from a callback the reader is running.
    void Stop();

    const std::wstring& Path() const { return path_; }
    Channel ChannelKind() const { return channel_; }
    const HidCaps& Caps() const { return caps_; }
    // False once the device failed a transfer; the next scan drops it.
    bool Alive() const { return alive_; }

    // One output report, report id first, zero-filled to the collection's output
    // length. False when it does not fit, or was not written within the limit by
    // either pipe. Writers take turns.
    bool WriteReport(std::span<const uint8_t> report, std::chrono::milliseconds limit);

  private:
    void ReadLoop();
    void Deliver(std::span<const uint8_t> report);
    void Lose();

    const std::wstring path_;
    const Channel channel_;
    const HidCaps caps_;
    std::unique_ptr<HidDevice> device_;
    StandingReads& reads_;
    std::function<void()> on_lost_;
    std::atomic<bool> alive_{true};
    std::atomic<bool> stopping_{false};
    std::mutex write_mutex_;
    std::thread reader_;
};

// What a standing read of the channel is shown of one input report: the whole
// report on the vendor channel (its first byte is the command report's id),
// the bytes after the report id on the consumer channel. Never longer than the
// buffer the report was read into.
std::span<const uint8_t> PresentedInput(Channel channel, std::span<const uint8_t> buffer, size_t transferred);

}  // namespace kv::hidserv
