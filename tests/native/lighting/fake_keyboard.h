// A keyboard behind the device-service interface that answers every command
// from its own memory at once and records what it was sent.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "device/commands.h"
#include "device/service.h"
#include "device/transact.h"

namespace kv::test {

struct SentCommand {
    uint8_t command = 0;
    uint8_t length = 0;
    uint16_t offset = 0;
    std::vector<uint8_t> data;  // writes only: the length's worth of data bytes
    bool operator==(const SentCommand&) const = default;
};

inline void PrintTo(const SentCommand& c, std::ostream* os) {
    *os << "{cmd " << int(c.command) << ", len " << int(c.length) << ", off " << c.offset << ", data";
    for (uint8_t b : c.data) *os << ' ' << int(b);
    *os << '}';
}

inline bool IsWrite(uint8_t command) {
    switch (command) {
        case device::kCmdWriteSettings:
        case device::kCmdWriteProfileSettings:
        case device::kCmdWriteKeyMap:
        case device::kCmdWriteMacroArea:
        case device::kCmdWriteKeyColours:
            return true;
        default:
            return false;
    }
}

class FakeKeyboard : public device::DeviceService {
  public:
    std::array<uint8_t, device::kSettingsBlockSize> settings{};
    std::array<uint8_t, 3 * device::kProfileRecordSize> profile_area{};
    std::array<uint8_t, 3 * device::kKeyColourPageSize> key_colours{};
    std::vector<SentCommand> sent;
    // (command, device offset) pairs answered with a failure status.
    std::set<std::pair<uint8_t, uint16_t>> failing;

    void Attach(device::DeviceLink& link) { link_ = &link; }
    void Fail(uint8_t command, uint16_t offset) { failing.insert({command, offset}); }
    void SetModes(std::initializer_list<uint8_t> ids) {
        std::fill(settings.begin() + 16, settings.end(), uint8_t{0});
        std::copy(ids.begin(), ids.end(), settings.begin() + 16);
    }

    int Init(int) override { return 1; }
    int RequestGetDeviceCount(const DeviceSelector*, HidServCallback, uint32_t, uint32_t,
                              uint32_t*) override {
        return 1;
    }
    int RequestWriteOne(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t* data,
                        uint32_t length, uint32_t, uint32_t*) override {
        if (length < device::kReportSize) return 0;
        device::Report request{};
        std::copy_n(data, device::kReportSize, request.begin());
        const uint8_t command = request[device::kFieldCommand];
        const uint8_t len = request[device::kFieldLength];
        const auto offset =
            static_cast<uint16_t>(request[device::kFieldOffsetLo] | (request[device::kFieldOffsetHi] << 8));
        const bool fails = failing.count({command, offset}) > 0;
        // Retries of a failing command are recorded once.
        SentCommand record{command, len, offset, {}};
        if (IsWrite(command)) {
            record.data.assign(
                request.begin() + device::kFieldData,
                request.begin() + device::kFieldData + std::min<size_t>(len, device::kReportData));
        }
        if (!(fails && !sent.empty() && sent.back() == record)) sent.push_back(record);

        device::Report reply{};
        reply[device::kFieldReportId] = device::kReportId;
        reply[device::kFieldCommand] = command;
        reply[device::kFieldLength] = len;
        reply[device::kFieldOffsetLo] = request[device::kFieldOffsetLo];
        reply[device::kFieldOffsetHi] = request[device::kFieldOffsetHi];
        reply[device::kFieldStatus] = fails ? 0xFF : 0x00;
        if (!fails) Execute(command, len, offset, request, reply);
        if (link_) link_->OnReply(reply.data(), static_cast<uint32_t>(reply.size()));
        return 1;
    }
    int RequestAsyncRead(const DeviceSelector*, HidServCallback, uint32_t, uint32_t, uint32_t*) override {
        return 1;
    }
    int RequestStatusWrite(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t*, uint32_t,
                           uint32_t, uint32_t*) override {
        return 1;
    }
    int DeleteRequestFromUnitId(uint32_t) override { return 1; }

  private:
    template <size_t N>
    static void ReadFrom(const std::array<uint8_t, N>& area, uint16_t offset, device::Report& reply) {
        for (size_t i = 0; i < device::kReportData && offset + i < N; ++i)
            reply[device::kFieldData + i] = area[offset + i];
    }
    template <size_t N>
    static void WriteTo(std::array<uint8_t, N>& area, uint8_t len, uint16_t offset,
                        const device::Report& request) {
        for (size_t i = 0; i < len && i < device::kReportData && offset + i < N; ++i) {
            area[offset + i] = request[device::kFieldData + i];
        }
    }
    void Execute(uint8_t command, uint8_t len, uint16_t offset, const device::Report& request,
                 device::Report& reply) {
        switch (command) {
            case device::kCmdReadSettings:
                ReadFrom(settings, 0, reply);
                break;
            case device::kCmdWriteSettings:
                WriteTo(settings, len, 0, request);
                break;
            case device::kCmdReadProfileSettings:
                ReadFrom(profile_area, offset, reply);
                break;
            case device::kCmdWriteProfileSettings:
                WriteTo(profile_area, len, offset, request);
                break;
            case device::kCmdReadKeyColours:
                ReadFrom(key_colours, offset, reply);
                break;
            case device::kCmdWriteKeyColours:
                WriteTo(key_colours, len, offset, request);
                break;
            default:
                break;
        }
    }

    device::DeviceLink* link_ = nullptr;
};

// The keyboard, its link and command set, wired together with short waits.
struct FakeDevice {
    FakeKeyboard keyboard;
    device::DeviceLink link{
        keyboard, device::TransactTimings{std::chrono::milliseconds(200), std::chrono::milliseconds(0),
                                          std::chrono::milliseconds(0)}};
    device::Commands commands{link};
    FakeDevice() { keyboard.Attach(link); }
};

}  // namespace kv::test
