#include "profiles/profile_format.h"

#include "model/byte_io.h"

namespace kv::profiles {

using model::GetU16;
using model::GetU32;

int ValidateResultCode(ProfileStatus status) {
    switch (status) {
        case ProfileStatus::kValid:
            return 1;
        case ProfileStatus::kCannotOpen:
            return -2;
        case ProfileStatus::kOutOfMemory:
            return -3;
        default:
            return 0;
    }
}

bool IsFormatError(ProfileStatus status) {
    switch (status) {
        case ProfileStatus::kValid:
        case ProfileStatus::kMissing:
        case ProfileStatus::kCannotOpen:
        case ProfileStatus::kOutOfMemory:
        case ProfileStatus::kTooSmall:
        case ProfileStatus::kTooLarge:
            return false;
        default:
            return true;
    }
}

uint8_t HeaderChecksum(std::span<const uint8_t> header) {
    unsigned sum = 0;
    for (size_t i = 0; i < kHdrChecksum && i < header.size(); ++i) sum += header[i];
    return static_cast<uint8_t>(sum);
}

ProfileStatus CheckProfileHeader(std::span<const uint8_t> file) {
    if (file.size() < kBlockSize) return ProfileStatus::kTooSmall;
    if (file.size() > kMaxFileSize) return ProfileStatus::kTooLarge;
    if (GetU16(file, kHdrMagic) != model::kBlockMagic) return ProfileStatus::kBadMagic;
    if (GetU16(file, kHdrSize) != kHdrBytes) return ProfileStatus::kBadHeaderSize;
    if (GetU16(file, kHdrVersionMajor) != kFileVersionMajor ||
        GetU16(file, kHdrVersionMinor) != kFileVersionMinor) {
        return ProfileStatus::kBadVersion;
    }
    const uint32_t total = GetU32(file, kHdrTotalSize);
    if (total < kBlockSize) return ProfileStatus::kTotalTooSmall;
    if (GetU16(file, kHdrEntryCount) != model::kEntryCount) return ProfileStatus::kBadEntryCount;
    const uint16_t macros = GetU16(file, kHdrMacroCount);
    if (macros > model::kMaxMacros) return ProfileStatus::kTooManyMacros;
    if (file[kHdrFlag] > 1) return ProfileStatus::kBadFlag;
    if (total != ProfileFileSize(macros, GetU32(file, kHdrStringSize))) return ProfileStatus::kSizeMismatch;
    if (file[kHdrChecksum] != HeaderChecksum(file.first(kHdrBytes))) return ProfileStatus::kBadChecksum;
    // Not a header check as such, but a shorter file cannot be loaded.
    if (file.size() < total) return ProfileStatus::kTruncated;
    return ProfileStatus::kValid;
}

}  // namespace kv::profiles
