// What sync remembers about the keyboard between runs: how many keyboards the
// last read-back run saw, the keyboard's default key matrix, the size of its
// macro area and whether the working set is the keyboard's own. Written by read-back runs, read by Apply on
// the user-interface thread.
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

    // False until a reload has read the key maps and macros from the keyboard,
    // and again after one that could not: the working set is then the default
    // one, and writing it would wipe the keyboard's assignments and macros.
    bool WorkingSetFromKeyboard() const { return working_from_keyboard_; }
    void SetWorkingSetFromKeyboard(bool from_keyboard) { working_from_keyboard_ = from_keyboard; }

    // Whether the last read-back read the keyboard's default matrix too and
    // so decoded the key maps against the keyboard's own (tools that read the
    // keyboard once and report failure look at it; the window does not).
    bool ReadBackLoaded() const { return read_back_loaded_; }
    void SetReadBackLoaded(bool loaded) { read_back_loaded_ = loaded; }

  private:
    std::atomic<int> last_device_count_{0};
    std::atomic<bool> working_from_keyboard_{false};
    std::atomic<bool> read_back_loaded_{false};
    std::atomic<uint32_t> macro_capacity_{0};
    mutable std::mutex matrix_mutex_;
    KeyMapImage default_matrix_;
};

}  // namespace kv::model
