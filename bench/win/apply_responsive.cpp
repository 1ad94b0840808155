// How long the user-interface thread goes without handling a message while
// Apply writes a macro area filled to the largest capacity the settings
// block allows (255 units of 128 bytes) to the simulated keyboard with its
// USB frame model on. A probe thread keeps sending the window a message and
// measures how long each takes to be handled; the window's own 50 ms timer
// stands for the busy animation. Run under Wine:
//
//   scripts/wine-run.sh build/windows/stage/bench_apply_responsive.exe [rounds]
//
// Prints the figure with the window's wait hook (as the program runs) and,
// for comparison, without it.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "device/commands.h"
#include "device/transact.h"
#include "model/config_sets.h"
#include "model/lighting/lighting_model.h"
#include "model/macro/macro_image.h"
#include "model/sync/config_sync.h"
#include "profiles/profile_writer.h"
#include "profiles/working_profile.h"
#include "sim/sim_service.h"
#include "ui/main/main_window_messages.h"
#include "ui/main/responsive_wait.h"

namespace {

using namespace kv;
using Clock = std::chrono::steady_clock;

constexpr uint8_t kLargestUnits = 255;
constexpr UINT kMsgApply = WM_APP + 0x70;

device::DeviceLink* g_link = nullptr;
std::atomic<int> g_ticks{0};

int OnNotification(const NotificationRecord* record) {
    if (g_link && record && record->request && record->kind == HIDSERV_KIND_INPUT &&
        record->request->tag == HIDSERV_TAG_CTRL)
        g_link->OnReply(record->request->data, record->request->count);
    return 1;
}

// The window as far as Apply's busy path reaches it: the indicator's
// messages start and stop the animation's timer, whose ticks are counted.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ui::kMsgBusy) {
        if (wParam)
            SetTimer(hwnd, ui::kTimerBusyAnimation, ui::kBusyAnimationPeriodMs, nullptr);
        else
            KillTimer(hwnd, ui::kTimerBusyAnimation);
        return 0;
    }
    if (message == WM_TIMER && wParam == ui::kTimerBusyAnimation) {
        ++g_ticks;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class Texts final : public model::TextSource {
  public:
    std::u16string Text(std::u16string_view, std::u16string_view key) const override {
        return std::u16string(key);
    }
};

class PanelOff final : public model::PanelSwitchStore {
  public:
    bool ReadPanelSwitch() override { return false; }
    void WritePanelSwitch(bool) override {}
};

// Every role Apply reaches; only the busy indicator does anything.
class Host final : public model::UiThread,
                   public model::WindowPresence,
                   public model::Prompts,
                   public model::KeyButtonsView,
                   public model::LightingView,
                   public model::BusyView,
                   public model::PendingChanges,
                   public model::UserFolder {
  public:
    Host(HWND window, std::filesystem::path folder) : window_(window), folder_(std::move(folder)) {}
    model::SyncHost Roles() { return {*this, *this, *this, *this, *this, *this, *this, *this}; }

    void RunOnUiThread(const std::function<void()>& work) override { work(); }
    void ServiceUiWhileWaiting() override {}
    void CloseSubDialogs() override {}
    void HideMainWindow() override {}
    bool InitDone() const override { return true; }
    void ShowKeyboardPresence(bool) override {}
    void PostOpen() override {}
    bool AutoOpenSuppressed() const override { return true; }
    void SetAutoOpenSuppressed(bool) override {}
    void ShowMessage(std::u16string_view text, model::MessageKind) override {
        std::printf("message: %.*ls\n", static_cast<int>(text.size()),
                    reinterpret_cast<const wchar_t*>(text.data()));
    }
    bool Confirm(std::u16string_view) override { return true; }
    void RefreshKeyButtons() override {}
    void SetCurrentProfile(int) override {}
    model::GLayer CurrentLayer() const override { return model::GLayer::kA; }
    void RefreshLightingPanel(bool) override {}
    void RestoreLightingPanelDefaults() override {}
    void BusyBegin() override { PostMessageW(window_, ui::kMsgBusy, 1, 0); }
    void BusyEnd() override { PostMessageW(window_, ui::kMsgBusy, 0, 0); }
    bool Pending() const override { return pending; }
    void SetPending(bool on) override { pending = on; }
    std::filesystem::path Path() const override { return folder_; }

    bool pending = true;

  private:
    HWND window_;
    std::filesystem::path folder_;
};

// Named macros whose image fills the capacity to the last byte.
bool FillMacros(model::MacroList& list, uint32_t capacity) {
    constexpr int kMacros = 5;
    auto records = model::MacroList::Allocate(kMacros);
    for (int m = 0; m < kMacros; ++m) {
        model::MacroRecord& r = records[m];
        r.name[0] = u'M';
        r.name[1] = m == kMacros - 1 ? u'\0' : static_cast<char16_t>(u'1' + m);
        r.play_count = 1;
        r.id = static_cast<uint16_t>(m + 1);
    }
    // 16 header bytes, 2 per offset, 4 per block header, 4 per action, 2 per name unit.
    const std::span<const model::MacroRecord> all(records.get(), kMacros);
    uint32_t fixed = model::MacroImageSizesOf(all).with_names;
    uint32_t actions = (capacity - fixed) / 4;
    for (int m = 0; m < kMacros && actions > 0; ++m) {
        const uint16_t n = static_cast<uint16_t>(std::min<uint32_t>(actions, 2000));
        records[m].action_count = n;
        for (uint16_t a = 0; a < n; ++a)
            records[m].actions[a] = {10, static_cast<uint16_t>(0x1E + a % 20), static_cast<uint16_t>(a % 2)};
        actions -= n;
    }
    const uint32_t size = model::MacroImageSizesOf(all).with_names;
    list.Install(std::move(records), kMacros);
    return size == capacity;
}

struct Round {
    double apply_ms = 0;
    double longest_ms = 0;
    uint64_t reports = 0;
    int ticks = 0;
};

// Runs one Apply on this (the window's) thread while the probe measures.
Round RunApply(HWND window, model::ConfigSync& sync, Host& host, device::DeviceLink& link) {
    host.pending = true;
    std::atomic<bool> applying{true};
    std::atomic<long long> longest_us{0};
    std::thread probe([&] {
        while (applying) {
            const auto start = Clock::now();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored);
            const long long us =
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
            if (us > longest_us) longest_us = us;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    // The probe's first message goes out before the write starts.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    g_ticks = 0;
    const uint64_t before = link.ReportsSent();
    const auto start = Clock::now();
    sync.ApplyChanges();
    Round r;
    r.apply_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    r.reports = link.ReportsSent() - before;
    r.ticks = g_ticks;
    // Let the probe's last message through, then stop it.
    MSG msg;
    const auto drain_until = Clock::now() + std::chrono::milliseconds(200);
    while (Clock::now() < drain_until) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    applying = false;
    // The probe may be inside a send to this thread: serve it until it has gone.
    std::atomic<bool> probe_done{false};
    std::thread joiner([&] {
        probe.join();
        probe_done = true;
    });
    while (!probe_done) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    joiner.join();
    r.longest_ms = static_cast<double>(longest_us.load()) / 1000.0;
    sync.WaitBusyIdle(std::chrono::seconds(5));
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    WNDCLASSW cls{};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"KvBenchApply";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  cls.hInstance, nullptr);
    if (!window) return 1;

    sim::SimOptions options;
    options.usb_timing = true;
    options.traffic_log = false;
    options.macro_units = kLargestUnits;
    sim::SimHidService sim(options);
    device::DeviceLink link(sim);
    g_link = &link;
    device::Commands commands(link);
    DeviceSelector vendor = device::VendorSelector();
    uint32_t unit = 0;
    sim.RequestAsyncRead(&vendor, OnNotification, HIDSERV_TAG_CTRL,
                         HidServRequestCheck(&vendor, OnNotification, HIDSERV_TAG_CTRL, nullptr, 0), &unit);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kv_bench_apply_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    profiles::WriteDefaultProfileFile(profiles::WorkingProfilePath(folder), 0);  // Apply saves into it

    model::ConfigSets sets;
    const uint32_t capacity = uint32_t{kLargestUnits} * 128;
    if (!FillMacros(sets.Working().macros, capacity)) {
        std::printf("apply_responsive: the macros do not fill %u bytes\n", capacity);
        return 1;
    }
    PanelOff panel;
    model::LightingModel lighting(commands, panel);
    Texts texts;
    Host host(window, folder);
    model::ConfigSync sync(model::SyncContext{commands, sets, lighting, host.Roles(), texts});
    sync.State().SetMacroCapacityUnits(kLargestUnits);
    // The filled working set stands for one read from the keyboard; otherwise Apply refuses to write.
    sync.State().SetWorkingSetFromKeyboard(true);

    ui::ResponsiveWait wait;
    wait.SetWindow(window);
    std::printf(
        "apply_responsive: Apply of a %u-byte macro area (capacity %u x 128) and one key map; 1 ms USB "
        "frames\n",
        capacity, kLargestUnits);
    bool ok = true;
    double worst = 0;
    for (int i = 0; i < rounds; ++i) {
        link.SetWaitHook(&wait);
        const Round r = RunApply(window, sync, host, link);
        ok &= !host.pending;
        worst = std::max(worst, r.longest_ms);
        std::printf(
            "round %d: %llu reports, Apply %.0f ms, longest stretch without a message %.1f ms, %d animation "
            "ticks%s\n",
            i + 1, static_cast<unsigned long long>(r.reports), r.apply_ms, r.longest_ms, r.ticks,
            host.pending ? "  APPLY FAILED" : "");
    }
    link.SetWaitHook(nullptr);
    const Round bare = RunApply(window, sync, host, link);
    std::printf("without the wait hook: Apply %.0f ms, longest stretch %.1f ms, %d animation ticks\n",
                bare.apply_ms, bare.longest_ms, bare.ticks);
    std::printf("longest stretch with the wait hook: %.1f ms (goal 100 ms or less)\n", worst);

    sim.DeleteRequestFromUnitId(unit);
    sim.WaitIdle();
    g_link = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    DestroyWindow(window);
    return ok ? 0 : 1;
}
