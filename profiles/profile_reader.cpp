#include "profiles/profile_reader.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <system_error>

#include "model/byte_io.h"
#include "model/try_alloc.h"
#include "profiles/atomic_file.h"

namespace kv::profiles {

namespace fs = std::filesystem;
using model::GetU16;
using model::GetU32;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The NUL-terminated string at an even offset of the area; false when the
// offset or the string runs past the area's end.
bool StringAt(std::span<const uint8_t> area, uint32_t offset, std::u16string& out) {
    out.clear();
    for (size_t at = offset & ~1u; at + 1 < area.size(); at += 2) {
        const auto unit = static_cast<char16_t>(GetU16(area, at));
        if (unit == u'\0') return true;
        out.push_back(unit);
    }
    return false;
}

}  // namespace

ProfileStatus ReadProfileBytes(const fs::path& path, std::vector<uint8_t>& out) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return ProfileStatus::kMissing;
    FilePtr file(OpenFile(path, "rb+"));
    if (!file) return ProfileStatus::kCannotOpen;
    const uintmax_t size = fs::file_size(path, error);
    if (error) return ProfileStatus::kCannotOpen;
    if (size > kMaxFileSize) return ProfileStatus::kTooLarge;
    if (size < kBlockSize) return ProfileStatus::kTooSmall;
    try {
        out.assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        return ProfileStatus::kOutOfMemory;
    }
    if (std::fread(out.data(), 1, out.size(), file.get()) != out.size()) return ProfileStatus::kCannotOpen;
    return ProfileStatus::kValid;
}

ProfileStatus ValidateProfileFile(const fs::path& path) {
    std::vector<uint8_t> bytes;
    const ProfileStatus read = ReadProfileBytes(path, bytes);
    if (read != ProfileStatus::kValid) return read;
    return CheckProfileHeader(bytes);
}

ProfileStatus ParseProfile(std::span<const uint8_t> file, model::ConfigSet& out) {
    if (file.size() < kBlockSize) return ProfileStatus::kTooSmall;
    const uint16_t macro_count = GetU16(file, kHdrMacroCount);
    const uint32_t string_size = GetU32(file, kHdrStringSize);
    if (macro_count > model::kMaxMacros) return ProfileStatus::kTooManyMacros;
    if (ProfileFileSize(macro_count, string_size) > file.size()) return ProfileStatus::kTruncated;

    auto block = model::TryAllocateOne<model::AssignmentBlock>();
    if (!block) return ProfileStatus::kOutOfMemory;
    std::memcpy(block.get(), file.data(), kBlockSize);

    std::unique_ptr<model::MacroRecord[]> records;
    if (macro_count > 0) {
        records = model::MacroList::Allocate(macro_count);
        if (!records) return ProfileStatus::kOutOfMemory;
        std::memcpy(records.get(), file.data() + kBlockSize, kRecordSize * macro_count);
        for (size_t i = 0; i < macro_count; ++i) {
            model::MacroRecord& record = records[i];
            // Everything downstream walks the actions by this count.
            if (record.action_count > model::kMaxMacroActions) return ProfileStatus::kBadContents;
            record.name[model::kMacroNameField - 1] = u'\0';
        }
    }

    const auto area = file.subspan(kBlockSize + kRecordSize * macro_count, string_size);
    model::StringTable strings;
    std::u16string text;
    for (int entry = 0; entry < model::kEntryCount; ++entry) {
        const model::KeyAssignment& a = block->entries[entry];
        if (!model::KindHasString(a.kind)) continue;
        if (!StringAt(area, a.value, text)) return ProfileStatus::kBadContents;
        if (!strings.Set(entry, text)) return ProfileStatus::kOutOfMemory;
    }

    out.block = std::move(block);
    out.macros.Install(std::move(records), macro_count);
    out.strings = std::move(strings);
    return ProfileStatus::kValid;
}

ProfileStatus LoadProfileFile(const fs::path& path, model::ConfigSet& working) {
    std::vector<uint8_t> bytes;
    const ProfileStatus read = ReadProfileBytes(path, bytes);
    if (read != ProfileStatus::kValid) return read;
    return ParseProfile(bytes, working);
}

}  // namespace kv::profiles
