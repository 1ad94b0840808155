// Writes a file through a temporary file in the same folder and puts it in
// place only once every byte is written and flushed, so a failed write never
// leaves a truncated file behind. A read-only target is refused and kept, as
// writing it in place would be.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>

namespace kv::profiles {

// Called before each write with the file offset and the bytes; returning false
// makes the write fail (tests use it to stand for a full or failing disk).
using WriteHook = std::function<bool(uint64_t offset, std::span<const uint8_t> bytes)>;

class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path target, WriteHook hook = {});
    ~AtomicFile();  // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Open();
    bool Write(std::span<const uint8_t> bytes);
    // Flushes, closes and replaces the target. False leaves the target as it was.
    bool Commit();
    void Abort();

    const std::filesystem::path& TempPath() const { return temp_; }

  private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    WriteHook hook_;
    std::FILE* file_ = nullptr;
    uint64_t written_ = 0;
    bool failed_ = false;
};

// Opens with a wide path on Windows; nullptr on failure.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

}  // namespace kv::profiles
