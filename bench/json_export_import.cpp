// kvcli export and import of a full profile file: 100 macros of 2000 actions,
// through the same file functions the command uses (read, convert, atomic write).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "config_json/config_files.h"
#include "model/assign/assignment_store.h"
#include "model/config_sets.h"
#include "profiles/profile_writer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using kv::config_json::ConfigFileKind;

void FillSet(kv::model::ConfigSet& set) {
    set.block = kv::model::NewAssignmentBlock();
    auto records = kv::model::MacroList::Allocate(kv::model::kMaxMacros);
    for (int m = 0; m < kv::model::kMaxMacros; ++m) {
        auto& r = records[m];
        const std::u16string name = u"macro " + std::u16string(1, static_cast<char16_t>(u'A' + m % 26)) +
                                    std::u16string(1, static_cast<char16_t>(u'0' + m / 26));
        std::copy(name.begin(), name.end(), r.name);
        r.id = static_cast<uint16_t>(m + 1);
        r.play_count = 1;
        r.action_count = kv::model::kMaxMacroActions;
        for (int a = 0; a < kv::model::kMaxMacroActions; ++a) {
            r.actions[a] = {static_cast<uint32_t>(10 * (a % 50)), static_cast<uint16_t>(0x1E + a % 30),
                            static_cast<uint16_t>(a % 2)};
        }
    }
    set.macros.Install(std::move(records), kv::model::kMaxMacros);
    for (int k = 0; k < 100; ++k) {
        set.block->entries[kv::model::EntryNumber(k % 3, 0x02 + k / 3)] = {
            kv::model::kKindMacro, 1, static_cast<uint32_t>(k + 1), 0, 0};
    }
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

bool Convert(const fs::path& from, const fs::path& to, ConfigFileKind kind) {
    const kv::config_json::LoadedConfig loaded = kv::config_json::LoadConfigFile(from);
    std::string error;
    if (!loaded.document || !kv::config_json::SaveConfigFile(to, *loaded.document, kind, &error)) {
        std::fprintf(stderr, "%s -> %s failed: %s%s\n", from.string().c_str(), to.string().c_str(),
                     loaded.error.c_str(), error.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "kv_bench_json";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path kvp = folder / "full.kvp";
    const fs::path json = folder / "full.json";
    const fs::path back = folder / "back.kvp";

    kv::model::ConfigSet set;
    FillSet(set);
    if (!kv::profiles::SaveProfileFile(kvp, set)) return 1;
    constexpr int kRounds = 3;

    auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        if (!Convert(kvp, json, ConfigFileKind::kJson)) return 1;
    }
    const double export_s = Seconds(Clock::now() - start) / kRounds;
    start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        if (!Convert(json, back, ConfigFileKind::kProfile)) return 1;
    }
    const double import_s = Seconds(Clock::now() - start) / kRounds;

    const double mib = 1024.0 * 1024.0;
    const double actions = 100.0 * 2000.0;
    std::printf("profile file %.2f MiB, JSON %.2f MiB (100 macros x 2000 actions, 100 keys), %d rounds\n",
                static_cast<double>(fs::file_size(kvp)) / mib, static_cast<double>(fs::file_size(json)) / mib,
                kRounds);
    std::printf("export (kvp -> json)  %8.1f ms  %6.2f M actions/s\n", 1000 * export_s,
                actions / export_s / 1e6);
    std::printf("import (json -> kvp)  %8.1f ms  %6.2f M actions/s\n", 1000 * import_s,
                actions / import_s / 1e6);
    const bool same = fs::file_size(back) == fs::file_size(kvp);
    std::printf("round trip: %s\n", same ? "same size" : "SIZE DIFFERS");
    fs::remove_all(folder);
    return same ? 0 : 1;
}
