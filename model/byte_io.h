// Little-endian get/put over byte spans, and a reader that refuses to run past
// its end. Everything the keyboard or a file hands us is read through these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/le_bytes.h"

namespace kv::model {

using kv::GetU16;
using kv::GetU32;
using kv::PutU16;
using kv::PutU32;

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
