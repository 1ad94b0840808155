// The control side of the simulated keyboard: faults, timing, memory, status,
// traffic log and state file.
#include "sim/guard.h"
#include "sim/sim_service.h"

namespace kv::sim {

void SimHidService::SetFaults(const FaultSettings& faults) {
    std::lock_guard lock(mutex_);
    faults_.Set(faults);
}

FaultSettings SimHidService::Faults() const {
    std::lock_guard lock(mutex_);
    return faults_.Settings();
}

void SimHidService::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.Clear();
}

std::string SimHidService::DescribeFaults() const {
    return Guard(
        [&] {
            std::lock_guard lock(mutex_);
            return faults_.Describe();
        },
        std::string());
}

void SimHidService::SetUsbTiming(bool on) {
    std::lock_guard lock(mutex_);
    timing_on_ = on;
}

KeyboardMemory SimHidService::Memory() const {
    std::lock_guard lock(mutex_);
    return keyboard_.Memory();
}

std::vector<uint8_t> SimHidService::AreaBytes(Area area) const {
    return Guard(
        [&] {
            std::lock_guard lock(mutex_);
            auto bytes = keyboard_.Memory().Bytes(area);
            return std::vector<uint8_t>(bytes.begin(), bytes.end());
        },
        std::vector<uint8_t>());
}

void SimHidService::SetMemory(const KeyboardMemory& memory) {
    Guard(
        [&] {
            std::lock_guard lock(mutex_);
            keyboard_.Memory() = memory;
            dirty_ = true;
            SaveIfSettledLocked();
            return 0;
        },
        0);
}

bool SimHidService::WriteArea(Area area, size_t offset, std::span<const uint8_t> data) {
    std::lock_guard lock(mutex_);
    if (!keyboard_.Memory().Write(area, offset, data)) return false;
    dirty_ = true;
    SaveIfSettledLocked();
    return true;
}

SimStatus SimHidService::Status() const {
    std::lock_guard lock(mutex_);
    SimStatus status;
    status.plugged = plugged_;
    status.update_mode = update_mode_;
    status.config_open = keyboard_.ConfigOpen();
    status.usb_timing = timing_on_;
    status.indicator = indicator_;
    status.reports_written = reports_written_;
    status.standing_reads = ListenersLocked(Channel::kUnknown).size();
    status.keyboard = keyboard_.Counters();
    return status;
}

std::array<uint8_t, 2> SimHidService::Indicator() const {
    std::lock_guard lock(mutex_);
    return indicator_;
}

void SimHidService::EnableTrafficLog(bool on) {
    std::lock_guard lock(mutex_);
    log_.SetEnabled(on);
}

bool SimHidService::TrafficLogEnabled() const {
    std::lock_guard lock(mutex_);
    return log_.Enabled();
}

std::vector<TrafficEntry> SimHidService::Traffic() const {
    return Guard(
        [&] {
            std::lock_guard lock(mutex_);
            return std::vector<TrafficEntry>(log_.Entries().begin(), log_.Entries().end());
        },
        std::vector<TrafficEntry>());
}

void SimHidService::ClearTraffic() {
    std::lock_guard lock(mutex_);
    log_.Clear();
}

bool SimHidService::UseStateFile(const std::filesystem::path& path) {
    return Guard(
        [&] {
            std::lock_guard lock(mutex_);
            state_file_ = path;
            state_error_.clear();
            std::error_code ec;
            if (!std::filesystem::exists(path, ec)) return true;
            auto memory = LoadMemoryState(path, &state_error_);
            if (!memory) return false;
            keyboard_.Memory() = *memory;
            return true;
        },
        false);
}

bool SimHidService::SaveState() {
    return Guard(
        [&] {
            std::lock_guard lock(mutex_);
            if (state_file_.empty()) return false;
            if (!SaveMemoryState(keyboard_.Memory(), state_file_, &state_error_)) return false;
            dirty_ = false;
            return true;
        },
        false);
}

std::string SimHidService::StateError() const {
    std::lock_guard lock(mutex_);
    return state_error_;
}

// A configuration exchange is saved once, when it closes.
void SimHidService::SaveIfSettledLocked() {
    if (!dirty_ || state_file_.empty() || keyboard_.ConfigOpen()) return;
    SaveState();
}

bool SimHidService::WaitIdle(std::chrono::milliseconds timeout) { return dispatcher_.WaitIdle(timeout); }

}  // namespace kv::sim
