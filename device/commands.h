// The keyboard's command set: one command per memory area and direction,
// configuration brackets and the update-mode switch.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "device/transact.h"

namespace kv::device {

enum Command : uint8_t {
    kCmdBeginConfig = 0x01,
    kCmdEndConfig = 0x02,
    kCmdReadSettings = 0x03,
    kCmdWriteSettings = 0x04,
    kCmdReadProfileSettings = 0x05,
    kCmdWriteProfileSettings = 0x06,
    kCmdReadKeyMap = 0x07,
    kCmdWriteKeyMap = 0x08,
    kCmdReadMacroArea = 0x09,
    kCmdWriteMacroArea = 0x0A,
    kCmdReadDefaultMatrix = 0x0F,
    kCmdReadKeyColours = 0x10,
    kCmdWriteKeyColours = 0x11,
    kCmdEnterUpdateMode = 0xEE,
};

// Memory area sizes.
constexpr size_t kSettingsBlockSize = 48;
constexpr size_t kSettingsActiveProfile = 10;   // byte index in the settings block
constexpr size_t kSettingsMacroCapacity = 11;   // macro area size in 128-byte units
constexpr size_t kProfileRecordSize = 42;
constexpr int kProfileCount = 3;
constexpr size_t kKeyMapSize = 512;
constexpr size_t kDefaultMatrixSize = 512;
constexpr size_t kKeyColourPageSize = 256;
constexpr size_t kMacroHeaderSize = 16;
constexpr uint16_t kMacroAreaMagic = 0x55AA;

class Commands {
public:
    explicit Commands(DeviceLink& link);

    DeviceLink& Link() { return link_; }

    int BeginConfig();
    int EndConfig();  // sent after a 10 ms pause
    int ReadSettingsBlock(std::span<uint8_t, kSettingsBlockSize> out);
    int WriteSettingsBlock(std::span<const uint8_t, kSettingsBlockSize> block);
    // All 56 reply data bytes are copied out, whatever the length.
    int ReadProfileSettings(std::span<uint8_t, kReportData> out, uint8_t length, uint16_t offset);
    // 0..56 bytes; more is refused with -201 and nothing is sent.
    int WriteProfileSettings(std::span<const uint8_t> data, uint16_t offset);
    int ReadKeyMapBlock(std::span<uint8_t, kKeyMapSize> out, int index);          // -201 outside 0..2
    int WriteKeyMapBlock(std::span<const uint8_t, kKeyMapSize> block, int index);  // -201 outside 0..2
    // Total length = the span's size; 0 sends nothing and returns 1. More than the
    // 16-bit offsets can address (64 KiB) is refused with -201.
    int ReadMacroArea(std::span<uint8_t> out);
    int WriteMacroArea(std::span<const uint8_t> data);
    int ReadDefaultMatrix(std::span<uint8_t, kDefaultMatrixSize> out);
    // -201 (nothing sent) when page * 256 + offset does not fit the 16-bit offset.
    int ReadKeyColours(std::span<uint8_t, kReportData> out, uint8_t length, uint16_t offset, int page);
    // Writes to the page of the profile the main window shows (SetShownProfile);
    // same limits as WriteProfileSettings.
    int WriteKeyColours(std::span<const uint8_t> data, uint16_t offset);
    // One-way; the library's result, only exactly 1 counts as success.
    int EnterUpdateMode();

    // Active profile through the settings block, with a cache (-1 = unknown).
    // A settings block naming no valid profile (0..2) counts as a failed read.
    int GetActiveProfile();
    // kOk, the failed read's or write's result, or kBadBlockIndex (nothing
    // sent) for anything outside 0..2.
    int SetActiveProfile(int profile);
    int CachedActiveProfile() const { return cached_active_profile_; }
    void ResetActiveProfileCache() { cached_active_profile_ = -1; }

    // The profile the main window shows; selects the page WriteKeyColours writes.
    void SetShownProfile(int profile) { shown_profile_ = profile; }
    int ShownProfile() const { return shown_profile_; }

private:
    // One report exchanged and its status mapped: 1, 0, -1, -2, -102 or -103.
    int Exchange(const Report& request, Report& reply);
    // Chunked transfers of 56 bytes from device offset `base`.
    int ReadChunked(uint8_t command, std::span<uint8_t> out, uint32_t base);
    int WriteChunked(uint8_t command, std::span<const uint8_t> data, uint32_t base);

    DeviceLink& link_;
    std::recursive_mutex profile_lock_;  // read-modify-write of the settings block
    std::atomic<int> cached_active_profile_{-1};
    std::atomic<int> shown_profile_{0};
};

}  // namespace kv::device
