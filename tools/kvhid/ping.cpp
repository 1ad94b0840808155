#include "tools/kvhid/ping.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "device/commands.h"
#include "device/service.h"
#include "device/transact.h"
#include "sim/hex_dump.h"

namespace kv::kvhid {
namespace {

using namespace kv::device;

std::atomic<DeviceLink*> g_link{nullptr};

int PingCallback(const NotificationRecord* record) {
    DeviceLink* link = g_link;
    if (link && record && record->request && record->kind == HIDSERV_KIND_INPUT &&
        record->request->tag == HIDSERV_TAG_CTRL)
        link->OnReply(record->request->data, record->request->count);
    return 1;
}

const char* ResultText(int result) {
    switch (result) {
        case kOk:
            return "reply received";
        case kNoDevice:
            return "no keyboard attached: nothing was sent";
        case kSendRefused:
            return "the library could not send the report";
        case kNoReply:
            return "no reply after 3 attempts";
        default:
            return "unexpected result";
    }
}

int Fail(const char* what, long detail) {
    std::printf("ping failed: %s (%ld)\n", what, detail);
    return 1;
}

}  // namespace

int Ping(const std::wstring& library_path) {
    HMODULE library = LoadLibraryW(library_path.c_str());
    if (!library) return Fail("the device library cannot be loaded", static_cast<long>(GetLastError()));
    // The library's threads keep running until the process ends: it stays loaded.
    auto service = BindDeviceService(
        [library](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); });
    if (!service) return Fail("the device library lacks one of its twelve exports", 0);
    const int init = service->Init(0);
    if (init <= 0) return Fail("the device library did not start", init);

    DeviceLink link(*service);
    g_link = &link;
    const DeviceSelector vendor = VendorSelector();
    uint32_t unit = 0;
    if (service->RequestAsyncRead(&vendor, &PingCallback, HIDSERV_TAG_CTRL,
                                  RequestCheck(vendor, &PingCallback, HIDSERV_TAG_CTRL), &unit) <= 0) {
        g_link = nullptr;
        return Fail("the device library refused the standing read", 0);
    }
    std::printf("keyboards on the vendor channel: %d\n", link.DeviceCount());

    Report reply{};
    uint32_t length = 0;
    const int result = link.Transact(BuildReport(kCmdReadSettings, kSettingsBlockSize, 0), reply, &length);
    service->DeleteRequestFromUnitId(unit);
    g_link = nullptr;

    std::printf("settings block read: %s (%d)\n", ResultText(result), result);
    if (result != kOk) return 1;
    std::fputs(kv::sim::HexDump({reply.data(), length}).c_str(), stdout);
    const int status = MapReplyStatus({reply.data(), length});
    if (status != kOk) {
        std::printf("the keyboard reports failure: status %02X\n", reply[kFieldStatus]);
        return 1;
    }
    const uint8_t* block = reply.data() + kFieldData;
    std::printf("active profile %u, macro area %u bytes\n", block[kSettingsActiveProfile] + 1u,
                block[kSettingsMacroCapacity] * 128u);
    return 0;
}

}  // namespace kv::kvhid
