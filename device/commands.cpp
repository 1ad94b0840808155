#include "device/commands.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kv::device {

namespace {

constexpr uint32_t kOffsetLimit = 0x10000;  // offsets travel as 16 bits
constexpr auto kEndConfigPause = std::chrono::milliseconds(10);

bool ValidBlockIndex(int index) { return index >= 0 && index < kProfileCount; }

std::span<const uint8_t> ReplyData(const Report& reply, size_t count) {
    return std::span<const uint8_t>(reply).subspan(kFieldData, std::min(count, kReportData));
}

}  // namespace

Commands::Commands(DeviceLink& link) : link_(link) {}

int Commands::Exchange(const Report& request, Report& reply) {
    reply.fill(0);
    uint32_t length = 0;
    const int result = link_.Transact(request, reply, &length);
    return result == kOk ? MapReplyStatus(reply) : result;
}

int Commands::ReadChunked(uint8_t command, std::span<uint8_t> out, uint32_t base) {
    if (base + out.size() > kOffsetLimit) return kBadBlockIndex;
    Report reply{};
    for (size_t position = 0; position < out.size(); position += kReportData) {
        const size_t size = std::min(kReportData, out.size() - position);
        const auto offset = static_cast<uint16_t>(base + position);
        const int result = Exchange(BuildReport(command, static_cast<uint8_t>(size), offset), reply);
        if (result != kOk) return result;
        std::ranges::copy(ReplyData(reply, size), out.begin() + static_cast<std::ptrdiff_t>(position));
    }
    return kOk;
}

int Commands::WriteChunked(uint8_t command, std::span<const uint8_t> data, uint32_t base) {
    if (base + data.size() > kOffsetLimit) return kBadBlockIndex;
    Report reply{};
    for (size_t position = 0; position < data.size(); position += kReportData) {
        const size_t size = std::min(kReportData, data.size() - position);
        const auto offset = static_cast<uint16_t>(base + position);
        const int result = Exchange(
            BuildReport(command, static_cast<uint8_t>(size), offset, data.subspan(position, size)), reply);
        if (result != kOk) return result;
    }
    return kOk;
}

int Commands::BeginConfig() {
    Report reply{};
    return Exchange(BuildReport(kCmdBeginConfig, 0, 0), reply);
}

int Commands::EndConfig() {
    // Gives the keyboard time to settle the last write before it closes the exchange.
    std::this_thread::sleep_for(kEndConfigPause);
    Report reply{};
    return Exchange(BuildReport(kCmdEndConfig, 0, 0), reply);
}

int Commands::ReadSettingsBlock(std::span<uint8_t, kSettingsBlockSize> out) {
    Report reply{};
    const int result = Exchange(BuildReport(kCmdReadSettings, kSettingsBlockSize, 0), reply);
    if (result == kOk) std::ranges::copy(ReplyData(reply, kSettingsBlockSize), out.begin());
    return result;
}

int Commands::WriteSettingsBlock(std::span<const uint8_t, kSettingsBlockSize> block) {
    Report reply{};
    return Exchange(BuildReport(kCmdWriteSettings, kSettingsBlockSize, 0, block), reply);
}

int Commands::ReadProfileSettings(std::span<uint8_t, kReportData> out, uint8_t length, uint16_t offset) {
    Report reply{};
    const int result = Exchange(BuildReport(kCmdReadProfileSettings, length, offset), reply);
    if (result == kOk) std::ranges::copy(ReplyData(reply, kReportData), out.begin());
    return result;
}

int Commands::WriteProfileSettings(std::span<const uint8_t> data, uint16_t offset) {
    if (data.size() > kReportData) return kBadBlockIndex;
    Report reply{};
    return Exchange(BuildReport(kCmdWriteProfileSettings, static_cast<uint8_t>(data.size()), offset, data),
                    reply);
}

int Commands::ReadKeyMapBlock(std::span<uint8_t, kKeyMapSize> out, int index) {
    if (!ValidBlockIndex(index)) return kBadBlockIndex;
    return ReadChunked(kCmdReadKeyMap, out, static_cast<uint32_t>(index) * kKeyMapSize);
}

int Commands::WriteKeyMapBlock(std::span<const uint8_t, kKeyMapSize> block, int index) {
    if (!ValidBlockIndex(index)) return kBadBlockIndex;
    return WriteChunked(kCmdWriteKeyMap, block, static_cast<uint32_t>(index) * kKeyMapSize);
}

int Commands::ReadMacroArea(std::span<uint8_t> out) { return ReadChunked(kCmdReadMacroArea, out, 0); }

int Commands::WriteMacroArea(std::span<const uint8_t> data) {
    return WriteChunked(kCmdWriteMacroArea, data, 0);
}

int Commands::ReadDefaultMatrix(std::span<uint8_t, kDefaultMatrixSize> out) {
    return ReadChunked(kCmdReadDefaultMatrix, out, 0);
}

int Commands::ReadKeyColours(std::span<uint8_t, kReportData> out, uint8_t length, uint16_t offset, int page) {
    if (page < 0) return kBadBlockIndex;
    const uint64_t device_offset = static_cast<uint64_t>(page) * kKeyColourPageSize + offset;
    if (device_offset >= kOffsetLimit) return kBadBlockIndex;
    Report reply{};
    const int result =
        Exchange(BuildReport(kCmdReadKeyColours, length, static_cast<uint16_t>(device_offset)), reply);
    if (result == kOk) std::ranges::copy(ReplyData(reply, kReportData), out.begin());
    return result;
}

int Commands::WriteKeyColours(std::span<const uint8_t> data, uint16_t offset) {
    const int page = shown_profile_.load();
    if (page < 0 || data.size() > kReportData) return kBadBlockIndex;
    const uint64_t device_offset = static_cast<uint64_t>(page) * kKeyColourPageSize + offset;
    if (device_offset >= kOffsetLimit) return kBadBlockIndex;
    Report reply{};
    return Exchange(BuildReport(kCmdWriteKeyColours, static_cast<uint8_t>(data.size()),
                                static_cast<uint16_t>(device_offset), data),
                    reply);
}

int Commands::EnterUpdateMode() {
    // The update loader takes this report without a checksum.
    Report report{};
    report[kFieldReportId] = kReportId;
    report[kFieldCommand] = kCmdEnterUpdateMode;
    report[kFieldLength] = kCmdEnterUpdateMode;
    return link_.SendReport(report);
}

}  // namespace kv::device
