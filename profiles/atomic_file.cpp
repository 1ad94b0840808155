#include "profiles/atomic_file.h"

#include <atomic>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kv::profiles {

namespace fs = std::filesystem;

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wide_mode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

namespace {

fs::path TempPathFor(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    fs::path temp = target;
    temp += ".tmp" + std::to_string(counter.fetch_add(1));
    return temp;
}

bool SyncToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool IsReadOnlyFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

AtomicFile::AtomicFile(fs::path target, WriteHook hook)
    : target_(std::move(target)), temp_(TempPathFor(target_)), hook_(std::move(hook)) {}

AtomicFile::~AtomicFile() { Abort(); }

bool AtomicFile::Open() {
    Abort();
    failed_ = false;
    written_ = 0;
    // Replacing a file goes round its read-only mark, which writing it in place would not.
    if (IsReadOnlyFile(target_)) return false;
    file_ = OpenFile(temp_, "wb");
    return file_ != nullptr;
}

bool AtomicFile::Write(std::span<const uint8_t> bytes) {
    if (!file_ || failed_) return false;
    if (bytes.empty()) return true;
    if ((hook_ && !hook_(written_, bytes)) ||
        std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        failed_ = true;
        return false;
    }
    written_ += bytes.size();
    return true;
}

bool AtomicFile::Commit() {
    if (!file_ || failed_) {
        Abort();
        return false;
    }
    const bool synced = SyncToDisk(file_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!synced || !closed) {
        Abort();
        return false;
    }
    // Replaces an existing target (MoveFileExW with replace on Windows).
    std::error_code error;
    fs::rename(temp_, target_, error);
    if (error) {
        Abort();
        return false;
    }
    return true;
}

void AtomicFile::Abort() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    std::error_code ignored;
    fs::remove(temp_, ignored);
}

}  // namespace kv::profiles
