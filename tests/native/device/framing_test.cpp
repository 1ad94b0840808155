#include <gtest/gtest.h>

#include <numeric>

#include "device/transact.h"

namespace kv::device {
namespace {

struct ChecksumCase {
    const char* name;
    Report report;
    uint16_t expected;
};

Report Filled(uint8_t value) {
    Report report;
    report.fill(value);
    return report;
}

Report OnlyCommand(uint8_t code) {
    Report report{};
    report[kFieldCommand] = code;
    return report;
}

Report Ramp() {
    Report report;
    std::iota(report.begin(), report.end(), uint8_t{0});
    return report;
}

TEST(Framing, ChecksumSumsBytesThreeToSixtyThree) {
    const ChecksumCase cases[] = {
        {"command byte 1 only", OnlyCommand(1), 0x0001},
        {"all bytes 0xFF", Filled(0xFF), 61 * 0xFF},
        // 3 + 4 + ... + 63: the id and the old checksum bytes do not count.
        {"ramp", Ramp(), (3 + 63) * 61 / 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReportChecksum(c.report), c.expected);
        Report stamped = c.report;
        StampChecksum(stamped);
        EXPECT_EQ(stamped[kFieldChecksumLo], c.expected & 0xFF);
        EXPECT_EQ(stamped[kFieldChecksumHi], c.expected >> 8);
        // Stamping changes nothing but bytes 1 and 2.
        for (size_t i = 0; i < kReportSize; ++i) {
            if (i != kFieldChecksumLo && i != kFieldChecksumHi) {
                EXPECT_EQ(stamped[i], c.report[i]) << i;
            }
        }
    }
}

TEST(Framing, BuildReportLaysOutFields) {
    const std::vector<uint8_t> data{0xA1, 0xA2, 0xA3};
    const Report report = BuildReport(0x06, 3, 0x0236, data);
    EXPECT_EQ(report[kFieldReportId], 4);
    EXPECT_EQ(report[kFieldCommand], 0x06);
    EXPECT_EQ(report[kFieldLength], 3);
    EXPECT_EQ(report[kFieldOffsetLo], 0x36);
    EXPECT_EQ(report[kFieldOffsetHi], 0x02);
    EXPECT_EQ(report[kFieldStatus], 0);
    EXPECT_EQ(report[8], 0xA1);
    EXPECT_EQ(report[10], 0xA3);
    for (size_t i = 11; i < kReportSize; ++i) EXPECT_EQ(report[i], 0) << i;
    const uint16_t sum = 0x06 + 3 + 0x36 + 0x02 + 0xA1 + 0xA2 + 0xA3;
    EXPECT_EQ(report[kFieldChecksumLo] | report[kFieldChecksumHi] << 8, sum);
}

TEST(Framing, BuildReportKeepsDataToFiftySixBytes) {
    std::vector<uint8_t> data(70, 0x11);
    const Report report = BuildReport(0x0A, 56, 0, data);
    for (size_t i = kFieldData; i < kReportSize; ++i) EXPECT_EQ(report[i], 0x11) << i;
}

TEST(Framing, ChecksumOfLoneCommandByteIsStoredLowByteFirst) {
    // Bytes 3..63 zero except byte 3 = 1: checksum 0x0001.
    const Report report = BuildReport(1, 0, 0);
    EXPECT_EQ(report[kFieldChecksumLo], 0x01);
    EXPECT_EQ(report[kFieldChecksumHi], 0x00);
}

TEST(Framing, ReplyStatusMapping) {
    const struct {
        uint8_t status;
        int expected;
    } cases[] = {{0x00, kOk}, {0x01, kOk}, {0xFD, kOk}, {0xFE, kStatusFE}, {0xFF, kStatusFF}};
    for (const auto& c : cases) {
        Report reply{};
        reply[kFieldStatus] = c.status;
        EXPECT_EQ(MapReplyStatus(reply), c.expected) << int(c.status);
    }
    // Too short to carry a status: nothing to map.
    const uint8_t short_reply[4] = {4, 0, 0, 1};
    EXPECT_EQ(MapReplyStatus(short_reply), kOk);
}

}  // namespace
}  // namespace kv::device
