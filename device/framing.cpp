// CommandReport framing: layout, checksum and the reply status byte.
#include <algorithm>

#include "device/transact.h"

namespace kv::device {

uint16_t ReportChecksum(std::span<const uint8_t, kReportSize> report) {
    uint32_t sum = 0;
    for (size_t i = kFieldCommand; i < kReportSize; ++i) sum += report[i];
    return static_cast<uint16_t>(sum);
}

void StampChecksum(std::span<uint8_t, kReportSize> report) {
    const uint16_t sum = ReportChecksum(report);
    report[kFieldChecksumLo] = static_cast<uint8_t>(sum);
    report[kFieldChecksumHi] = static_cast<uint8_t>(sum >> 8);
}

Report BuildReport(uint8_t command, uint8_t length, uint16_t offset, std::span<const uint8_t> data) {
    Report report{};
    report[kFieldReportId] = kReportId;
    report[kFieldCommand] = command;
    report[kFieldLength] = length;
    report[kFieldOffsetLo] = static_cast<uint8_t>(offset);
    report[kFieldOffsetHi] = static_cast<uint8_t>(offset >> 8);
    std::copy_n(data.begin(), std::min(data.size(), kReportData), report.begin() + kFieldData);
    StampChecksum(report);
    return report;
}

int MapReplyStatus(std::span<const uint8_t> reply) {
    if (reply.size() <= kFieldStatus) return kOk;
    switch (reply[kFieldStatus]) {
        case 0xFF:
            return kStatusFF;
        case 0xFE:
            return kStatusFE;
        default:
            return kOk;
    }
}

}  // namespace kv::device
