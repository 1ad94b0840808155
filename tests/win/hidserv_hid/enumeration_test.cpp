// Which collections the library takes for the keyboard's.
#include "service_fixture.h"

namespace kv::hidserv::test {
namespace {

using kv::device::ConsumerSelector;
using kv::device::IndicatorSelector;
using kv::device::VendorSelector;

struct Plugged {
    const wchar_t* path;
    HidCaps caps;
};

// Strangers that share something with the keyboard's collections.
const Plugged kForeignVendorSameUsage{L"\\\\?\\hid#other&col01", WithIds(VendorCaps(), 0x1234, 0x7505)};
const Plugged kSameVendorOtherProduct{L"\\\\?\\hid#sibling&col01", WithIds(VendorCaps(), 0x0C45, 0x7777)};
const Plugged kKeyboardUsage{L"\\\\?\\hid#kbd\\col04", WithUsage(VendorCaps(), 0x0001, 0x0006)};
const Plugged kWrongPageRightUsage{L"\\\\?\\hid#kbd\\col05", WithUsage(VendorCaps(), 0xFF00, 0x0092)};
const Plugged kForeignConsumer{L"\\\\?\\hid#media&col02", WithIds(ConsumerCaps(), 0x1234, 0x0001)};

struct EnumerationCase {
    const char* name;
    bool keyboard;
    std::vector<Plugged> others;
    int vendor, consumer, indicator;
};

class Enumeration : public HidServiceTest, public ::testing::WithParamInterface<EnumerationCase> {};

TEST_P(Enumeration, CountsOnlyTheKeyboardsCollections) {
    const EnumerationCase& c = GetParam();
    if (c.keyboard) PlugKeyboard();
    for (const Plugged& p : c.others) backend_.Plug(p.path, p.caps);
    Start();
    EXPECT_EQ(Count(VendorSelector()), c.vendor);
    EXPECT_EQ(Count(ConsumerSelector()), c.consumer);
    EXPECT_EQ(Count(IndicatorSelector()), c.indicator);
}

TEST_P(Enumeration, NeverOpensAStrangerForReadingOrWriting) {
    std::vector<std::shared_ptr<FakeCollection>> strangers;
    for (const Plugged& p : GetParam().others) strangers.push_back(backend_.Plug(p.path, p.caps));
    if (GetParam().keyboard) PlugKeyboard();
    Start();
    ASSERT_TRUE(NotifyAndWaitForCount(GetParam().vendor));
    for (const auto& s : strangers) EXPECT_EQ(s->TransferOpens(), 0);
}

INSTANTIATE_TEST_SUITE_P(HidService, Enumeration,
                         ::testing::Values(EnumerationCase{"NothingPlugged", false, {}, 0, 0, 0},
                                           EnumerationCase{"KeyboardAlone", true, {}, 1, 1, 1},
                                           EnumerationCase{
                                               "OnlyStrangers",
                                               false,
                                               {kForeignVendorSameUsage, kSameVendorOtherProduct,
                                                kKeyboardUsage, kWrongPageRightUsage, kForeignConsumer},
                                               0,
                                               0,
                                               0},
                                           EnumerationCase{"KeyboardAmongStrangers",
                                                           true,
                                                           {kForeignVendorSameUsage, kKeyboardUsage,
                                                            kWrongPageRightUsage, kForeignConsumer},
                                                           1,
                                                           1,
                                                           1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HidServiceTest, CountsEveryKeyboardAndWritesToTheFirst) {
    const FakeKeyboard first = PlugKeyboard(L"\\\\?\\hid#kbd&1");
    const FakeKeyboard second = PlugKeyboard(L"\\\\?\\hid#kbd&2");
    Start();
    EXPECT_EQ(Count(VendorSelector()), 2);
    EXPECT_EQ(Count(ConsumerSelector()), 2);
    ASSERT_EQ(WriteOne(CommandReport(0x03)), 1);
    EXPECT_EQ(first.vendor->Writes().size(), 1u);
    EXPECT_TRUE(second.vendor->Writes().empty());
}

TEST_F(HidServiceTest, OpensEachCollectionForNoMoreThanItUses) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    EXPECT_EQ(k.vendor->LastAccess(), Access::kReadWrite);
    EXPECT_EQ(k.consumer->LastAccess(), Access::kRead)
        << "the system shares consumer control for reading only";
    EXPECT_EQ(k.indicator->LastAccess(), Access::kWrite);
}

TEST_F(HidServiceTest, AVendorCollectionHeldElsewhereDoesNotCount) {
    backend_.RefuseOpen(L"\\\\?\\hid#kbd\\col02", Access::kReadWrite);
    PlugKeyboard();
    Start();
    EXPECT_EQ(Count(VendorSelector()), 0);
    EXPECT_EQ(Count(ConsumerSelector()), 1);
    EXPECT_EQ(WriteOne(CommandReport(0x03)), 0);
}

TEST_F(HidServiceTest, ProbesAStrangerOnceWhileItStaysPlugged) {
    backend_.Plug(kForeignVendorSameUsage.path, kForeignVendorSameUsage.caps);
    Start();
    PlugKeyboard();
    ASSERT_TRUE(NotifyAndWaitForCount(1));
    UnplugKeyboard();
    ASSERT_TRUE(NotifyAndWaitForCount(0));
    EXPECT_EQ(backend_.QueryOpens(kForeignVendorSameUsage.path), 1);
}

}  // namespace
}  // namespace kv::hidserv::test
