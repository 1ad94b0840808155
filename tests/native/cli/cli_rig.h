// kvcli's portable part against the in-process simulated keyboard: the device
// link and its notifications as the Win32 entry point builds them on
// HidServ.dll, a scratch folder, and a way to run one command line.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "device/commands.h"
#include "device/notify.h"
#include "device/transact.h"
#include "model/text_source.h"
#include "sim/sim_service.h"

namespace kv::cli::test {

// Texts are their keys; modes have names, so output that names them can be checked.
class Texts final : public model::TextSource {
  public:
    std::u16string Text(std::u16string_view section, std::u16string_view key) const override;
};

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

class CliRig : public device::NotificationSink, public KeyboardAccess {
  public:
    CliRig();
    ~CliRig() override;

    // Runs kvcli with these arguments.
    Result Run(std::initializer_list<std::string> args);

    std::filesystem::path File(const std::string& name) const { return folder_ / name; }
    void WriteText(const std::string& name, const std::string& text) const;
    std::string ReadText(const std::string& name) const;
    std::vector<uint8_t> ReadBytes(const std::string& name) const;
    // Names of the files in the scratch folder.
    std::vector<std::string> Files() const;

    // What Open answers: the keyboard, or a refusal with this code.
    int refuse_with = kExitDone;

    // KeyboardAccess
    device::Commands* Open(int* exit_code, std::string* message) override;
    // NotificationSink: a console program reads the keyboard once, by itself.
    void StartReadBack(int) override {}
    void LayerChanged(int) override {}
    void LightingChanged() override {}
    void KeyboardBusy(bool) override {}

    sim::SimHidService sim;
    device::DeviceLink link;
    device::Commands commands;
    device::Notifier notifier;

  private:
    Texts texts_;
    std::filesystem::path folder_;
};

}  // namespace kv::cli::test
