// Profile file bytes to the "profiles", "macros" and "raw" members.
#include <algorithm>
#include <cstring>

#include "config_json/assignment_json.h"
#include "config_json/hex_text.h"
#include "config_json/macro_json.h"
#include "config_json/profile_json.h"
#include "config_json/profile_layout.h"
#include "model/byte_io.h"
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

bool ProfileKeepsGIds(std::span<const KeyAssignment, model::kAssignmentsPerProfile> entries) {
    int with_id = 0;
    int zero = 0;
    for (int k = model::kFirstGKeyEntry; k < model::kFirstGKeyEntry + model::kGKeyEntries; ++k) {
        if (entries[k].g_id == model::GIdOfEntry(k)) ++with_id;
        if (entries[k].g_id == 0) ++zero;
    }
    return with_id >= zero;
}

std::vector<uint8_t> PackedStrings(const AssignmentBlock& block, const model::StringTable& strings,
                                   std::vector<uint32_t>& offsets) {
    std::vector<uint8_t> area;
    offsets.assign(model::kEntryCount, 0);
    for (int e = 0; e < model::kEntryCount; ++e) {
        if (!model::KindHasString(block.entries[e].kind)) continue;
        offsets[e] = static_cast<uint32_t>(area.size());
        AppendString(area, strings.Text(e));
    }
    return area;
}

Json ProfilesToJson(const AssignmentBlock& block, const model::StringTable& strings, const MacroNames& names,
                    bool raw_offsets) {
    Json profiles = Json::array();
    for (int p = 0; p < model::kProfileBlocks; ++p) {
        const auto entries = model::ProfileEntries(block, p);
        const bool g_ids = ProfileKeepsGIds(entries);
        Json keys = Json::array();
        for (int k = 0; k < model::kAssignmentsPerProfile; ++k) {
            const int e = model::EntryNumber(p, k);
            if (auto key = EntryToJson(k, entries[k], g_ids, names, strings.Text(e), raw_offsets))
                keys.push_back(std::move(*key));
        }
        Json profile = Json::object();
        if (g_ids != DefaultGIds(p)) profile["g_key_ids"] = g_ids;
        profile["keys"] = std::move(keys);
        const bool empty = profile["keys"].empty() && !profile.contains("g_key_ids");
        if (p == model::kOnBoardProfiles && empty) break;
        profiles.push_back(std::move(profile));
    }
    return profiles;
}

Json RawToJson(std::span<const uint8_t> file, std::span<const uint8_t> area, bool raw_area,
               size_t packed_size, uint32_t total) {
    Json raw = Json::object();
    if (file[profiles::kHdrFlag] != 0) raw["flag"] = file[profiles::kHdrFlag];
    const auto reserved = file.subspan(kHeaderReservedAt, kHeaderReservedSize);
    if (std::any_of(reserved.begin(), reserved.end(), [](uint8_t b) { return b != 0; }))
        raw["header_reserved"] = HexOf(reserved);
    const auto descriptor = file.subspan(kDescriptorAt, kDescriptorSize);
    if (std::memcmp(descriptor.data(), model::kBlockDescriptorWords, kDescriptorSize) != 0)
        raw["descriptor"] = HexOf(descriptor);
    if (raw_area) {
        raw["string_area"] = HexOf(area);
    } else if (area.size() != packed_size) {
        raw["string_area_size"] = area.size();
    }
    if (file.size() > total) raw["tail"] = HexOf(file.subspan(total));
    return raw;
}

}  // namespace

bool ProfileFileToJson(std::span<const uint8_t> file, Json& document, std::string* error) {
    const auto fail = [error](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    if (profiles::CheckProfileHeader(file) != profiles::ProfileStatus::kValid)
        return fail("not a valid profile file");
    model::ConfigSet set;
    if (profiles::ParseProfile(file, set) != profiles::ProfileStatus::kValid)
        return fail("the profile file does not load");

    const uint16_t macro_count = model::GetU16(file, profiles::kHdrMacroCount);
    const uint32_t string_size = model::GetU32(file, profiles::kHdrStringSize);
    const uint32_t total = model::GetU32(file, profiles::kHdrTotalSize);
    const auto records = file.subspan(kBlockSize, kRecordSize * macro_count);
    std::vector<MacroRecord> macros(macro_count);
    if (macro_count > 0) std::memcpy(macros.data(), records.data(), records.size());
    const auto area = file.subspan(kBlockSize + records.size(), string_size);

    // Strings packed in entry order with nothing but zeros after them are what
    // a save writes; anything else keeps its area and offsets as they are.
    std::vector<uint32_t> offsets;
    const std::vector<uint8_t> packed = PackedStrings(*set.block, set.strings, offsets);
    bool raw_area =
        area.size() < packed.size() || !std::equal(packed.begin(), packed.end(), area.begin()) ||
        std::any_of(area.begin() + static_cast<std::ptrdiff_t>(std::min(packed.size(), area.size())),
                    area.end(), [](uint8_t b) { return b != 0; });
    for (int e = 0; e < model::kEntryCount && !raw_area; ++e) {
        if (model::KindHasString(set.block->entries[e].kind) && set.block->entries[e].value != offsets[e])
            raw_area = true;
    }

    std::vector<std::u16string> names;
    std::vector<uint16_t> ids;
    for (const MacroRecord& m : macros) {
        names.push_back(MacroNameOf(m));
        ids.push_back(m.id);
    }
    const MacroNames macro_names(names, ids);
    document["profiles"] = ProfilesToJson(*set.block, set.strings, macro_names, raw_area);
    Json list = Json::array();
    for (const MacroRecord& m : macros) list.push_back(MacroToJson(m));
    document["macros"] = std::move(list);
    Json raw = RawToJson(file, area, raw_area, packed.size(), total);
    if (!raw.empty()) document["raw"] = std::move(raw);

    try {
        const auto same = [file](const std::vector<uint8_t>& bytes) {
            return bytes.size() == file.size() && std::equal(bytes.begin(), bytes.end(), file.begin());
        };
        std::vector<uint8_t> rebuilt = ProfileFileFromJson(ObjectReader(document, Place()));
        if (!same(rebuilt)) {
            // Only record bytes the readable members do not carry can differ.
            for (size_t i = 0; i < macro_count; ++i) {
                MacroRecord again;
                std::memcpy(&again, rebuilt.data() + kBlockSize + kRecordSize * i, kRecordSize);
                Json patches = MacroPatches(macros[i], again);
                if (!patches.empty()) document["macros"][i]["raw"] = std::move(patches);
            }
            rebuilt = ProfileFileFromJson(ObjectReader(document, Place()));
        }
        if (!same(rebuilt)) return fail("the file has contents its JSON form cannot give back");
    } catch (const JsonInputError& e) {
        return fail(std::string("the file's JSON form does not read back: ") + e.what());
    }
    return true;
}

}  // namespace kv::config_json
