// What each request accepts, what it writes, and what it refuses.
#include "service_fixture.h"

namespace kv::hidserv::test {
namespace {

using kv::device::ConsumerSelector;
using kv::device::IndicatorSelector;
using kv::device::MakeSelector;
using kv::device::RequestCheck;
using kv::device::VendorSelector;

// Every request the program makes, for one selector and a check value that is
// off by `check_offset` from the right one. The results, in this order: count,
// write, read, status write.
std::vector<int> AllRequests(HidService& s, const DeviceSelector& selector, uint32_t check_offset) {
    const Bytes report = CommandReport(0x03);
    const Bytes status = {0x05, 0x02};
    uint32_t unit = 0;
    return {
        s.RequestGetDeviceCount(&selector, nullptr, 0, RequestCheck(selector, nullptr, 0) + check_offset,
                                nullptr),
        s.RequestWriteOne(&selector, nullptr, 0, report.data(), 64,
                          RequestCheck(selector, nullptr, 0, report) + check_offset, nullptr),
        s.RequestAsyncRead(&selector, &RecordingCallback, 7,
                           RequestCheck(selector, &RecordingCallback, 7) + check_offset, &unit),
        s.RequestStatusWrite(&selector, nullptr, HIDSERV_TAG_LED, status.data(), 2,
                             RequestCheck(selector, nullptr, HIDSERV_TAG_LED, status) + check_offset, &unit),
    };
}

struct SelectorCase {
    const char* name;
    DeviceSelector selector;
    uint32_t check_offset;
    std::vector<int> results;
};

DeviceSelector Changed(DeviceSelector s, void (*change)(DeviceSelector&)) {
    change(s);
    return s;
}

class Refusal : public HidServiceTest, public ::testing::WithParamInterface<SelectorCase> {};

TEST_P(Refusal, AnswersAsTheSelectorAndCheckDeserve) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    EXPECT_EQ(AllRequests(*service_, GetParam().selector, GetParam().check_offset), GetParam().results);
    const bool vendor_write = GetParam().results[1] == 1;
    const bool status_write = GetParam().results[3] == 1;
    EXPECT_EQ(k.vendor->Writes().size(), vendor_write ? 1u : 0u);
    EXPECT_EQ(k.indicator->Writes().size(), status_write ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    HidService, Refusal,
    ::testing::Values(SelectorCase{"Vendor", VendorSelector(), 0, {1, 1, 1, 0}},
                      SelectorCase{"Consumer", ConsumerSelector(), 0, {1, 0, 1, 0}},
                      SelectorCase{"Indicator", IndicatorSelector(), 0, {1, 0, 1, 1}},
                      SelectorCase{"VendorWrongCheck", VendorSelector(), 1, {0, 0, 0, 0}},
                      SelectorCase{"IndicatorWrongCheck", IndicatorSelector(), 0x100, {0, 0, 0, 0}},
                      SelectorCase{"UnknownUsage", MakeSelector(0x0001, 0x0006), 0, {0, 0, 0, 0}},
                      SelectorCase{"WrongSizeTag",
                                   Changed(VendorSelector(), [](DeviceSelector& s) { s.size_tag = 16; }),
                                   0,
                                   {0, 0, 0, 0}},
                      SelectorCase{"WrongVendor",
                                   Changed(VendorSelector(), [](DeviceSelector& s) { s.vendor_id = 0x1234; }),
                                   0,
                                   {0, 0, 0, 0}},
                      SelectorCase{"WrongProduct",
                                   Changed(VendorSelector(), [](DeviceSelector& s) { s.product_id = 1; }),
                                   0,
                                   {0, 0, 0, 0}},
                      SelectorCase{"ReservedNotZero",
                                   Changed(VendorSelector(), [](DeviceSelector& s) { s.reserved[3] = 1; }),
                                   0,
                                   {0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HidServiceTest, RefusesEverythingBeforeInit) {
    PlugKeyboard();
    service_ = std::make_unique<HidService>(backend_, FastOptions());
    EXPECT_EQ(AllRequests(*service_, VendorSelector(), 0), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(HidServiceTest, RefusesNullPointersAndWrongLengths) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    const DeviceSelector v = VendorSelector();
    Bytes report = CommandReport(0x03);
    report.push_back(0);
    EXPECT_EQ(service_->RequestWriteOne(nullptr, nullptr, 0, report.data(), 64, 0, nullptr), 0);
    EXPECT_EQ(service_->RequestWriteOne(&v, nullptr, 0, nullptr, 64, RequestCheck(v, nullptr, 0), nullptr),
              0);
    for (uint32_t length : {63u, 65u})
        EXPECT_EQ(service_->RequestWriteOne(&v, nullptr, 0, report.data(), length,
                                            RequestCheck(v, nullptr, 0, {report.data(), length}), nullptr),
                  0)
            << length;
    EXPECT_EQ(service_->RequestAsyncRead(&v, nullptr, 7, RequestCheck(v, nullptr, 7), nullptr), 0)
        << "a read needs a callback";
    EXPECT_EQ(StatusWrite({}), 0);
    EXPECT_EQ(StatusWrite({0x05, 0x02, 0x00}), 0) << "longer than the indicator's output report";
    EXPECT_TRUE(k.vendor->Writes().empty());
    EXPECT_TRUE(k.indicator->Writes().empty());
}

TEST_F(HidServiceTest, PadsAReportToTheCollectionsOutputLength) {
    auto vendor = backend_.Plug(L"\\\\?\\hid#kbd\\col02", VendorCaps(65, 65));
    auto indicator = backend_.Plug(L"\\\\?\\hid#kbd\\col03", WithUsage(VendorCaps(0, 8), 0x0008, 0x0089));
    Start();
    const Bytes report = CommandReport(0x04, 0x33);
    ASSERT_EQ(WriteOne(report), 1);
    ASSERT_EQ(StatusWrite({0x05, 0x03}), 1);
    Bytes padded = report;
    padded.push_back(0);
    EXPECT_EQ(vendor->LastWrite(), padded);
    EXPECT_EQ(indicator->LastWrite(), (Bytes{0x05, 0x03, 0, 0, 0, 0, 0, 0}));
}

TEST_F(HidServiceTest, RefusesAReportLongerThanTheCollectionTakes) {
    backend_.Plug(L"\\\\?\\hid#kbd\\col02", VendorCaps(64, 33));
    Start();
    EXPECT_EQ(WriteOne(CommandReport(0x03)), 0);
}

struct WriteCase {
    const char* name;
    WriteMode mode;
    bool output_report_works;
    int result;
    size_t writes, output_reports;
};

class WritePath : public HidServiceTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WritePath, WritesThroughTheInterruptPipeOrFallsBack) {
    const WriteCase& c = GetParam();
    const FakeKeyboard k = PlugKeyboard();
    k.vendor->SetWriteMode(c.mode);
    k.vendor->SetOutputReportWorks(c.output_report_works);
    Start();
    const Bytes report = CommandReport(0x0A, 0x44);
    EXPECT_EQ(WriteOne(report), c.result);
    EXPECT_EQ(k.vendor->Writes().size(), c.writes);
    ASSERT_EQ(k.vendor->OutputReports().size(), c.output_reports);
    if (c.output_reports) {
        EXPECT_EQ(k.vendor->OutputReports()[0], report);
    }
    EXPECT_EQ(Count(VendorSelector()), 1) << "a refused or slow write does not make the keyboard go";
}

INSTANTIATE_TEST_SUITE_P(
    HidService, WritePath,
    ::testing::Values(WriteCase{"Written", WriteMode::kAccept, true, 1, 1, 0},
                      WriteCase{"RefusedThenSetOutputReport", WriteMode::kRefuse, true, 1, 0, 1},
                      WriteCase{"RefusedByBothPipes", WriteMode::kRefuse, false, 0, 0, 0},
                      WriteCase{"OverTheTimeLimit", WriteMode::kHang, true, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HidServiceTest, StatusWriteSendsTheIndicatorBytesAndGivesAUnit) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    uint32_t unit = 0;
    ASSERT_EQ(StatusWrite({0x05, 0x03}, &unit), 1);
    EXPECT_NE(unit, 0u);
    EXPECT_EQ(k.indicator->LastWrite(), (Bytes{0x05, 0x03}));
    EXPECT_EQ(service_->DeleteRequestFromUnitId(unit), 1);
    EXPECT_EQ(service_->DeleteRequestFromUnitId(unit), 0);
    EXPECT_EQ(service_->DeleteRequestFromUnitId(0), 0);
    UnplugKeyboard();
    ASSERT_TRUE(NotifyAndWaitForCount(0));
    EXPECT_EQ(StatusWrite({0x05, 0x02}), 0);
}

TEST_F(HidServiceTest, TwoThreadsWritingTakeTurns) {
    const FakeKeyboard k = PlugKeyboard();
    k.vendor->SetWriteDelay(1ms);
    Start();
    constexpr int kEach = 40;
    std::atomic<int> sent{0};
    auto writer = [&](uint8_t fill) {
        for (int i = 0; i < kEach; ++i) sent += WriteOne(CommandReport(0x0A, fill));
    };
    std::thread a(writer, 0xA1), b(writer, 0xB2);
    a.join();
    b.join();
    EXPECT_EQ(sent, 2 * kEach);
    EXPECT_EQ(k.vendor->MostWritesAtOnce(), 1);
    const auto writes = k.vendor->Writes();
    ASSERT_EQ(writes.size(), 2u * kEach);
    for (const Bytes& w : writes)
        EXPECT_TRUE(w == CommandReport(0x0A, 0xA1) || w == CommandReport(0x0A, 0xB2));
}

}  // namespace
}  // namespace kv::hidserv::test
