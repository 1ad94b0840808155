// Loads the simulated HidServ.dll as the program does and talks to it.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "device/service.h"
#include "hidserv/HidServ.h"

namespace {

const wchar_t kPipe[] = L"\\\\.\\pipe\\KelvarinKbSimTest";

struct Seen {
    int32_t kind;
    uint32_t tag;
    uint32_t count;
    std::vector<uint8_t> bytes;
};

std::mutex g_mutex;
std::condition_variable g_ready;
std::deque<Seen> g_seen;

int Callback(const NotificationRecord* record) {
    Seen s{record->kind, record->request->tag, record->request->count, {}};
    if (record->kind == HIDSERV_KIND_INPUT && record->request->data)
        s.bytes.assign(record->request->data, record->request->data + record->request->count);
    std::lock_guard lock(g_mutex);
    g_seen.push_back(std::move(s));
    g_ready.notify_all();
    return 1;
}

bool NextSeen(Seen* out, DWORD timeout_ms = 3000) {
    std::unique_lock lock(g_mutex);
    if (!g_ready.wait_for(lock, std::chrono::milliseconds(timeout_ms), [] { return !g_seen.empty(); }))
        return false;
    *out = g_seen.front();
    g_seen.pop_front();
    return true;
}

DeviceSelector VendorSelector() {
    DeviceSelector s{};
    s.size_tag = HIDSERV_SELECTOR_TAG;
    s.vendor_id = HIDSERV_VENDOR_ID;
    s.product_id = HIDSERV_PRODUCT_ID;
    s.usage_page = HIDSERV_PAGE_VENDOR;
    s.usage = HIDSERV_USAGE_VENDOR;
    return s;
}

std::array<uint8_t, 64> Request(uint8_t command, uint8_t length) {
    std::array<uint8_t, 64> r{};
    r[0] = 4;
    r[3] = command;
    r[4] = length;
    unsigned sum = 0;
    for (size_t i = 3; i < 64; ++i) sum += r[i];
    r[1] = static_cast<uint8_t>(sum);
    r[2] = static_cast<uint8_t>(sum >> 8);
    return r;
}

// Runs kbsim.exe from the staging folder; its exit code, or -1.
int RunKbsim(const std::wstring& args) {
    std::wstring command = L"kbsim.exe --pipe " + std::wstring(kPipe) + L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

class HidServDll : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // A private keyboard: no state file, a pipe of our own.
        SetEnvironmentVariableW(L"KELVARIN_SIM_STATE", L"none");
        SetEnvironmentVariableW(L"KELVARIN_SIM_PIPE", kPipe);
        module = LoadLibraryW(L"HidServ.dll");
    }

    template <typename T>
    static T Get(const char* name) {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    static inline HMODULE module = nullptr;
};

TEST_F(HidServDll, ExportsAllTwelveEntryPoints) {
    ASSERT_NE(module, nullptr) << "HidServ.dll beside the test";
    for (const char* name : kv::device::ExportNames()) EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
}

TEST_F(HidServDll, ExchangesAReportThroughTheStandingRead) {
    ASSERT_NE(module, nullptr);
    auto init = Get<HidServ_Init>("Init");
    auto count = Get<HidServ_RequestGetDeviceCount>("RequestGetDeviceCount");
    auto read = Get<HidServ_RequestAsyncRead>("RequestAsyncRead");
    auto write = Get<HidServ_RequestWriteOne>("RequestWriteOne");
    auto remove = Get<HidServ_DeleteRequestFromUnitId>("DeleteRequestFromUnitId");
    ASSERT_GT(init(0), 0);

    DeviceSelector v = VendorSelector();
    EXPECT_EQ(count(&v, nullptr, 0, HidServRequestCheck(&v, nullptr, 0, nullptr, 0), nullptr), 1);
    uint32_t unit = 0;
    ASSERT_EQ(read(&v, Callback, HIDSERV_TAG_CTRL,
                   HidServRequestCheck(&v, Callback, HIDSERV_TAG_CTRL, nullptr, 0), &unit),
              1);
    EXPECT_NE(unit, 0u);

    auto report = Request(0x03, 48);
    uint32_t check = HidServRequestCheck(&v, nullptr, 0, report.data(), 64);
    EXPECT_EQ(write(&v, nullptr, 0, report.data(), 64, check + 1, nullptr), 0) << "wrong check refused";
    ASSERT_EQ(write(&v, nullptr, 0, report.data(), 64, check, nullptr), 1);
    Seen reply;
    ASSERT_TRUE(NextSeen(&reply));
    EXPECT_EQ(reply.kind, HIDSERV_KIND_INPUT);
    EXPECT_EQ(reply.tag, HIDSERV_TAG_CTRL);
    ASSERT_EQ(reply.bytes.size(), 64u);
    EXPECT_EQ(reply.bytes[3], 0x03);
    EXPECT_NE(reply.bytes[8 + 11], 0) << "macro capacity";

    EXPECT_EQ(remove(unit), 1);
}

TEST_F(HidServDll, KbsimUnplugsAndPlugsTheKeyboard) {
    ASSERT_NE(module, nullptr);
    auto read = Get<HidServ_RequestAsyncRead>("RequestAsyncRead");
    auto remove = Get<HidServ_DeleteRequestFromUnitId>("DeleteRequestFromUnitId");
    DeviceSelector v = VendorSelector();
    uint32_t unit = 0;
    ASSERT_EQ(read(&v, Callback, HIDSERV_TAG_CTRL,
                   HidServRequestCheck(&v, Callback, HIDSERV_TAG_CTRL, nullptr, 0), &unit),
              1);

    ASSERT_EQ(RunKbsim(L"unplug"), 0);
    Seen seen;
    ASSERT_TRUE(NextSeen(&seen));
    EXPECT_EQ(seen.kind, HIDSERV_KIND_COUNT);
    EXPECT_EQ(seen.count, 0u);
    ASSERT_EQ(RunKbsim(L"plug"), 0);
    ASSERT_TRUE(NextSeen(&seen));
    EXPECT_EQ(seen.count, 1u);

    EXPECT_EQ(RunKbsim(L"dump settings 10 2"), 0);
    EXPECT_EQ(RunKbsim(L"no-such-command"), 1);
    EXPECT_EQ(remove(unit), 1);
}

}  // namespace
