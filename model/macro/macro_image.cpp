#include "model/macro/macro_image.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "model/byte_io.h"
#include "model/macro/keyboard_action.h"

namespace kv::model {

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Units to keep of a name of `length` units when at most `limit` fit: a cut
// never keeps the first half of a pair without its second.
size_t CutLength(const char16_t* units, size_t length, size_t limit) {
    if (length <= limit) return length;
    return (limit > 0 && IsHighSurrogate(units[limit - 1])) ? limit - 1 : limit;
}

// "MACRO_NEW_PREFIX" and the position + 1: the key itself, not its translation.
void SetDefaultName(MacroRecord& record, int position) {
    std::u16string name(kNewMacroPrefix);
    for (char c : std::to_string(position + 1)) name.push_back(static_cast<char16_t>(c));
    std::copy(name.begin(), name.end(), record.name);
    record.name[name.size()] = u'\0';
}

void DecodeBlock(const ByteReader& image, size_t offset, int position, MacroRecord& record) {
    std::memset(&record, 0, sizeof record);
    record.id = static_cast<uint16_t>(position + 1);

    uint16_t declared_actions = 0;
    uint8_t play_count = 0;
    uint8_t name_units = 0;
    if (!image.U16(offset, declared_actions) || !image.U8(offset + 2, play_count) ||
        !image.U8(offset + 3, name_units)) {
        SetDefaultName(record, position);
        return;
    }
    record.play_count = play_count;

    const size_t actions_at = offset + kMacroBlockHeaderSize;
    const size_t present = image.Has(actions_at, 0) ? (image.Size() - actions_at) / kKeyboardActionSize : 0;
    const size_t actions = std::min({size_t{declared_actions}, present, size_t{kMaxMacroActions}});
    const auto action_bytes = image.Bytes(actions_at, actions * kKeyboardActionSize);
    for (size_t i = 0; i < actions; ++i) {
        record.actions[i] = DecodeKeyboardAction(action_bytes.data() + i * kKeyboardActionSize);
    }
    record.action_count = static_cast<uint16_t>(actions);

    // The name follows the declared actions, whether or not they were all kept.
    const size_t name_at = actions_at + size_t{declared_actions} * kKeyboardActionSize;
    const size_t name_present = image.Has(name_at, 0) ? (image.Size() - name_at) / 2 : 0;
    char16_t name[256];
    const size_t available = std::min(size_t{name_units}, name_present);
    const auto name_bytes = image.Bytes(name_at, available * 2);
    for (size_t i = 0; i < available; ++i) name[i] = static_cast<char16_t>(GetU16(name_bytes, i * 2));
    const size_t kept = CutLength(name, available, kMacroNameMaxUnits);
    if (kept == 0) {
        SetDefaultName(record, position);
        return;
    }
    std::copy_n(name, kept, record.name);
    record.name[kept] = u'\0';
}

}  // namespace

uint16_t MacroNameLength(const MacroRecord& record) {
    const char16_t* end = std::find(record.name, record.name + kMacroNameField, u'\0');
    return static_cast<uint16_t>(
        CutLength(record.name, static_cast<size_t>(end - record.name), kMacroNameMaxUnits));
}

uint16_t MacroActionCount(const MacroRecord& record) {
    return std::min<uint16_t>(record.action_count, kMaxMacroActions);
}

MacroImageSizes MacroImageSizesOf(std::span<const MacroRecord> macros) {
    MacroImageSizes sizes{static_cast<uint32_t>(kMacroImageHeaderSize + 2 * macros.size()),
                          static_cast<uint32_t>(kMacroImageHeaderSize + 2 * macros.size())};
    for (const MacroRecord& m : macros) {
        const uint32_t block = kMacroBlockHeaderSize + kKeyboardActionSize * MacroActionCount(m);
        sizes.without_names += block;
        sizes.with_names += block + 2u * MacroNameLength(m);
    }
    return sizes;
}

bool BuildMacroImage(std::span<const MacroRecord> macros, bool names, std::span<uint8_t> out) {
    if (macros.size() > kMaxMacros) return false;
    const MacroImageSizes sizes = MacroImageSizesOf(macros);
    const uint32_t total = names ? sizes.with_names : sizes.without_names;
    if (total > kMacroImageMaxSize || out.size() != total) return false;

    std::fill(out.begin(), out.end(), uint8_t{0});
    PutU16(out, 0, kMacroImageMagic);
    PutU16(out, 2, static_cast<uint16_t>(total));
    PutU16(out, 4, static_cast<uint16_t>(macros.size()));
    PutU16(out, 6, names ? 1 : 0);
    size_t at = kMacroImageHeaderSize + 2 * macros.size();
    for (size_t i = 0; i < macros.size(); ++i) {
        const MacroRecord& m = macros[i];
        const uint16_t actions = MacroActionCount(m);
        const uint16_t name_units = names ? MacroNameLength(m) : 0;
        PutU16(out, kMacroImageHeaderSize + 2 * i, static_cast<uint16_t>(at));
        PutU16(out, at, actions);
        out[at + 2] = m.play_count;
        out[at + 3] = static_cast<uint8_t>(name_units);
        at += kMacroBlockHeaderSize;
        for (uint16_t a = 0; a < actions; ++a) {
            const KeyboardAction bytes = EncodeKeyboardAction(m.actions[a]);
            std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
            at += kKeyboardActionSize;
        }
        for (uint16_t u = 0; u < name_units; ++u) {
            PutU16(out, at, m.name[u]);
            at += 2;
        }
    }
    return true;
}

uint16_t MacroImageCount(std::span<const uint8_t> image) {
    const ByteReader reader(image);
    uint16_t magic = 0, count = 0;
    if (!reader.U16(0, magic) || magic != kMacroImageMagic || !reader.U16(4, count)) return 0;
    const size_t offsets_present =
        image.size() > kMacroImageHeaderSize ? (image.size() - kMacroImageHeaderSize) / 2 : 0;
    return static_cast<uint16_t>(std::min({size_t{count}, offsets_present, size_t{kMaxMacros}}));
}

uint16_t DecodeMacroImage(std::span<const uint8_t> image, std::span<MacroRecord> out) {
    const ByteReader reader(image);
    const uint16_t count = static_cast<uint16_t>(std::min<size_t>(MacroImageCount(image), out.size()));
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t offset = 0;
        reader.U16(kMacroImageHeaderSize + 2u * i, offset);  // present: MacroImageCount checked
        DecodeBlock(reader, offset, i, out[i]);
    }
    return count;
}

bool DecodeMacroImage(std::span<const uint8_t> image, MacroList& out) {
    const uint16_t count = MacroImageCount(image);
    if (count == 0) {
        out.Release();
        return true;
    }
    auto records = MacroList::Allocate(count);
    if (!records) return false;
    DecodeMacroImage(image, std::span<MacroRecord>(records.get(), count));
    out.Install(std::move(records), count);
    return true;
}

}  // namespace kv::model
