// Save, validate and load of a full profile file: 100 macros of 2000 actions.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "model/assign/assignment_store.h"
#include "model/config_sets.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void FillSet(kv::model::ConfigSet& set) {
    set.block = kv::model::NewAssignmentBlock();
    auto records = kv::model::MacroList::Allocate(kv::model::kMaxMacros);
    for (int m = 0; m < kv::model::kMaxMacros; ++m) {
        auto& r = records[m];
        const std::u16string name = u"macro " + std::u16string(1, static_cast<char16_t>(u'A' + m % 26));
        std::copy(name.begin(), name.end(), r.name);
        r.id = static_cast<uint16_t>(m + 1);
        r.play_count = 1;
        r.action_count = kv::model::kMaxMacroActions;
        for (int a = 0; a < kv::model::kMaxMacroActions; ++a) {
            r.actions[a] = {static_cast<uint32_t>(a % 500), static_cast<uint16_t>(0x1E + a % 30),
                            static_cast<uint16_t>(a % 2)};
        }
    }
    set.macros.Install(std::move(records), kv::model::kMaxMacros);
    for (int e = 0; e < 64; ++e) {
        set.block->entries[e] = {kv::model::kKindLaunchProgram, 0, 0, 0, 0};
        set.strings.Set(e, u"C:\\Program Files\\Some Tool\\tool.exe");
    }
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "kv_bench_profile_file";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path path = folder / "bench.kvp";

    kv::model::ConfigSet set;
    FillSet(set);
    constexpr int kRounds = 20;

    auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        if (!kv::profiles::SaveProfileFile(path, set)) {
            std::fprintf(stderr, "save failed\n");
            return 1;
        }
    }
    const double save_s = Seconds(Clock::now() - start);
    const double mib = static_cast<double>(fs::file_size(path)) / (1024.0 * 1024.0);

    start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        if (kv::profiles::ValidateProfileFile(path) != kv::profiles::ProfileStatus::kValid) {
            std::fprintf(stderr, "validate failed\n");
            return 1;
        }
    }
    const double validate_s = Seconds(Clock::now() - start);

    start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        kv::model::ConfigSet loaded;
        if (kv::profiles::LoadProfileFile(path, loaded) != kv::profiles::ProfileStatus::kValid ||
            loaded.macros.Count() != kv::model::kMaxMacros) {
            std::fprintf(stderr, "load failed\n");
            return 1;
        }
    }
    const double load_s = Seconds(Clock::now() - start);

    std::printf("profile file: %.2f MiB (100 macros x 2000 actions, 64 strings), %d rounds\n", mib, kRounds);
    std::printf("save      %7.2f ms/file  %8.1f MiB/s\n", 1000 * save_s / kRounds, mib * kRounds / save_s);
    std::printf("validate  %7.2f ms/file  %8.1f MiB/s\n", 1000 * validate_s / kRounds,
                mib * kRounds / validate_s);
    std::printf("load      %7.2f ms/file  %8.1f MiB/s\n", 1000 * load_s / kRounds, mib * kRounds / load_s);
    fs::remove_all(folder);
    return 0;
}
