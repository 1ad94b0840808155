#include "sim/keyboard.h"

#include <algorithm>

#include "device/le_bytes.h"

namespace kv::sim {
namespace {

using namespace kv::device;

// Bytes of the settings block the host may change; the rest describes the keyboard.
bool SettingsByteWritable(size_t i) {
    return i == kSettingsActiveProfile || (i > kSettingsMacroUnits && i < kSettingsModeList);
}

Report ReplyTo(const Report& request, uint8_t status) {
    Report reply{};
    reply[kFieldReportId] = kReportId;
    reply[kFieldCommand] = request[kFieldCommand];
    reply[kFieldLength] = request[kFieldLength];
    reply[kFieldOffsetLo] = request[kFieldOffsetLo];
    reply[kFieldOffsetHi] = request[kFieldOffsetHi];
    reply[kFieldStatus] = status;
    return reply;
}

void Stamp(Report& report) { PutU16(report, kFieldChecksumLo, ReportSum(report)); }

uint16_t OffsetOf(const Report& r) { return GetU16(r, kFieldOffsetLo); }

}  // namespace

uint16_t ReportSum(std::span<const uint8_t, 64> report) {
    uint32_t sum = 0;
    for (size_t i = kFieldCommand; i < kReportSize; ++i) sum += report[i];
    return static_cast<uint16_t>(sum);
}

Keyboard::Keyboard(KeyboardMemory memory) : memory_(std::move(memory)) {}

Report Keyboard::StatusReply(std::span<const uint8_t> request, uint8_t status) {
    Report copy{};
    std::copy_n(request.begin(), std::min(request.size(), copy.size()), copy.begin());
    Report reply = ReplyTo(copy, status);
    Stamp(reply);
    return reply;
}

Outcome Keyboard::Handle(std::span<const uint8_t> request) {
    ++counters_.reports;
    Report report{};
    std::copy_n(request.begin(), std::min(request.size(), report.size()), report.begin());
    if (request.size() < kReportSize || report[kFieldReportId] != kReportId)
        return Refuse(report, kStatusRefused);
    // The update switch travels without a checksum.
    if (report[kFieldCommand] == kCmdEnterUpdateMode && report[kFieldLength] == kCmdEnterUpdateMode) {
        config_open_ = false;
        return Outcome{Outcome::Kind::kUpdateMode, {}, false};
    }
    if (GetU16(report, kFieldChecksumLo) != ReportSum(report)) return Refuse(report, kStatusRefused);
    return HandleCommand(report);
}

Outcome Keyboard::HandleCommand(const Report& request) {
    switch (request[kFieldCommand]) {
        case kCmdBeginConfig:
            ++counters_.begin_config;
            config_open_ = true;
            return Outcome{Outcome::Kind::kReply, StatusReply(request, kStatusOk), false};
        case kCmdEndConfig:
            ++counters_.end_config;
            config_open_ = false;
            return Outcome{Outcome::Kind::kReply, StatusReply(request, kStatusOk), false};
        case kCmdReadSettings:
            return ReadSettings(request);
        case kCmdWriteSettings:
            return WriteSettings(request);
        case kCmdReadProfileSettings:
            return Read(request, Area::kProfileSettings);
        case kCmdWriteProfileSettings:
            return Write(request, Area::kProfileSettings);
        case kCmdReadKeyMap:
            return Read(request, Area::kKeyMaps);
        case kCmdWriteKeyMap:
            return Write(request, Area::kKeyMaps);
        case kCmdReadMacroArea:
            return Read(request, Area::kMacro);
        case kCmdWriteMacroArea:
            return Write(request, Area::kMacro);
        case kCmdReadDefaultMatrix:
            return Read(request, Area::kDefaultMatrix);
        case kCmdReadKeyColours:
            return Read(request, Area::kKeyColours);
        case kCmdWriteKeyColours:
            return Write(request, Area::kKeyColours);
        default:
            return Refuse(request, kStatusRefused);
    }
}

// A read must start inside the area; a read that runs past the end returns the
// bytes up to the end and zeros after them (hosts read whole 56-byte windows).
Outcome Keyboard::Read(const Report& request, Area area) {
    size_t length = request[kFieldLength];
    size_t offset = OffsetOf(request);
    size_t size = memory_.Size(area);
    if (length > kReportData || offset >= size) return Refuse(request, kStatusBadRange);
    size_t count = std::min(length, size - offset);
    Report reply = ReplyTo(request, kStatusOk);
    reply[kFieldLength] = static_cast<uint8_t>(count);
    memory_.Read(area, offset, std::span<uint8_t>(reply).subspan(kFieldData, count));
    Stamp(reply);
    return Outcome{Outcome::Kind::kReply, reply, false};
}

// A write is all or nothing: it must fit the area completely.
Outcome Keyboard::Write(const Report& request, Area area) {
    size_t length = request[kFieldLength];
    size_t offset = OffsetOf(request);
    if (length > kReportData) return Refuse(request, kStatusBadRange);
    auto data = std::span<const uint8_t>(request).subspan(kFieldData, length);
    if (!memory_.Write(area, offset, data)) return Refuse(request, kStatusBadRange);
    ++counters_.writes;
    if (!config_open_) ++counters_.writes_outside_config;
    return Outcome{Outcome::Kind::kReply, StatusReply(request, kStatusOk), length > 0};
}

Outcome Keyboard::ReadSettings(const Report& request) {
    if (OffsetOf(request) != 0) return Refuse(request, kStatusBadRange);
    Report reply = ReplyTo(request, kStatusOk);
    reply[kFieldLength] = static_cast<uint8_t>(kSettingsSize);
    memory_.Read(Area::kSettings, 0, std::span<uint8_t>(reply).subspan(kFieldData, kSettingsSize));
    Stamp(reply);
    return Outcome{Outcome::Kind::kReply, reply, false};
}

// Whole block only. The keyboard keeps its identity bytes, its macro capacity
// and its mode list; it refuses an active profile it does not have.
Outcome Keyboard::WriteSettings(const Report& request) {
    if (request[kFieldLength] != kSettingsSize || OffsetOf(request) != 0)
        return Refuse(request, kStatusBadRange);
    if (request[kFieldData + kSettingsActiveProfile] >= kProfileCount)
        return Refuse(request, kStatusBadRange);
    std::array<uint8_t, kSettingsSize> block{};
    memory_.Read(Area::kSettings, 0, block);
    for (size_t i = 0; i < kSettingsSize; ++i)
        if (SettingsByteWritable(i)) block[i] = request[kFieldData + i];
    memory_.Write(Area::kSettings, 0, block);
    ++counters_.writes;
    if (!config_open_) ++counters_.writes_outside_config;
    return Outcome{Outcome::Kind::kReply, StatusReply(request, kStatusOk), true};
}

Outcome Keyboard::Refuse(const Report& request, uint8_t status) {
    ++counters_.refused;
    return Outcome{Outcome::Kind::kReply, StatusReply(request, status), false};
}

}  // namespace kv::sim
