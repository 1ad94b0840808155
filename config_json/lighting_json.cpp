#include "config_json/lighting_json.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "config_json/hex_text.h"
#include "model/lighting/user_key_map.h"

namespace kv::config_json {

namespace {

using model::LightingRecordBytes;

struct ByteField {
    std::string_view name;
    uint8_t offset;
};

// Fields of one byte, written as numbers.
constexpr ByteField kByteFields[] = {
    {"mode", model::kLightMode},
    {"brightness", model::kLightBrightness},
    {"speed", model::kLightSpeed},
    {"direction_or_random", model::kLightDirection},
    {"tool", model::kLightTool},
    {"colour_choice", model::kLightColourChoice},
    {"mode7_random", model::kLightMode7Random},
    {"trigger", model::kLightTrigger},
    {"stone_random", model::kLightStoneRandom},
    {"ribbon_random", model::kLightRibbonRandom},
};

constexpr ByteField kColourFields[] = {
    {"effect_colour", model::kLightEffectColour},         {"base_colour", model::kLightBaseColour},
    {"second_effect_colour", model::kLightEffect2Colour}, {"stone_colour", model::kLightStoneColour},
    {"ribbon_colour", model::kLightRibbonColour},
};

// Record bytes no field names, in this order in "reserved".
constexpr std::array<uint8_t, 15> kReservedBytes = {8,  20, 21, 22, 23, 24, 29, 34,
                                                    35, 36, 37, 38, 39, 40, 41};

LightingRecordBytes DefaultRecord() {
    LightingRecordBytes record{};
    std::copy(model::kDefaultLightingRecord.begin(), model::kDefaultLightingRecord.end(), record.begin());
    return record;
}

std::string ColourText(std::span<const uint8_t> rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
    return text;
}

Json KeyMapToJson(std::span<const uint8_t, model::kUserKeyMapSize> map) {
    Json marked = Json::array();
    for (int k = 0; k < model::kMatrixIndexCount; ++k) {
        if (model::IsKeyMarked(map, k)) marked.push_back(k);
    }
    return marked;
}

void KeyMapFromJson(const Json& value, const Place& place, std::span<uint8_t, model::kUserKeyMapSize> map) {
    const auto& list = ReadArray(value, place, model::kMatrixIndexCount, "matrix indices");
    for (size_t i = 0; i < list.size(); ++i) {
        const auto index =
            static_cast<int>(ReadWhole(list[i], place.Index(i), 0, model::kMatrixIndexCount - 1));
        if (model::IsKeyMarked(map, index))
            place.Index(i).Fail("matrix index " + std::to_string(index) + " is listed twice");
        model::SetKeyMarked(map, index, true);
    }
}

}  // namespace

Json LightingRecordToJson(std::span<const uint8_t, model::kLightingRecordSize> r) {
    Json out = Json::object();
    out["mode"] = r[model::kLightMode];
    out["brightness"] = r[model::kLightBrightness];
    out["speed"] = r[model::kLightSpeed];
    out["user_key_map"] = r[model::kLightUserMap] + 1;
    const uint8_t rate = r[model::kLightReportRate];
    if (rate < std::size(kReportRatesHz))
        out["report_rate"] = kReportRatesHz[rate];
    else
        out["report_rate_index"] = rate;
    for (const ByteField& f : kByteFields) {
        if (f.offset > model::kLightSpeed) out[std::string(f.name)] = r[f.offset];
    }
    for (const ByteField& f : kColourFields) out[std::string(f.name)] = ColourText(r.subspan(f.offset, 3));
    std::array<uint8_t, kReservedBytes.size()> reserved{};
    for (size_t i = 0; i < reserved.size(); ++i) reserved[i] = r[kReservedBytes[i]];
    out["reserved"] = HexOf(reserved);
    return out;
}

LightingRecordBytes LightingRecordFromJson(const ObjectReader& o) {
    LightingRecordBytes r = DefaultRecord();
    for (const ByteField& f : kByteFields)
        r[f.offset] = static_cast<uint8_t>(o.Whole(f.name, 0, 255, r[f.offset]));
    r[model::kLightUserMap] =
        static_cast<uint8_t>(o.Whole("user_key_map", 1, 256, r[model::kLightUserMap] + 1) - 1);
    if (o.Has("report_rate") && o.Has("report_rate_index"))
        o.At("report_rate_index").Fail("give one of \"report_rate\" and \"report_rate_index\", not both");
    if (const Json* rate = o.Find("report_rate")) {
        const uint64_t hz = ReadWhole(*rate, o.At("report_rate"), 0, 0xFFFFFFFFu);
        const auto* found = std::find(std::begin(kReportRatesHz), std::end(kReportRatesHz), hz);
        if (found == std::end(kReportRatesHz)) o.At("report_rate").Fail("must be 1000, 500, 250 or 125 (Hz)");
        r[model::kLightReportRate] = static_cast<uint8_t>(found - std::begin(kReportRatesHz));
    }
    r[model::kLightReportRate] =
        static_cast<uint8_t>(o.Whole("report_rate_index", 0, 255, r[model::kLightReportRate]));
    for (const ByteField& f : kColourFields) {
        const Json* colour = o.Find(f.name);
        if (!colour) continue;
        const std::string& text = ReadString(*colour, o.At(f.name));
        const auto bytes =
            text.size() == 7 && text[0] == '#' ? BytesOfHex(std::string_view(text).substr(1)) : std::nullopt;
        if (!bytes) o.At(f.name).Fail("must be a colour written \"#RRGGBB\"");
        std::copy(bytes->begin(), bytes->end(), r.begin() + f.offset);
    }
    if (const Json* reserved = o.Find("reserved")) {
        const auto bytes = BytesOfHex(ReadString(*reserved, o.At("reserved")));
        if (!bytes || bytes->size() != kReservedBytes.size())
            o.At("reserved")
                .Fail("must be " + std::to_string(kReservedBytes.size()) + " bytes in hexadecimal");
        for (size_t i = 0; i < kReservedBytes.size(); ++i) r[kReservedBytes[i]] = (*bytes)[i];
    }
    return r;
}

Json LightingSnapshotToJson(const model::LightingSnapshot& s) {
    Json out = Json::object();
    out["active_profile"] = s.active_profile + 1;
    Json lighting = Json::array();
    for (int p = 0; p < device::kProfileCount; ++p) {
        Json profile = LightingRecordToJson(s.records[p]);
        if (s.has_key_maps) {
            Json maps = Json::array();
            for (size_t m = 0; m < model::kUserMapCount; ++m) {
                maps.push_back(KeyMapToJson(std::span(s.key_maps[p])
                                                .subspan(m * model::kUserKeyMapSize)
                                                .first<model::kUserKeyMapSize>()));
            }
            profile["user_key_maps"] = std::move(maps);
        }
        lighting.push_back(std::move(profile));
    }
    out["lighting"] = std::move(lighting);
    return out;
}

model::LightingSnapshot LightingSnapshotFromJson(const Json& value, const Place& place) {
    const ObjectReader o(value, place);
    o.AllowOnly({"active_profile", "lighting"});
    model::LightingSnapshot s;
    s.active_profile = static_cast<int>(o.Whole("active_profile", 1, device::kProfileCount, 1) - 1);
    const Place at = o.At("lighting");
    const auto& list = ReadArray(o.Required("lighting"), at, device::kProfileCount, "profiles");
    if (list.size() != static_cast<size_t>(device::kProfileCount)) at.Fail("must hold the three profiles");
    for (int p = 0; p < device::kProfileCount; ++p) {
        const ObjectReader profile(list[p], at.Index(p));
        profile.AllowOnly({"mode",
                           "brightness",
                           "speed",
                           "user_key_map",
                           "report_rate",
                           "report_rate_index",
                           "direction_or_random",
                           "tool",
                           "colour_choice",
                           "mode7_random",
                           "trigger",
                           "stone_random",
                           "ribbon_random",
                           "effect_colour",
                           "base_colour",
                           "second_effect_colour",
                           "stone_colour",
                           "ribbon_colour",
                           "reserved",
                           "user_key_maps"});
        s.records[p] = LightingRecordFromJson(profile);
        const bool maps_given = profile.Has("user_key_maps");
        if (p > 0 && maps_given != s.has_key_maps)
            profile.Where().Fail("either every profile or none has \"user_key_maps\"");
        s.has_key_maps = maps_given;
        if (!maps_given) continue;
        const Place maps_at = profile.At("user_key_maps");
        const auto& maps = ReadArray(*profile.Find("user_key_maps"), maps_at, model::kUserMapCount, "maps");
        if (maps.size() != model::kUserMapCount) maps_at.Fail("must hold the ten user key maps");
        for (size_t m = 0; m < model::kUserMapCount; ++m) {
            KeyMapFromJson(
                maps[m], maps_at.Index(m),
                std::span(s.key_maps[p]).subspan(m * model::kUserKeyMapSize).first<model::kUserKeyMapSize>());
        }
    }
    return s;
}

}  // namespace kv::config_json
