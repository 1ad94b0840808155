// The whole chain under test: the in-process simulated keyboard, the device
// link with its notifications, the configuration sets, lighting and sync, and
// a fake main window.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "device/commands.h"
#include "device/notify.h"
#include "device/transact.h"
#include "fake_host.h"
#include "model/config_sets.h"
#include "model/lighting/lighting_model.h"
#include "model/sync/config_sync.h"
#include "model/text_source.h"
#include "profiles/atomic_file.h"
#include "sim/sim_service.h"

namespace kv::model::test {

using namespace std::chrono_literals;

inline constexpr auto kWait = 10s;  // generous: sanitizers on a shared machine

// The key itself stands for its text; the format texts carry their conversion.
class KeyTexts final : public TextSource {
  public:
    std::u16string Text(std::u16string_view section, std::u16string_view key) const override;
};

class FakePanelSwitch final : public PanelSwitchStore {
  public:
    bool ReadPanelSwitch() override { return on; }
    void WritePanelSwitch(bool value) override { on = value; }
    bool on = false;
};

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }
    // Names of the files in the folder (temporary files left behind show here).
    std::vector<std::string> Files() const;

  private:
    std::filesystem::path path_;
};

// One request as the keyboard received it.
struct Sent {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    bool operator==(const Sent&) const = default;
};
void PrintTo(const Sent& sent, std::ostream* os);

// Requests of a chunked transfer of total bytes from device offset base.
void AddChunked(std::vector<Sent>& out, uint8_t command, uint32_t total, uint32_t base);

class SyncRig : public device::NotificationSink {
  public:
    explicit SyncRig(bool plugged = true);
    ~SyncRig() override;

    // Start-up: a read-back run with the count the library reports, to its end.
    void Attach();
    void Plug();
    void Unplug();
    bool WaitReadBack() { return sync.WaitReadBackIdle(kWait); }

    // Requests that reached the keyboard since the last ClearTraffic.
    std::vector<Sent> SentToKeyboard() const;
    void ClearTraffic() { sim.ClearTraffic(); }

    std::filesystem::path WorkingFile() const;
    std::vector<uint8_t> ReadFile(const std::filesystem::path& path) const;

    // Runs under WorkingConfigLock on the UI thread.
    void EditWorking(const std::function<void(ConfigSet&)>& edit);

    // device::NotificationSink
    void StartReadBack(int count) override { sync.StartReadBack(count); }
    void LayerChanged(int) override {}
    void LightingChanged() override {}
    void KeyboardBusy(bool) override {}

    sim::SimHidService sim;
    device::DeviceLink link;
    device::Commands commands;
    ConfigSets sets;
    FakePanelSwitch panel;
    LightingModel lighting;
    KeyTexts texts;
    TempFolder folder;
    FakeHost host;
    profiles::WriteHook file_hook;  // every profile file write goes past it when set
    ConfigSync sync;
    device::Notifier notifier;
};

}  // namespace kv::model::test
