#include "sync_rig.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <mutex>

#include "profiles/working_profile.h"

namespace kv::model::test {

namespace fs = std::filesystem;

namespace {

constexpr device::TransactTimings kShortTimings{.reply_wait = 500ms, .retry_pause = 1ms, .busy_wait = 0ms};

sim::SimOptions Options(bool plugged) {
    sim::SimOptions options;
    options.plugged = plugged;
    return options;
}

}  // namespace

std::u16string KeyTexts::Text(std::u16string_view, std::u16string_view key) const {
    if (key == u"PROFILE_FORMAT_ERROR") return u"PROFILE_FORMAT_ERROR %s";
    if (key == u"MAIN_PROMPT_BACKUP_FAILED") return u"MAIN_PROMPT_BACKUP_FAILED %s";
    if (key == u"JSON_FORMAT_ERROR") return u"JSON_FORMAT_ERROR %s";
    return std::u16string(key);
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("kv_sync_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Files() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(path_, error)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    return names;
}

void PrintTo(const Sent& sent, std::ostream* os) {
    *os << std::hex << std::setfill('0') << "{" << std::setw(2) << int{sent.command} << " len " << std::dec
        << int{sent.length} << " at " << sent.offset << "}";
}

void AddChunked(std::vector<Sent>& out, uint8_t command, uint32_t total, uint32_t base) {
    for (uint32_t pos = 0; pos < total; pos += 56) {
        const uint32_t size = pos + 56 < total ? 56 : total - pos;
        out.push_back({command, static_cast<uint8_t>(size), static_cast<uint16_t>(base + pos)});
    }
}

SyncRig::SyncRig(bool plugged)
    : sim(Options(plugged)),
      link(sim, kShortTimings),
      commands(link),
      lighting(commands, panel),
      host(folder.Path() / "QX5307"),
      sync(SyncContext{commands, sets, lighting, host.Roles(), texts},
           SyncOptions{.init_poll = 2ms,
                       .busy_hide_delay = 2ms,
                       .file_hook =
                           [this](uint64_t offset, std::span<const uint8_t> bytes) {
                               return !file_hook || file_hook(offset, bytes);
                           }}),
      notifier(link, *this) {
    notifier.RegisterNotifications();
    // The panel writes the keyboard's lighting defaults through the model.
    host.lighting_defaults = [this] { lighting.RestoreLightingDefaults(); };
}

SyncRig::~SyncRig() {
    sync.Shutdown();
    sim.WaitIdle();
}

void SyncRig::Attach() {
    sync.StartReadBack(link.DeviceCount());
    WaitReadBack();
}

void SyncRig::Plug() {
    sim.Plug();
    sim.WaitIdle();  // the count notification has reached the notifier
    WaitReadBack();
}

void SyncRig::Unplug() {
    sim.Unplug();
    sim.WaitIdle();
    WaitReadBack();
}

std::vector<Sent> SyncRig::SentToKeyboard() const {
    std::vector<Sent> sent;
    for (const sim::TrafficEntry& entry : sim.Traffic()) {
        if (entry.direction != sim::Direction::kToKeyboard || entry.channel != sim::Channel::kVendor)
            continue;
        if (entry.bytes.size() < 8) continue;
        sent.push_back(
            {entry.bytes[3], entry.bytes[4], static_cast<uint16_t>(entry.bytes[5] | entry.bytes[6] << 8)});
    }
    return sent;
}

fs::path SyncRig::WorkingFile() const { return profiles::WorkingProfilePath(host.Path()); }

std::vector<uint8_t> SyncRig::ReadFile(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SyncRig::EditWorking(const std::function<void(ConfigSet&)>& edit) {
    host.Ui([&] {
        std::lock_guard lock(sets.WorkingConfigLock());
        edit(sets.Working());
    });
}

}  // namespace kv::model::test
