#include "config_json/macro_json.h"

#include <cstring>

#include "config_json/hex_text.h"
#include "config_json/json_names.h"
#include "config_json/utf8_text.h"

namespace kv::config_json {

namespace {

using model::MacroAction;
using model::MacroRecord;

constexpr uint32_t kU32Max = 0xFFFFFFFFu;
constexpr size_t kPatchJoin = 8;  // differences closer than this share a patch

std::span<const uint8_t> BytesOf(const MacroRecord& record) {
    return {reinterpret_cast<const uint8_t*>(&record), sizeof record};
}

Json ActionToJson(const MacroAction& action) {
    Json out = Json::object();
    const std::string key = KeyRef(action.key_code);
    if (action.direction == model::kPress) {
        out["press"] = key;
    } else if (action.direction == model::kRelease) {
        out["release"] = key;
    } else {
        out["key"] = key;
        out["direction"] = action.direction;
    }
    out["delay"] = action.delay_ms;
    return out;
}

model::KeyCode ReadKeyRef(const Json& value, const Place& place) {
    const std::string& name = ReadString(value, place);
    const auto code = ParseKeyRef(name);
    if (!code) place.Fail("unknown key name " + Quoted(name));
    return *code;
}

MacroAction ActionFromJson(const Json& value, const Place& place) {
    const ObjectReader o(value, place);
    o.AllowOnly({"press", "release", "key", "direction", "delay"});
    const int given = int{o.Has("press")} + int{o.Has("release")} + int{o.Has("key")};
    if (given != 1) o.Where().Fail("give exactly one of \"press\", \"release\" and \"key\"");
    MacroAction action{};
    if (o.Has("press")) {
        action.key_code = ReadKeyRef(*o.Find("press"), o.At("press"));
        action.direction = model::kPress;
    } else if (o.Has("release")) {
        action.key_code = ReadKeyRef(*o.Find("release"), o.At("release"));
        action.direction = model::kRelease;
    } else {
        action.key_code = ReadKeyRef(*o.Find("key"), o.At("key"));
    }
    if (o.Has("direction") && !o.Has("key")) o.At("direction").Fail("only goes with \"key\"");
    if (o.Has("key")) action.direction = static_cast<uint16_t>(o.Whole("direction", 0, 0xFFFF, 0));
    action.delay_ms = static_cast<uint32_t>(o.Whole("delay", 0, kU32Max, 0));
    return action;
}

void ApplyPatches(const Json& value, const Place& place, MacroRecord& record) {
    const auto& patches = ReadArray(value, place, sizeof record, "patches");
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    for (size_t i = 0; i < patches.size(); ++i) {
        const ObjectReader patch(patches[i], place.Index(i));
        patch.AllowOnly({"offset", "hex"});
        const auto offset = static_cast<size_t>(
            ReadWhole(patch.Required("offset"), patch.At("offset"), 0, sizeof record - 1));
        const auto data = BytesOfHex(ReadString(patch.Required("hex"), patch.At("hex")));
        if (!data) patch.At("hex").Fail("must be bytes in hexadecimal, two digits each");
        if (data->size() > sizeof record - offset)
            patch.At("hex").Fail("runs past the record's " + std::to_string(sizeof record) + " bytes");
        std::memcpy(bytes + offset, data->data(), data->size());
    }
    if (record.action_count > model::kMaxMacroActions) {
        place.Fail("makes the action count " + std::to_string(record.action_count) + "; at most " +
                   std::to_string(model::kMaxMacroActions) + " fit");
    }
}

}  // namespace

std::u16string MacroNameOf(const MacroRecord& record) {
    size_t length = 0;
    while (length < static_cast<size_t>(model::kMacroNameMaxUnits) && record.name[length] != u'\0') ++length;
    return std::u16string(record.name, length);
}

Json MacroToJson(const MacroRecord& record) {
    Json out = Json::object();
    out["name"] = TextJson(MacroNameOf(record));
    out["id"] = record.id;
    out["play_count"] = record.play_count;
    if (auto word = PlayModeWord(record.play_mode))
        out["mode"] = *word;
    else
        out["mode"] = record.play_mode;
    Json actions = Json::array();
    const int count = record.action_count <= model::kMaxMacroActions ? record.action_count : 0;
    for (int i = 0; i < count; ++i) actions.push_back(ActionToJson(record.actions[i]));
    out["actions"] = std::move(actions);
    return out;
}

Json MacroPatches(const MacroRecord& actual, const MacroRecord& rebuilt) {
    const auto a = BytesOf(actual);
    const auto b = BytesOf(rebuilt);
    Json patches = Json::array();
    size_t at = 0;
    while (at < a.size()) {
        if (a[at] == b[at]) {
            ++at;
            continue;
        }
        size_t end = at + 1;  // one past the last differing byte of this patch
        for (size_t next = end; next < a.size() && next < end + kPatchJoin; ++next) {
            if (a[next] != b[next]) end = next + 1;
        }
        patches.push_back(Json{{"offset", at}, {"hex", HexOf(a.subspan(at, end - at))}});
        at = end;
    }
    return patches;
}

void MacroFromJson(const Json& value, const Place& place, MacroRecord& record) {
    const ObjectReader o(value, place);
    o.AllowOnly({"name", "id", "play_count", "mode", "actions", "raw"});
    std::memset(&record, 0, sizeof record);
    if (const Json* name = o.Find("name")) {
        const std::u16string text = TextFromJson(*name, o.At("name"), model::kMacroNameMaxUnits);
        std::copy(text.begin(), text.end(), record.name);
    }
    record.id = static_cast<uint16_t>(o.Whole("id", 0, 0xFFFF, 0));
    record.play_count = static_cast<uint8_t>(o.Whole("play_count", 0, 255, 1));
    if (const Json* mode = o.Find("mode")) {
        if (mode->is_string()) {
            const auto number = PlayModeOfWord(mode->get_ref<const std::string&>());
            if (!number)
                o.At("mode").Fail("must be \"once\", \"repeat\", \"until pressed again\" or a number");
            record.play_mode = static_cast<uint16_t>(*number);
        } else {
            record.play_mode = static_cast<uint16_t>(ReadWhole(*mode, o.At("mode"), 0, 0xFFFF));
        }
    }
    if (const Json* actions = o.Find("actions")) {
        const auto& list = ReadArray(*actions, o.At("actions"), model::kMaxMacroActions, "actions");
        for (size_t i = 0; i < list.size(); ++i)
            record.actions[i] = ActionFromJson(list[i], o.At("actions").Index(i));
        record.action_count = static_cast<uint16_t>(list.size());
    }
    if (const Json* raw = o.Find("raw")) ApplyPatches(*raw, o.At("raw"), record);
}

}  // namespace kv::config_json
