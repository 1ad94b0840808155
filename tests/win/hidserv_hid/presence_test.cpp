// Arrival and removal: the count records, and transfers cut short by a removal.
#include <future>

#include "service_fixture.h"

namespace kv::hidserv::test {
namespace {

using kv::device::ConsumerSelector;
using kv::device::VendorSelector;

std::vector<uint32_t> CountRecords(const std::vector<Seen>& seen, uint32_t tag) {
    std::vector<uint32_t> counts;
    for (const Seen& s : seen)
        if (s.tag == tag && s.kind == HIDSERV_KIND_COUNT) counts.push_back(s.count);
    return counts;
}

std::vector<uint32_t> CountRecords(uint32_t tag) { return CountRecords(Recorder::Instance().All(), tag); }

bool WaitForCountRecords(size_t n) {
    return Recorder::Instance().WaitFor(
        [&](const auto& seen) { return CountRecords(seen, HIDSERV_TAG_CTRL).size() >= n; });
}

TEST_F(HidServiceTest, StartsWithoutAKeyboard) {
    EXPECT_EQ(Start().Init(0), 1) << "a second Init changes nothing";
    EXPECT_EQ(Count(VendorSelector()), 0);
    EXPECT_EQ(WriteOne(CommandReport(0x03)), 0);
}

TEST_F(HidServiceTest, ArrivalAndRemovalSendCountRecordsToTheVendorReadsOnly) {
    Start();
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    Read(ConsumerSelector(), HIDSERV_TAG_CONS);
    PlugKeyboard();
    ASSERT_TRUE(NotifyAndWaitForCount(1));
    ASSERT_TRUE(WaitForCountRecords(1));
    // A notification that changes nothing sends nothing: the next record is the removal's.
    backend_.Notify();
    UnplugKeyboard();
    ASSERT_TRUE(NotifyAndWaitForCount(0));
    ASSERT_TRUE(WaitForCountRecords(2));
    EXPECT_EQ(CountRecords(HIDSERV_TAG_CTRL), (std::vector<uint32_t>{1, 0}));
    EXPECT_TRUE(CountRecords(HIDSERV_TAG_CONS).empty());
}

TEST_F(HidServiceTest, RemovalDuringAPendingReadEndsItAndTheCountFollows) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    ASSERT_TRUE(WaitUntil([&] { return k.vendor->ReadPending(); }));
    UnplugKeyboard();  // no system notification: the failed read is enough
    ASSERT_TRUE(WaitForCountRecords(1));
    EXPECT_EQ(CountRecords(HIDSERV_TAG_CTRL), (std::vector<uint32_t>{0}));
    EXPECT_EQ(Count(VendorSelector()), 0);
    EXPECT_FALSE(k.vendor->ReadPending());
}

TEST_F(HidServiceTest, RemovalDuringAPendingWriteFailsItAndTheCountFollows) {
    const FakeKeyboard k = PlugKeyboard();
    k.vendor->SetWriteMode(WriteMode::kHang);
    HidServiceOptions options = FastOptions();
    options.write_limit = 30s;  // only the removal can end this write
    Start(options);
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    auto write = std::async(std::launch::async, [&] { return WriteOne(CommandReport(0x08)); });
    ASSERT_TRUE(WaitUntil([&] { return k.vendor->WritePending(); }));
    backend_.Unplug(L"\\\\?\\hid#kbd\\col02");
    ASSERT_EQ(write.wait_for(10s), std::future_status::ready) << "the write hung after the removal";
    EXPECT_EQ(write.get(), 0);
    ASSERT_TRUE(WaitForCountRecords(1));
    EXPECT_EQ(CountRecords(HIDSERV_TAG_CTRL), (std::vector<uint32_t>{0}));
}

TEST_F(HidServiceTest, ReplugGivesAWorkingKeyboardAgain) {
    PlugKeyboard();
    Start();
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    UnplugKeyboard();
    ASSERT_TRUE(NotifyAndWaitForCount(0));
    const FakeKeyboard again = PlugKeyboard();
    ASSERT_TRUE(NotifyAndWaitForCount(1));
    ASSERT_TRUE(WaitForCountRecords(2));
    EXPECT_EQ(CountRecords(HIDSERV_TAG_CTRL), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(WriteOne(CommandReport(0x03)), 1);
    EXPECT_EQ(again.vendor->Writes().size(), 1u);
    again.vendor->PushInput(CommandReport(0x03));
    EXPECT_TRUE(Recorder::Instance().WaitFor([](const auto& seen) {
        return std::any_of(seen.begin(), seen.end(),
                           [](const Seen& s) { return s.kind == HIDSERV_KIND_INPUT; });
    })) << "no reader on the new collection";
}

TEST_F(HidServiceTest, AKeyboardReplugedBetweenTwoScansStillShowsAsGoneAndBack) {
    PlugKeyboard();
    HidServiceOptions options = FastOptions();
    options.settle = 500ms;  // both changes land inside one scan's settle time
    Start(options);
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    UnplugKeyboard();
    PlugKeyboard();
    backend_.Notify();
    ASSERT_TRUE(WaitForCountRecords(2));
    EXPECT_EQ(CountRecords(HIDSERV_TAG_CTRL), (std::vector<uint32_t>{0, 1}));
}

TEST_F(HidServiceTest, PollsWhenArrivalsCannotBeWatched) {
    backend_.WithoutWatch();
    Start();
    PlugKeyboard();
    EXPECT_TRUE(WaitUntil([&] { return Count(VendorSelector()) == 1; }));
}

}  // namespace
}  // namespace kv::hidserv::test
