#include "profiles/profile_writer.h"

#include <mutex>
#include <new>
#include <vector>

#include "model/assign/assignment_store.h"
#include "model/byte_io.h"
#include "profiles/profile_format.h"

namespace kv::profiles {

namespace fs = std::filesystem;

namespace {

// The string area: each packed string's offset goes into its entry's value.
bool PackStrings(model::AssignmentBlock& block, const model::StringTable& strings,
                 std::vector<uint8_t>& area) {
    try {
        area.assign(strings.Total(), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t offset = 0;
    for (int entry = 0; entry < model::kEntryCount; ++entry) {
        const uint32_t size = strings.Size(entry);
        model::KeyAssignment& a = block.entries[entry];
        if (size == 0 || offset + size > area.size() || !model::KindHasString(a.kind)) continue;
        const std::u16string_view text = strings.Text(entry);
        for (size_t i = 0; i < text.size(); ++i) model::PutU16(area, offset + 2 * i, text[i]);
        a.value = static_cast<uint32_t>(offset);  // the terminator is already zero
        offset += size;
    }
    return true;
}

std::span<const uint8_t> RecordBytes(std::span<const model::MacroRecord> records) {
    return {reinterpret_cast<const uint8_t*>(records.data()), records.size_bytes()};
}

// Rewrites the header and packs the strings: what a save writes after the block.
bool PrepareForSave(model::ConfigSet& working, std::vector<uint8_t>& area) {
    if (!working.block) return false;
    const uint16_t macro_count = working.macros.Count();
    const uint32_t string_size = working.strings.Total();
    if (ProfileFileSize(macro_count, string_size) > kMaxFileSize) return false;
    model::WriteBlockHeader(*working.block, macro_count, string_size, 0);
    return PackStrings(*working.block, working.strings, area);
}

}  // namespace

bool SaveProfileFile(const fs::path& path, model::ConfigSet& working, const WriteHook& hook) {
    std::vector<uint8_t> area;
    if (!PrepareForSave(working, area)) return false;
    return WriteProfileImage(path, *working.block, working.macros.Records(), area, hook);
}

bool ProfileImageBytes(model::ConfigSet& working, std::vector<uint8_t>& out) {
    std::vector<uint8_t> area;
    if (!PrepareForSave(working, area)) return false;
    const auto block = model::BlockBytes(*working.block);
    const auto macros = RecordBytes(working.macros.Records());
    try {
        out.clear();
        out.reserve(block.size() + macros.size() + area.size());
        out.insert(out.end(), block.begin(), block.end());
        out.insert(out.end(), macros.begin(), macros.end());
        out.insert(out.end(), area.begin(), area.end());
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    return true;
}

bool WriteProfileImage(const fs::path& path, const model::AssignmentBlock& block,
                       std::span<const model::MacroRecord> macros, std::span<const uint8_t> string_area,
                       const WriteHook& hook) {
    AtomicFile file(path, hook);
    return file.Open() && file.Write(model::BlockBytes(block)) && file.Write(RecordBytes(macros)) &&
           file.Write(string_area) && file.Commit();
}

bool SaveWorkingConfiguration(const fs::path& path, model::ConfigSets& sets, bool take_lock,
                              const WriteHook& hook) {
    std::unique_lock lock(sets.WorkingConfigLock(), std::defer_lock);
    if (take_lock) lock.lock();
    return SaveProfileFile(path, sets.Working(), hook);
}

bool WriteDefaultProfileFile(const fs::path& path, uint8_t flag, const WriteHook& hook) {
    model::AssignmentBlockPtr block = model::NewAssignmentBlock(flag);
    if (!block) return false;
    return WriteProfileImage(path, *block, {}, {}, hook);
}

bool InstallDefaultConfiguration(model::ConfigSet& working, uint8_t flag) {
    model::AssignmentBlockPtr block = model::NewAssignmentBlock(flag);
    if (!block) return false;
    working.block = std::move(block);
    working.macros.Release();
    return true;
}

}  // namespace kv::profiles
