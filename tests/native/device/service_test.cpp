#include "device/service.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace kv::device {
namespace {

// Stand-ins for the library's exports; each records what reached it.
struct Seen {
    std::string last;
    uint32_t tag = 0;
    uint32_t length = 0;
    uint32_t check = 0;
    uint16_t usage_page = 0;
} g_seen;

int StubInit(int flags) {
    g_seen.last = "Init";
    return flags + 10;
}
int StubCount(const DeviceSelector* s, HidServCallback, uint32_t tag, uint32_t check, uint32_t*) {
    g_seen = {"RequestGetDeviceCount", tag, 0, check, s->usage_page};
    return 2;
}
int StubWriteOne(const DeviceSelector* s, HidServCallback, uint32_t tag, const uint8_t*, uint32_t length,
                 uint32_t check, uint32_t*) {
    g_seen = {"RequestWriteOne", tag, length, check, s->usage_page};
    return 3;
}
int StubAsyncRead(const DeviceSelector* s, HidServCallback, uint32_t tag, uint32_t check, uint32_t* unit) {
    g_seen = {"RequestAsyncRead", tag, 0, check, s->usage_page};
    *unit = 44;
    return 4;
}
int StubStatusWrite(const DeviceSelector* s, HidServCallback, uint32_t tag, const uint8_t*, uint32_t length,
                    uint32_t check, uint32_t* unit) {
    g_seen = {"RequestStatusWrite", tag, length, check, s->usage_page};
    *unit = 55;
    return 5;
}
int StubDelete(uint32_t unit) {
    g_seen = {"DeleteRequestFromUnitId", unit, 0, 0, 0};
    return 6;
}
int StubUnused() { return 0; }

std::map<std::string, void*> AllExports() {
    std::map<std::string, void*> exports;
    for (const char* name : ExportNames()) exports[name] = reinterpret_cast<void*>(&StubUnused);
    exports["Init"] = reinterpret_cast<void*>(&StubInit);
    exports["RequestGetDeviceCount"] = reinterpret_cast<void*>(&StubCount);
    exports["RequestWriteOne"] = reinterpret_cast<void*>(&StubWriteOne);
    exports["RequestAsyncRead"] = reinterpret_cast<void*>(&StubAsyncRead);
    exports["RequestStatusWrite"] = reinterpret_cast<void*>(&StubStatusWrite);
    exports["DeleteRequestFromUnitId"] = reinterpret_cast<void*>(&StubDelete);
    return exports;
}

ExportResolver ResolverFor(std::map<std::string, void*> exports) {
    return [exports](const char* name) -> void* {
        const auto it = exports.find(name);
        return it == exports.end() ? nullptr : it->second;
    };
}

TEST(BindDeviceService, AnyMissingExportRefusesTheLibrary) {
    const char* const expected[] = {"Init",
                                    "RequestGetDeviceCount",
                                    "RequestWriteOne",
                                    "RequestAsyncRead",
                                    "RequestStatusWrite",
                                    "DeleteRequestFromUnitId",
                                    "Debug",
                                    "End",
                                    "DeleteRequestFromHandle",
                                    "RequestWrite",
                                    "RequestStatusGet",
                                    "RequestStatusSetFeature"};
    ASSERT_EQ(ExportNames().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_STREQ(ExportNames()[i], expected[i]);

    for (const char* missing : expected) {
        SCOPED_TRACE(missing);
        auto exports = AllExports();
        exports.erase(missing);
        EXPECT_EQ(BindDeviceService(ResolverFor(exports)), nullptr);
    }
    EXPECT_EQ(BindDeviceService(ExportResolver{}), nullptr);
}

TEST(BindDeviceService, ForwardsTheSixCalledExports) {
    auto service = BindDeviceService(ResolverFor(AllExports()));
    ASSERT_NE(service, nullptr);
    const DeviceSelector vendor = VendorSelector();
    const uint8_t data[2] = {5, 2};
    uint32_t unit = 0;

    EXPECT_EQ(service->Init(0), 10);
    EXPECT_EQ(g_seen.last, "Init");
    EXPECT_EQ(service->RequestGetDeviceCount(&vendor, nullptr, 0, 123, nullptr), 2);
    EXPECT_EQ(g_seen.last, "RequestGetDeviceCount");
    EXPECT_EQ(g_seen.check, 123u);
    EXPECT_EQ(g_seen.usage_page, 0xFF1C);
    EXPECT_EQ(service->RequestWriteOne(&vendor, nullptr, 0, data, 64, 9, nullptr), 3);
    EXPECT_EQ(g_seen.last, "RequestWriteOne");
    EXPECT_EQ(g_seen.length, 64u);
    EXPECT_EQ(service->RequestAsyncRead(&vendor, nullptr, HIDSERV_TAG_CTRL, 1, &unit), 4);
    EXPECT_EQ(g_seen.tag, HIDSERV_TAG_CTRL);
    EXPECT_EQ(unit, 44u);
    EXPECT_EQ(service->RequestStatusWrite(&vendor, nullptr, HIDSERV_TAG_LED, data, 2, 1, &unit), 5);
    EXPECT_EQ(g_seen.last, "RequestStatusWrite");
    EXPECT_EQ(unit, 55u);
    EXPECT_EQ(service->DeleteRequestFromUnitId(77), 6);
    EXPECT_EQ(g_seen.last, "DeleteRequestFromUnitId");
    EXPECT_EQ(g_seen.tag, 77u);
}

TEST(Selectors, WireBytes) {
    const struct {
        const char* name;
        DeviceSelector selector;
        uint8_t page_lo, page_hi, usage_lo, usage_hi;
    } cases[] = {
        {"vendor", VendorSelector(), 0x1C, 0xFF, 0x92, 0x00},
        {"consumer", ConsumerSelector(), 0x0C, 0x00, 0x01, 0x00},
        {"indicator", IndicatorSelector(), 0x08, 0x00, 0x89, 0x00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t bytes[16];
        std::memcpy(bytes, &c.selector, sizeof bytes);
        const uint8_t expected[16] = {0x0F,      0,         0,          0,          0x45, 0x0C, 0x05, 0x75,
                                      c.page_lo, c.page_hi, c.usage_lo, c.usage_hi, 0,    0,    0,    0};
        for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], expected[i]) << i;
    }
}

TEST(RequestCheck, SumsTableEntriesOverEveryField) {
    const DeviceSelector selector = IndicatorSelector();
    const uint8_t data[2] = {0x05, 0x03};
    uint32_t expected = 0;
    const uint8_t selector_bytes[16] = {0x0F, 0, 0, 0, 0x45, 0x0C, 0x05, 0x75, 0x08, 0, 0x89, 0, 0, 0, 0, 0};
    for (uint8_t b : selector_bytes) expected += CheckTable[b];
    expected += 4 * CheckTable[0];                                         // no callback
    for (uint8_t b : {0x44, 0x45, 0x4C, 0x00}) expected += CheckTable[b];  // 'LED' little-endian
    for (uint8_t b : data) expected += CheckTable[b];
    EXPECT_EQ(RequestCheck(selector, nullptr, HIDSERV_TAG_LED, data), expected);
}

}  // namespace
}  // namespace kv::device
