// A scratch folder per test and a working set with entries, macros and strings.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/assign/assignment_store.h"
#include "model/config_sets.h"
#include "profiles/profile_format.h"

namespace kv::test {

namespace fs = std::filesystem;

inline std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void FixChecksum(std::vector<uint8_t>& file) {
    file[profiles::kHdrChecksum] = profiles::HeaderChecksum(std::span(file).first(profiles::kHdrBytes));
}

inline void PutU16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Fills a macro record: id, play count, name and a few actions.
inline void MakeMacro(model::MacroRecord& m, uint16_t id, std::u16string_view name, uint16_t actions) {
    std::memset(&m, 0, sizeof m);
    std::copy(name.begin(), name.end(), m.name);
    m.id = id;
    m.play_count = static_cast<uint8_t>(id + 1);
    m.play_mode = id % 3;
    m.action_count = actions;
    for (uint16_t i = 0; i < actions; ++i) {
        m.actions[i] = model::MacroAction{static_cast<uint32_t>(10 * i + id),
                                          static_cast<uint16_t>(0x1E + i % 20), static_cast<uint16_t>(i % 2)};
    }
}

class ProfileFolderTest : public ::testing::Test {
  protected:
    fs::path folder;

    void SetUp() override {
        static std::atomic<int> counter{0};
        folder = fs::temp_directory_path() /
                 ("kv_profiles_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }

    std::vector<fs::path> FolderContents() const {
        std::vector<fs::path> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
        return names;
    }

    // Entries of several kinds, three macros and strings of launch-program and
    // text-block entries (and one stale string on a key entry).
    static void FillWorkingSet(model::ConfigSet& set) {
        set.block = model::NewAssignmentBlock();
        auto& e = set.block->entries;
        e[model::EntryNumber(0, 0x1E)] = {model::kKindKey, 0, 0x30, 7, 9};
        e[model::EntryNumber(1, 0x20)] = {model::kKindLaunchProgram, 0, 999, 0, 0};
        e[model::EntryNumber(2, 0x21)] = {model::kKindMacro, 3, 2, 0, 0};
        e[model::EntryNumber(3, 0x22)] = {model::kKindTextBlock, 0, 5, 0, 0};
        e[model::EntryNumber(0, 0x23)] = {model::kKindKey, 0, 0x31, 0, 0};
        set.strings.Set(model::EntryNumber(1, 0x20), u"C:\\Tools\\run.exe");
        set.strings.Set(model::EntryNumber(3, 0x22), u"hello, \u4e16\u754c");
        set.strings.Set(model::EntryNumber(0, 0x23), u"stale");  // not packed: kind 2

        auto records = model::MacroList::Allocate(3);
        MakeMacro(records[0], 5, u"third id first", 4);
        MakeMacro(records[1], 1, u"alpha", 2000);
        MakeMacro(records[2], 9, u"", 0);
        set.macros.Install(std::move(records), 3);
    }
};

}  // namespace kv::test
