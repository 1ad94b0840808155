// What sync remembers about the keyboard between runs: how many keyboards the
// last read-back run saw, the keyboard's default key matrix and the size of
// its macro area. Written by read-back runs, read by Apply on the
// user-interface thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>

#include "model/assign/key_map_image.h"

namespace kv::model {

constexpr uint32_t kMacroCapacityUnit = 128;  // settings byte 11 counts these

class SyncState {
  public:
    // The built-in matrix until the keyboard's is read; no capacity; no keyboard.
    SyncState();

    int LastDeviceCount() const { return last_device_count_; }
    void SetLastDeviceCount(int count) { last_device_count_ = count; }

    KeyMapImage DefaultMatrix() const;
    void SetDefaultMatrix(std::span<const uint8_t, kKeyMapImageSize> matrix);

    // Bytes; 0 until the settings block has been read.
    uint32_t MacroCapacity() const { return macro_capacity_; }
    // From the settings block's capacity byte (units of 128 bytes).
    void SetMacroCapacityUnits(uint8_t units) { macro_capacity_ = uint32_t{units} * kMacroCapacityUnit; }

    // Whether the last read-back run read the keyboard's default matrix and
    // loaded the working set from the keyboard (tools that read the keyboard
    // once and report failure look at it; the window does not).
    bool ReadBackLoaded() const { return read_back_loaded_; }
    void SetReadBackLoaded(bool loaded) { read_back_loaded_ = loaded; }

  private:
    std::atomic<int> last_device_count_{0};
    std::atomic<bool> read_back_loaded_{false};
    std::atomic<uint32_t> macro_capacity_{0};
    mutable std::mutex matrix_mutex_;
    KeyMapImage default_matrix_;
};

}  // namespace kv::model
