#include "model/assign/assignment_store.h"

#include <cstring>

#include "model/try_alloc.h"

namespace kv::model {

namespace {

bool InRange(int profile, int key_index) {
    return profile >= 0 && profile < kProfileBlocks && key_index >= 0 && key_index < kAssignmentsPerProfile;
}

}  // namespace

uint8_t BlockHeaderChecksum(const BlockHeader& header) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&header);
    unsigned sum = 0;
    for (size_t i = 0; i < offsetof(BlockHeader, checksum); ++i) sum += bytes[i];
    return static_cast<uint8_t>(sum);
}

void WriteBlockHeader(AssignmentBlock& block, uint16_t macro_count, uint32_t string_size, uint8_t flag) {
    BlockHeader& h = block.header;
    std::memset(&h, 0, sizeof h);
    h.magic = kBlockMagic;
    h.header_size = sizeof(BlockHeader);
    h.version_major = 3;
    h.version_minor = 1;
    h.total_size = static_cast<uint32_t>(kAssignmentBlockSize) +
                   static_cast<uint32_t>(kMacroRecordSize) * macro_count + string_size;
    h.entry_count = kEntryCount;
    h.macro_count = macro_count;
    h.string_size = string_size;
    h.flag = flag;
    h.checksum = BlockHeaderChecksum(h);
}

void WriteBlockDescriptor(AssignmentBlock& block) {
    std::memcpy(block.descriptor.words, kBlockDescriptorWords, sizeof block.descriptor.words);
}

void InitAssignmentBlock(AssignmentBlock& block, uint8_t flag) {
    std::memset(&block, 0, sizeof block);
    WriteBlockHeader(block, 0, 0, flag);
    WriteBlockDescriptor(block);
    for (int k = kFirstGKeyEntry; k < kFirstGKeyEntry + kGKeyEntries; ++k)
        block.entries[k].g_id = GIdOfEntry(k);
}

AssignmentBlockPtr NewAssignmentBlock(uint8_t flag) {
    AssignmentBlockPtr block = TryAllocateOne<AssignmentBlock>();
    if (block) InitAssignmentBlock(*block, flag);
    return block;
}

void ClearProfileAssignments(std::span<KeyAssignment, kAssignmentsPerProfile> entries) {
    std::memset(entries.data(), 0, entries.size_bytes());
    for (int k = kFirstGKeyEntry; k < kFirstGKeyEntry + kGKeyEntries; ++k) entries[k].g_id = GIdOfEntry(k);
}

KeyAssignment ReadAssignment(const AssignmentBlock& block, int profile, int key_index) {
    if (!InRange(profile, key_index)) return KeyAssignment{};
    return block.entries[EntryNumber(profile, key_index)];
}

bool WriteAssignment(AssignmentBlock& block, int profile, int key_index, const KeyAssignment& entry) {
    if (!InRange(profile, key_index)) return false;
    block.entries[EntryNumber(profile, key_index)] = entry;
    return true;
}

}  // namespace kv::model
