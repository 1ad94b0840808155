// Little-endian get/put over byte spans, and a reader that refuses to run past
// its end. Everything the keyboard or a file hands us is read through these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kv::model {

inline uint16_t GetU16(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline uint32_t GetU32(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

inline void PutU16(std::span<uint8_t> bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(std::span<uint8_t> bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Reads at absolute positions; every read says whether the bytes were there.
// A failed read leaves the output untouched.
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    bool Has(size_t at, size_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }

    bool U8(size_t at, uint8_t& out) const {
        if (!Has(at, 1)) return false;
        out = bytes_[at];
        return true;
    }
    bool U16(size_t at, uint16_t& out) const {
        if (!Has(at, 2)) return false;
        out = GetU16(bytes_, at);
        return true;
    }
    bool U32(size_t at, uint32_t& out) const {
        if (!Has(at, 4)) return false;
        out = GetU32(bytes_, at);
        return true;
    }
    // The sub-span [at, at + count), or an empty span when it is not all there.
    std::span<const uint8_t> Bytes(size_t at, size_t count) const {
        if (!Has(at, count)) return {};
        return bytes_.subspan(at, count);
    }

  private:
    std::span<const uint8_t> bytes_;
};

}  // namespace kv::model
