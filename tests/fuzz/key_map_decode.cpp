// Key-map images (and default matrices) as the keyboard might hand them over:
// decoding touches only the profile's entries, keeps the G ids, and once
// decoded a profile builds and decodes to itself.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "model/assign/assignment_store.h"
#include "model/assign/key_map_image.h"

namespace {

using namespace kv::model;

using Entries = std::array<KeyAssignment, kAssignmentsPerProfile>;

void Check(bool ok) {
    if (!ok) std::abort();
}

const MacroList& Macros() {
    static const MacroList list = [] {
        auto records = MacroList::Allocate(kMaxMacros);
        for (uint16_t i = 0; i < kMaxMacros; ++i) records[i].id = static_cast<uint16_t>(i + 1);
        MacroList l;
        l.Install(std::move(records), kMaxMacros);
        return l;
    }();
    return list;
}

Entries Decode(const KeyMapImage& image, const KeyMapImage& matrix) {
    Entries entries;
    entries.fill(KeyAssignment{0xFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
    DecodeKeyMapImage(image, matrix, entries);
    for (int k = 0; k < kAssignmentsPerProfile; ++k) {
        const KeyAssignment& e = entries[k];
        Check(e.kind <= kKindLast && e.reserved1 == 0 && e.reserved2 == 0);
        Check(e.g_id == (k >= kFirstGKeyEntry && k < kFirstGKeyEntry + kGKeyEntries ? GIdOfEntry(k) : 0));
    }
    return entries;
}

KeyMapImage Build(const Entries& entries, const KeyMapImage& matrix) {
    AssignmentBlock block{};
    std::copy(entries.begin(), entries.end(), ProfileEntries(block, 1).begin());
    const KeyMapImage image = BuildKeyMapImage(block, 1, Macros(), matrix);
    Check(
        std::equal(image.begin() + 3 * kMatrixPositions, image.end(), matrix.begin() + 3 * kMatrixPositions));
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KeyMapImage image{};
    KeyMapImage matrix = BuiltInKeyMatrix();
    std::memcpy(image.data(), data, std::min(size, kKeyMapImageSize));
    if (size > kKeyMapImageSize) {
        std::memcpy(matrix.data(), data + kKeyMapImageSize,
                    std::min(size - kKeyMapImageSize, kKeyMapImageSize));
    }
    const Entries first = Decode(image, matrix);
    const Entries second = Decode(Build(first, matrix), matrix);
    const Entries third = Decode(Build(second, matrix), matrix);
    Check(second == third);
    return 0;
}
