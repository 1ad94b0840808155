// Saving over an existing profile file must replace it on Windows too, where
// a plain rename refuses an existing target.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "profiles/atomic_file.h"

namespace kv::profiles {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteThrough(const fs::path& path, const std::vector<uint8_t>& bytes) {
    AtomicFile file(path);
    return file.Open() && file.Write(bytes) && file.Commit();
}

TEST(AtomicFileOnWindows, ReplacesAnExistingFile) {
    const fs::path folder = fs::temp_directory_path() / L"kv_replace_\u00e9";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path path = folder / L"$Profile0";

    ASSERT_TRUE(WriteThrough(path, std::vector<uint8_t>(5000, 0x11)));
    ASSERT_TRUE(WriteThrough(path, std::vector<uint8_t>(10, 0x22)));
    EXPECT_EQ(ReadAll(path), std::vector<uint8_t>(10, 0x22));

    {
        AtomicFile failing(path, [](uint64_t, std::span<const uint8_t>) { return false; });
        ASSERT_TRUE(failing.Open());
        EXPECT_FALSE(failing.Write(std::vector<uint8_t>(3, 0x33)));
        EXPECT_FALSE(failing.Commit());
    }
    EXPECT_EQ(ReadAll(path), std::vector<uint8_t>(10, 0x22));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 1u);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kv::profiles
