// The hid build of HidServ.dll itself, loaded as the program loads it. Under
// Wine there is no keyboard: the library must start, count none and refuse writes.
#include <windows.h>

#include "device/service.h"
#include "service_fixture.h"

namespace kv::hidserv::test {
namespace {

using kv::device::RequestCheck;
using kv::device::VendorSelector;

class HidDll : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { module_ = LoadLibraryW(L"hid\\HidServ.dll"); }

    template <typename T>
    static T Get(const char* name) {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    static inline HMODULE module_ = nullptr;
};

TEST_F(HidDll, BindsAsTheProgramBindsIt) {
    ASSERT_NE(module_, nullptr) << "hid\\HidServ.dll in the stage folder";
    auto service = kv::device::BindDeviceService(
        [](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module_, name)); });
    ASSERT_NE(service, nullptr) << "one of the twelve exports is missing";
    ASSERT_GT(service->Init(0), 0);
    const DeviceSelector v = VendorSelector();
    EXPECT_EQ(service->RequestGetDeviceCount(&v, nullptr, 0, RequestCheck(v, nullptr, 0), nullptr), 0);
    const Bytes report = CommandReport(0x03);
    EXPECT_EQ(service->RequestWriteOne(&v, nullptr, 0, report.data(), 64, RequestCheck(v, nullptr, 0, report),
                                       nullptr),
              0);
    uint32_t unit = 0;
    ASSERT_EQ(service->RequestAsyncRead(&v, &RecordingCallback, HIDSERV_TAG_CTRL,
                                        RequestCheck(v, &RecordingCallback, HIDSERV_TAG_CTRL), &unit),
              1);
    EXPECT_NE(unit, 0u);
    EXPECT_EQ(service->RequestAsyncRead(&v, &RecordingCallback, HIDSERV_TAG_CTRL, 0, &unit), 0);
    EXPECT_EQ(service->DeleteRequestFromUnitId(unit), 1);
}

TEST_F(HidDll, TheSixUncalledExportsDoNothing) {
    ASSERT_NE(module_, nullptr);
    const DeviceSelector v = VendorSelector();
    const Bytes data = CommandReport(0x03);
    uint32_t unit = 0;
    EXPECT_EQ(Get<HidServ_Debug>("Debug")(1), 0);
    EXPECT_EQ(Get<HidServ_End>("End")(), 0);
    EXPECT_EQ(Get<HidServ_DeleteRequestFromHandle>("DeleteRequestFromHandle")(nullptr), 0);
    EXPECT_EQ(Get<HidServ_RequestWrite>("RequestWrite")(&v, nullptr, 0, data.data(), 64, 0, &unit), 0);
    EXPECT_EQ(Get<HidServ_RequestStatusGet>("RequestStatusGet")(&v, nullptr, 0, 0, &unit), 0);
    EXPECT_EQ(Get<HidServ_RequestStatusSetFeature>("RequestStatusSetFeature")(&v, nullptr, 0, data.data(), 2,
                                                                              0, &unit),
              0);
    EXPECT_GT(Get<HidServ_Init>("Init")(0), 0) << "End did not stop the library";
}

}  // namespace
}  // namespace kv::hidserv::test
