// The profile file: the 32832-byte assignment block (checksummed header,
// descriptor, 2048 entries), the macro records, then the packed string area.
// Header checks over the file's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/assign/assignment_block.h"
#include "model/macro/macro_record.h"

namespace kv::profiles {

constexpr size_t kBlockSize = model::kAssignmentBlockSize;  // 32832
constexpr size_t kRecordSize = model::kMacroRecordSize;     // 16512
constexpr uint64_t kMaxFileSize = 0xFFFFFFFFull;            // sizes are 32-bit
constexpr uint8_t kFileVersionMajor = 3;
constexpr uint8_t kFileVersionMinor = 1;

// Header byte offsets.
enum HeaderField : size_t {
    kHdrMagic = 0,
    kHdrSize = 2,
    kHdrVersionMajor = 4,
    kHdrVersionMinor = 6,
    kHdrTotalSize = 8,
    kHdrEntryCount = 12,
    kHdrMacroCount = 14,
    kHdrStringSize = 16,
    kHdrFlag = 30,
    kHdrChecksum = 31,
    kHdrBytes = 32,
};

// Why a file is or is not a usable profile file. The caller shows
// "PROFILE_FORMAT_ERROR" (with the path) for the header failures.
enum class ProfileStatus {
    kValid,
    kMissing,
    kCannotOpen,
    kOutOfMemory,
    kTooSmall,  // below 32832 bytes
    kTooLarge,  // 4 GiB or more
    kBadMagic,
    kBadHeaderSize,
    kBadVersion,
    kTotalTooSmall,
    kBadEntryCount,
    kTooManyMacros,
    kBadFlag,
    kSizeMismatch,  // total != block + macros + strings
    kBadChecksum,
    kTruncated,    // the file ends before its total size
    kBadContents,  // a count, offset or string runs outside the file
};

// The result code of validation: 1 valid; 0 missing, wrong size or invalid;
// -2 cannot be opened; -3 out of memory.
int ValidateResultCode(ProfileStatus status);
// True for the failures that are reported as a format error.
bool IsFormatError(ProfileStatus status);

// Header checks over a whole file's bytes, in this order: size, magic, header
// size, version, total, entry count, macro count, flag, sizes add up, checksum,
// and finally that the file holds its total size (a longer file is fine).
ProfileStatus CheckProfileHeader(std::span<const uint8_t> file);

// Sum of header bytes 0..30, modulo 256.
uint8_t HeaderChecksum(std::span<const uint8_t> header);

// block + n records + S, in 64 bits.
constexpr uint64_t ProfileFileSize(uint64_t macro_count, uint64_t string_size) {
    return kBlockSize + kRecordSize * macro_count + string_size;
}

}  // namespace kv::profiles
