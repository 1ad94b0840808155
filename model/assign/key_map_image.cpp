#include "model/assign/key_map_image.h"

#include "model/assign/assignment_store.h"
#include "model/keys/media.h"
#include "model/keys/modifiers.h"
#include "model/keys/usage.h"

namespace kv::model {

namespace {

constexpr MatrixEntry kNoFunction{0, 0, 0};

KeyMapImage MakeBuiltInMatrix() {
    // Eight positions per row; positions 108..125 and bytes 378..511 are zero.
    static constexpr uint8_t kRows[][8][3] = {
        {{5, 0, 0}, {5, 0, 0}, {5, 0, 0}, {5, 0, 0}, {5, 0, 0}, {5, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {{2, 2, 0x29}, {2, 2, 0x35}, {2, 2, 0x2B}, {2, 2, 0x39}, {2, 1, 0x02}, {2, 1, 0x01}, {}, {}},
        {{2, 2, 0x3A}, {2, 2, 0x1E}, {2, 2, 0x14}, {2, 2, 0x04}, {2, 2, 0x1D}, {2, 1, 0x08}, {}, {}},
        {{2, 2, 0x3B}, {2, 2, 0x1F}, {2, 2, 0x1A}, {2, 2, 0x16}, {2, 2, 0x1B}, {2, 1, 0x04}, {}, {}},
        {{2, 2, 0x3C},
         {2, 2, 0x20},
         {2, 2, 0x08},
         {2, 2, 0x07},
         {2, 2, 0x06},
         {2, 2, 0x2C},
         {2, 2, 0x46},
         {}},
        {{2, 2, 0x3D},
         {2, 2, 0x21},
         {2, 2, 0x15},
         {2, 2, 0x09},
         {2, 2, 0x19},
         {2, 1, 0x40},
         {2, 2, 0x47},
         {}},
        {{2, 2, 0x3E},
         {2, 2, 0x22},
         {2, 2, 0x17},
         {2, 2, 0x0A},
         {2, 2, 0x05},
         {5, 2, 0x02},
         {2, 2, 0x2E},
         {}},
        {{2, 2, 0x3F},
         {2, 2, 0x23},
         {2, 2, 0x1C},
         {2, 2, 0x0B},
         {2, 2, 0x11},
         {2, 2, 0x65},
         {2, 2, 0x48},
         {}},
        {{2, 2, 0x40},
         {2, 2, 0x24},
         {2, 2, 0x18},
         {2, 2, 0x0D},
         {2, 2, 0x10},
         {2, 1, 0x10},
         {2, 2, 0x49},
         {}},
        {{2, 2, 0x41},
         {2, 2, 0x25},
         {2, 2, 0x0C},
         {2, 2, 0x0E},
         {2, 2, 0x36},
         {2, 2, 0x50},
         {2, 2, 0x4A},
         {}},
        {{2, 2, 0x42},
         {2, 2, 0x26},
         {2, 2, 0x12},
         {2, 2, 0x0F},
         {2, 2, 0x37},
         {2, 2, 0x51},
         {2, 2, 0x4B},
         {}},
        {{2, 2, 0x43},
         {2, 2, 0x27},
         {2, 2, 0x13},
         {2, 2, 0x33},
         {2, 2, 0x38},
         {2, 2, 0x52},
         {2, 2, 0x4C},
         {}},
        {{2, 2, 0x44},
         {2, 2, 0x2D},
         {2, 2, 0x2F},
         {2, 2, 0x34},
         {2, 1, 0x20},
         {2, 2, 0x4F},
         {2, 2, 0x4D},
         {}},
        {{2, 2, 0x45}, {2, 2, 0x2E}, {2, 2, 0x30}, {2, 2, 0x31}, {}, {}, {}, {}},
    };
    KeyMapImage matrix{};
    size_t at = 0;
    for (const auto& row : kRows) {
        for (const auto& entry : row) {
            for (uint8_t b : entry) matrix[at++] = b;
        }
    }
    return matrix;
}

void PutEntry(KeyMapImage& image, int position, const MatrixEntry& e) {
    image[3 * position] = e.type;
    image[3 * position + 1] = e.sub;
    image[3 * position + 2] = e.value;
}

// The key index a default entry names, or -1.
int KeyIndexAtPosition(const MatrixEntry& default_entry) {
    const KeyCode code = KeyCodeOfMatrixEntry(default_entry);
    if (code == kNoKey) return -1;
    const int index = KeyIndexOf(code);
    return index > 0 && index < kAssignmentsPerProfile ? index : -1;
}

// The assignment an entry read from the keyboard stands for.
KeyAssignment AssignmentOfEntry(const MatrixEntry& d, uint16_t g_id) {
    KeyAssignment a{kKindDisabled, g_id, 0, 0, 0};
    switch (d.type) {
        case kEntryMacro:
            if (d.sub == kMacroPlay) {
                a.kind = kKindMacro;
                a.value = d.value + 1u;  // ids follow positions after a read
            } else if (d.sub == kMacroStop) {
                a.kind = kKindStopMacro;
            } else if (d.sub == kMacroFunction) {
                a.kind = kKindFunction;
                a.value = d.value;
            }
            break;
        case kEntryConsumer:
            if (const auto media = MediaNumberOfUsage(static_cast<uint16_t>(d.sub | (d.value << 8)))) {
                a.kind = kKindMedia;
                a.value = *media;
            }
            break;
        case kEntryMouse:
            // A mouse entry we do not know stays disabled rather than a key that sends nothing.
            if (const KeyCode code = MouseKeyOf(d.sub, d.value)) {
                a.kind = kKindKey;
                a.value = code;
            }
            break;
        case kEntryKeyboard: {
            KeyCode code = kNoKey;
            if (d.sub == kKeyUsage) code = KeyCodeFromUsage(UsageClass::kKeyboard, d.value);
            if (d.sub == kKeyModifier) code = ModifierKeyOf(d.value);
            if (code != kNoKey) {
                a.kind = kKindKey;
                a.value = code;
            }
            break;
        }
        default:
            break;
    }
    return a;
}

}  // namespace

const KeyMapImage& BuiltInKeyMatrix() {
    static const KeyMapImage matrix = MakeBuiltInMatrix();
    return matrix;
}

MatrixEntry MatrixEntryAt(std::span<const uint8_t, kKeyMapImageSize> image, int position) {
    return MatrixEntry{image[3 * position], image[3 * position + 1], image[3 * position + 2]};
}

MatrixEntry MatrixEntryOf(const KeyAssignment& entry, const MatrixEntry& default_entry,
                          const MacroList& macros) {
    switch (EffectiveKind(entry.kind)) {
        case kKindDefault:
        case kKindLaunchProgram:
            return default_entry;
        case kKindKey:
            return entry.value <= 0xFFFF ? KeyEntryOf(static_cast<KeyCode>(entry.value))
                                         : MatrixEntry{kEntryKeyboard, kKeyUsage, 0};
        case kKindMacro: {
            const uint16_t position = macros.FindIndexById(static_cast<uint16_t>(entry.value));
            return MatrixEntry{kEntryMacro, kMacroPlay, static_cast<uint8_t>(position)};
        }
        case kKindStopMacro:
            return MatrixEntry{kEntryMacro, kMacroStop, 0};
        case kKindMedia: {
            // A media number past the list (foreign files only) sends nothing.
            if (entry.value >= kMediaCount) return kNoFunction;
            const uint16_t usage = MediaList()[entry.value].consumer_usage;
            return MatrixEntry{kEntryConsumer, static_cast<uint8_t>(usage), static_cast<uint8_t>(usage >> 8)};
        }
        case kKindFunction:
            return MatrixEntry{kEntryMacro, kMacroFunction, static_cast<uint8_t>(entry.value)};
        default:
            return kNoFunction;  // disabled, text block
    }
}

KeyMapImage BuildKeyMapImage(const AssignmentBlock& block, int profile, const MacroList& macros,
                             const KeyMapImage& default_matrix) {
    KeyMapImage image = default_matrix;
    if (profile < 0 || profile >= kProfileBlocks) return image;
    const auto entries = ProfileEntries(block, profile);
    for (int k = 0; k < kMatrixPositions; ++k) {
        const MatrixEntry default_entry = MatrixEntryAt(default_matrix, k);
        const int index = KeyIndexAtPosition(default_entry);
        if (index < 0) continue;
        PutEntry(image, k, MatrixEntryOf(entries[index], default_entry, macros));
    }
    return image;
}

void DecodeKeyMapImage(std::span<const uint8_t, kKeyMapImageSize> image, const KeyMapImage& default_matrix,
                       std::span<KeyAssignment, kAssignmentsPerProfile> entries) {
    ClearProfileAssignments(entries);
    for (int k = 0; k < kMatrixPositions; ++k) {
        const MatrixEntry d = MatrixEntryAt(image, k);
        const MatrixEntry t = MatrixEntryAt(default_matrix, k);
        if (d == t) continue;
        const int index = KeyIndexAtPosition(t);
        if (index < 0) continue;
        entries[index] = AssignmentOfEntry(d, entries[index].g_id);
    }
}

}  // namespace kv::model
