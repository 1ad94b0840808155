// The "profiles", "macros" and "raw" members back to profile file bytes.
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "config_json/assignment_json.h"
#include "config_json/hex_text.h"
#include "config_json/macro_json.h"
#include "config_json/profile_json.h"
#include "config_json/profile_layout.h"
#include "model/assign/assignment_store.h"
#include "model/config_sets.h"
#include "profiles/profile_format.h"
#include "profiles/profile_reader.h"

namespace kv::config_json {

namespace {

using model::AssignmentBlock;
using model::KeyAssignment;
using model::MacroRecord;
using profiles::kBlockSize;
using profiles::kRecordSize;
using namespace layout;

std::span<const uint8_t> Bytes(const MacroRecord& record) {
    return {reinterpret_cast<const uint8_t*>(&record), sizeof record};
}

struct RawMembers {
    uint8_t flag = 0;
    std::vector<uint8_t> header_reserved = std::vector<uint8_t>(kHeaderReservedSize, 0);
    std::optional<std::vector<uint8_t>> descriptor;
    std::optional<uint64_t> string_area_size;
    std::optional<std::vector<uint8_t>> string_area;
    std::vector<uint8_t> tail;
};

std::vector<uint8_t> ReadHex(const ObjectReader& o, std::string_view name, std::optional<size_t> size) {
    auto bytes = BytesOfHex(ReadString(o.Required(name), o.At(name)));
    if (!bytes) o.At(name).Fail("must be bytes in hexadecimal, two digits each");
    if (size && bytes->size() != *size) o.At(name).Fail("must be " + std::to_string(*size) + " bytes");
    return std::move(*bytes);
}

RawMembers ReadRaw(const ObjectReader& document) {
    RawMembers raw;
    const Json* value = document.Find("raw");
    if (!value) return raw;
    const ObjectReader o(*value, document.At("raw"));
    o.AllowOnly({"flag", "header_reserved", "descriptor", "string_area_size", "string_area", "tail"});
    raw.flag = static_cast<uint8_t>(o.Whole("flag", 0, 1, 0));
    if (o.Has("header_reserved")) raw.header_reserved = ReadHex(o, "header_reserved", kHeaderReservedSize);
    if (o.Has("descriptor")) raw.descriptor = ReadHex(o, "descriptor", kDescriptorSize);
    if (o.Has("string_area")) {
        if (o.Has("string_area_size")) o.At("string_area_size").Fail("does not go with \"string_area\"");
        raw.string_area = ReadHex(o, "string_area", std::nullopt);
    }
    if (o.Has("string_area_size")) raw.string_area_size = o.Whole("string_area_size", 0, kU32Max, 0);
    if (o.Has("tail")) raw.tail = ReadHex(o, "tail", std::nullopt);
    return raw;
}

std::vector<MacroRecord> ReadMacros(const ObjectReader& document) {
    std::vector<MacroRecord> records;
    const Json* value = document.Find("macros");
    if (!value) return records;
    const Place place = document.At("macros");
    const auto& list = ReadArray(*value, place, model::kMaxMacros, "macros");
    records.resize(list.size());
    std::vector<bool> given(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        MacroFromJson(list[i], place.Index(i), records[i]);
        given[i] = list[i].contains("id");
    }
    // Macros without an id get the lowest one no macro uses, as the editors do.
    std::vector<uint16_t> used;
    for (size_t i = 0; i < records.size(); ++i) {
        if (given[i]) used.push_back(records[i].id);
    }
    for (size_t i = 0; i < records.size(); ++i) {
        if (given[i]) continue;
        uint16_t id = 1;
        while (std::find(used.begin(), used.end(), id) != used.end()) ++id;
        records[i].id = id;
        used.push_back(id);
    }
    return records;
}

struct StringEntry {
    int entry;
    EntryText text;
    Place place;
};

void ReadProfiles(const ObjectReader& document, const MacroNames& names, bool raw_offsets,
                  AssignmentBlock& block, std::vector<StringEntry>& strings) {
    const Place place = document.At("profiles");
    const auto& list = ReadArray(document.Required("profiles"), place, model::kProfileBlocks, "profiles");
    if (list.size() < static_cast<size_t>(model::kOnBoardProfiles))
        place.Fail("must hold the three profiles (and may hold the fourth, unused block)");
    for (int p = 0; p < model::kProfileBlocks; ++p) {
        const bool listed = static_cast<size_t>(p) < list.size();
        std::optional<ObjectReader> profile;
        if (listed) {
            profile.emplace(list[p], place.Index(p));
            profile->AllowOnly({"g_key_ids", "keys"});
        }
        bool g_ids = DefaultGIds(p);
        if (listed && profile->Has("g_key_ids")) {
            const Json& flag = *profile->Find("g_key_ids");
            if (!flag.is_boolean()) profile->At("g_key_ids").Fail("must be true or false");
            g_ids = flag.get<bool>();
        }
        auto entries = model::ProfileEntries(block, p);
        for (int k = 0; k < model::kAssignmentsPerProfile; ++k)
            entries[k] = {0, NaturalGField(k, g_ids), 0, 0, 0};
        if (!listed || !profile->Has("keys")) continue;
        const Place keys_place = profile->At("keys");
        const auto& keys =
            ReadArray(*profile->Find("keys"), keys_place, model::kAssignmentsPerProfile, "keys");
        std::vector<int> seen(model::kAssignmentsPerProfile, -1);
        for (size_t i = 0; i < keys.size(); ++i) {
            ParsedEntry parsed = EntryFromJson(keys[i], keys_place.Index(i), g_ids, names, raw_offsets);
            if (seen[parsed.key_index] >= 0) {
                keys_place.Index(i).Fail("this key is already listed at keys[" +
                                         std::to_string(seen[parsed.key_index]) + "]");
            }
            seen[parsed.key_index] = static_cast<int>(i);
            entries[parsed.key_index] = parsed.entry;
            if (parsed.text) {
                strings.push_back(
                    {model::EntryNumber(p, parsed.key_index), std::move(*parsed.text), keys_place.Index(i)});
            }
        }
    }
}

// Fills the string area and the values of the kind-3 and kind-6 entries.
std::vector<uint8_t> BuildStringArea(std::vector<StringEntry>& strings, const RawMembers& raw,
                                     AssignmentBlock& block, const Place& raw_place) {
    if (raw.string_area) {
        for (const StringEntry& s : strings) {
            const auto found = StringAt(*raw.string_area, *s.text.offset);
            if (!found || *found != s.text.text)
                s.place.Fail("its text is not the one at \"offset\" in raw.string_area");
            block.entries[s.entry].value = *s.text.offset;
        }
        return *raw.string_area;
    }
    std::sort(strings.begin(), strings.end(),
              [](const StringEntry& a, const StringEntry& b) { return a.entry < b.entry; });
    std::vector<uint8_t> area;
    for (const StringEntry& s : strings) {
        block.entries[s.entry].value = static_cast<uint32_t>(area.size());
        AppendString(area, s.text.text);
        if (area.size() > kU32Max) s.place.Fail("the texts do not fit a profile file");
    }
    if (raw.string_area_size) {
        if (*raw.string_area_size < area.size()) {
            raw_place.Member("string_area_size")
                .Fail("is smaller than the " + std::to_string(area.size()) + " bytes the texts take");
        }
        area.resize(static_cast<size_t>(*raw.string_area_size), 0);
    }
    return area;
}

}  // namespace

std::vector<uint8_t> ProfileFileFromJson(const ObjectReader& document) {
    const RawMembers raw = ReadRaw(document);
    std::vector<MacroRecord> macros = ReadMacros(document);
    std::vector<std::u16string> names;
    std::vector<uint16_t> ids;
    for (const MacroRecord& m : macros) {
        names.push_back(MacroNameOf(m));
        ids.push_back(m.id);
    }

    auto block = std::make_unique<AssignmentBlock>();
    std::memset(block.get(), 0, sizeof *block);
    std::vector<StringEntry> strings;
    ReadProfiles(document, MacroNames(names, ids), raw.string_area.has_value(), *block, strings);
    const std::vector<uint8_t> area = BuildStringArea(strings, raw, *block, document.At("raw"));

    const uint64_t total = profiles::ProfileFileSize(macros.size(), area.size());
    if (total + raw.tail.size() > profiles::kMaxFileSize)
        document.Where().Fail("the configuration does not fit a profile file (4 GiB at most)");
    model::WriteBlockHeader(*block, static_cast<uint16_t>(macros.size()), static_cast<uint32_t>(area.size()),
                            raw.flag);
    if (raw.descriptor) {
        std::memcpy(&block->descriptor, raw.descriptor->data(), kDescriptorSize);
    } else {
        model::WriteBlockDescriptor(*block);
    }

    std::vector<uint8_t> file(static_cast<size_t>(total) + raw.tail.size());
    const auto put = [&file](size_t at, std::span<const uint8_t> bytes) {
        if (!bytes.empty()) std::memcpy(file.data() + at, bytes.data(), bytes.size());
    };
    put(0, model::BlockBytes(*block));
    put(kHeaderReservedAt, raw.header_reserved);
    file[profiles::kHdrChecksum] = profiles::HeaderChecksum(std::span(file).first(profiles::kHdrBytes));
    for (size_t i = 0; i < macros.size(); ++i) put(kBlockSize + kRecordSize * i, Bytes(macros[i]));
    put(kBlockSize + kRecordSize * macros.size(), area);
    put(static_cast<size_t>(total), raw.tail);

    model::ConfigSet check;
    if (profiles::CheckProfileHeader(file) != profiles::ProfileStatus::kValid ||
        profiles::ParseProfile(file, check) != profiles::ProfileStatus::kValid) {
        document.Where().Fail("the configuration does not make a valid profile file");
    }
    return file;
}

}  // namespace kv::config_json
