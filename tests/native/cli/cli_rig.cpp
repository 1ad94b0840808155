#include "cli_rig.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kv::cli::test {

namespace fs = std::filesystem;

namespace {
constexpr device::TransactTimings kTimings{.reply_wait = std::chrono::milliseconds(500),
                                           .retry_pause = std::chrono::milliseconds(1),
                                           .busy_wait = std::chrono::milliseconds(0)};
}

std::u16string Texts::Text(std::u16string_view section, std::u16string_view key) const {
    if (section == u"MODE") return u"Mode " + std::u16string(key);
    return std::u16string(key);
}

CliRig::CliRig() : link(sim, kTimings), commands(link), notifier(link, *this) {
    static std::atomic<int> counter{0};
    folder_ = fs::temp_directory_path() /
              ("kv_cli_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    notifier.RegisterNotifications();
}

CliRig::~CliRig() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

Result CliRig::Run(std::initializer_list<std::string> args) {
    std::vector<std::string> list;
    for (const std::string& arg : args) list.push_back(arg);
    std::ostringstream out;
    std::ostringstream err;
    Result result;
    result.code = RunCli(list, *this, texts_, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

void CliRig::WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(File(name), std::ios::binary) << text;
}

std::string CliRig::ReadText(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> CliRig::ReadBytes(const std::string& name) const {
    const std::string text = ReadText(name);
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<std::string> CliRig::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
        names.push_back(entry.path().filename().string());
    return names;
}

device::Commands* CliRig::Open(int* exit_code, std::string* message) {
    if (refuse_with != kExitDone) {
        *exit_code = refuse_with;
        *message = refuse_with == kExitBusy ? "Kelvarin is running" : "no keyboard found";
        return nullptr;
    }
    if (link.DeviceCount() == 0) {
        *exit_code = kExitNoKeyboard;
        *message = "no keyboard found";
        return nullptr;
    }
    // Each run is a process of its own: nothing is known about the keyboard yet.
    commands.ResetActiveProfileCache();
    return &commands;
}

}  // namespace kv::cli::test
