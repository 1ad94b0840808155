// kvhid's list: every interface of the vendor, and nothing of anyone else.
#include "tools/kvhid/interface_list.h"

#include "service_fixture.h"

namespace kv::hidserv::test {
namespace {

using kv::kvhid::FormatInterfaceList;
using kv::kvhid::ListInterfaces;

TEST(InterfaceList, ShowsEachInterfaceOfTheVendorWithItsReportLengths) {
    FakeHidBackend backend;
    backend.Plug(L"\\\\?\\hid#vid_0c45&pid_7505&mi_01&col02#x", VendorCaps(64, 64));
    backend.Plug(L"\\\\?\\hid#vid_0c45&pid_7777#y",
                 WithIds(WithUsage(VendorCaps(9, 0), 0x0001, 0x0002), 0x0C45, 0x7777));
    backend.Plug(L"\\\\?\\hid#vid_1234&pid_0001#z", WithIds(ConsumerCaps(), 0x1234, 0x0001));
    backend.Plug(L"\\\\?\\hid#vid_0c45&pid_7505&mi_00#locked", IndicatorCaps());
    backend.RefuseOpen(L"\\\\?\\hid#vid_0c45&pid_7505&mi_00#locked", Access::kQuery);
    backend.RefuseOpen(L"\\\\?\\hid#vid_0c45&pid_7777#y", Access::kReadWrite);

    const auto list = ListInterfaces(backend, 0x0C45);
    EXPECT_EQ(list.seen, 4u);
    ASSERT_EQ(list.rows.size(), 3u) << "the stranger is left out, the locked one is kept by its path";
    const std::string text = FormatInterfaceList(list, 0x0C45);
    EXPECT_NE(text.find("3 HID interfaces of vendor 0C45 (of 4 in all)"), std::string::npos) << text;
    EXPECT_NE(text.find("7505     FF1C        0092      64      64        0  ok      vendor channel"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("7777     0001        0002       9       0        0  in use"), std::string::npos)
        << text;
    EXPECT_NE(text.find("-        -           -          -       -        -  closed  -"), std::string::npos)
        << text;
    EXPECT_NE(text.find("  \\\\?\\hid#vid_0c45&pid_7505&mi_00#locked\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("vid_1234"), std::string::npos) << text;
}

TEST(InterfaceList, SaysSoWhenTheVendorHasNone) {
    FakeHidBackend backend;
    backend.Plug(L"\\\\?\\hid#vid_1234&pid_0001#z", WithIds(ConsumerCaps(), 0x1234, 0x0001));
    const std::string text = FormatInterfaceList(ListInterfaces(backend, 0x0C45), 0x0C45);
    EXPECT_EQ(text.rfind("No HID interface of vendor 0C45 (of 1 HID interfaces in all).\n", 0), 0u) << text;
}

}  // namespace
}  // namespace kv::hidserv::test
