#include "cli/console_host.h"

#include <chrono>
#include <random>
#include <system_error>
#include <utility>

namespace kv::cli {

namespace fs = std::filesystem;

namespace {

// A folder name no other run picks: the engine writes its working profile
// file there, never into the program's per-user folder.
fs::path PrivateFolder() {
    std::random_device device;
    const auto tick = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const uint64_t tag = (uint64_t{device()} << 32) ^ device() ^ tick;
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    return (error ? fs::current_path() : base) / ("kvcli-" + std::to_string(tag));
}

}  // namespace

ConsoleHost::ConsoleHost() : folder_(PrivateFolder()) {}

ConsoleHost::~ConsoleHost() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::vector<std::u16string> ConsoleHost::TakeMessages() { return std::exchange(messages_, {}); }

void ConsoleHost::ShowMessage(std::u16string_view text, model::MessageKind) { messages_.emplace_back(text); }

bool ConsoleHost::Confirm(std::u16string_view question) {
    messages_.emplace_back(question);
    return false;
}

}  // namespace kv::cli
