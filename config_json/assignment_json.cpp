#include "config_json/assignment_json.h"

#include <array>

#include "config_json/json_names.h"
#include "config_json/utf8_text.h"
#include "model/keys/g_keys.h"
#include "model/keys/media.h"

namespace kv::config_json {

namespace {

using model::KeyAssignment;

constexpr uint32_t kU32Max = 0xFFFFFFFFu;

// Members that say what a key does; an entry gives at most one of them.
constexpr std::array<std::string_view, 10> kActionMembers = {
    "send", "macro", "macro_id", "media", "function", "disabled", "stop_macro", "program", "text", "kind"};

// "key" (and "layer" for the G keys) of an entry.
void WriteKey(Json& out, int key_index) {
    if (model::IsGKeyIndex(static_cast<model::KeyIndex>(key_index))) {
        const int entry = key_index - model::kFirstGKeyIndex;  // 0..17
        std::string name = "G";
        name += std::to_string(entry % model::kGKeyCount + 1);
        out["key"] = std::move(name);
        out["layer"] = entry < model::kGKeyCount ? "A" : "B";
        return;
    }
    out["key"] = KeyRef(model::KeyCodeOf(static_cast<model::KeyIndex>(key_index)));
}

int ReadKey(const ObjectReader& o) {
    const std::string& name = ReadString(o.Required("key"), o.At("key"));
    const auto code = ParseKeyRef(name);
    if (!code) o.Where().Fail("unknown key name " + Quoted(name));
    const int index = model::KeyIndexOf(*code);
    if (index >= model::kAssignmentsPerProfile) o.Where().Fail(Quoted(name) + " names no key of a profile");
    const bool layer_a_g_key =
        index >= model::kFirstGKeyIndex && index < model::kFirstGKeyIndex + model::kGKeyCount;
    const Json* layer = o.Find("layer");
    if (!layer) return index;
    if (!layer_a_g_key || (*code & 0xFF00) != 0x0200) o.At("layer").Fail("only goes with G1 to G9");
    const std::string& letter = ReadString(*layer, o.At("layer"));
    if (SameWord(letter, "A")) return index;
    if (SameWord(letter, "B")) return index + model::kGKeyCount;
    o.At("layer").Fail("must be \"A\" or \"B\"");
}

struct Action {
    std::string_view member;  // empty: nothing to write (the default)
    Json value;
};

// The readable member for an entry's kind and value (kinds 3 and 6 aside);
// nullopt when the words cannot say it.
std::optional<Action> Readable(const KeyAssignment& a, const MacroNames& macros) {
    const auto word = [](std::string_view member,
                         std::optional<std::string_view> w) -> std::optional<Action> {
        if (!w) return std::nullopt;
        return Action{member, std::string(*w)};
    };
    switch (a.kind) {
        case model::kKindDefault:
            if (a.value == 0) return Action{};
            break;
        case model::kKindDisabled:
            if (a.value == 0) return Action{"disabled", true};
            break;
        case model::kKindKey:
            if (a.value <= 0xFFFF) return Action{"send", KeyRef(static_cast<model::KeyCode>(a.value))};
            break;
        case model::kKindMacro:
            if (a.value > 0xFFFF) break;
            if (auto name = macros.NameOfId(static_cast<uint16_t>(a.value))) return Action{"macro", *name};
            return Action{"macro_id", a.value};
        case model::kKindStopMacro:
            if (a.value == 0) return Action{"stop_macro", true};
            break;
        case model::kKindMedia:
            return word("media", MediaWord(a.value));
        case model::kKindFunction:
            return word("function", FunctionWord(a.value));
        default:
            break;
    }
    return std::nullopt;
}

// A member holding one of a list of words; the number the word stands for.
uint32_t ReadWord(const ObjectReader& o, std::string_view member,
                  std::optional<uint32_t> (*lookup)(std::string_view), std::string_view what) {
    const std::string& word = ReadString(o.Required(member), o.At(member));
    const auto number = lookup(word);
    if (!number) o.At(member).Fail("unknown " + std::string(what) + " " + Quoted(word));
    return *number;
}

}  // namespace

MacroNames::MacroNames(std::span<const std::u16string> names, std::span<const uint16_t> ids)
    : names_(names.begin(), names.end()), ids_(ids.begin(), ids.end()) {}

std::optional<std::string> MacroNames::NameOfId(uint16_t id) const {
    // The key map plays the first macro with the id.
    for (size_t i = 0; i < ids_.size(); ++i) {
        if (ids_[i] != id) continue;
        const std::u16string& name = names_[i];
        if (name.empty()) return std::nullopt;
        for (size_t j = 0; j < names_.size(); ++j) {
            if (j != i && names_[j] == name) return std::nullopt;
        }
        return Utf8Of(name);
    }
    return std::nullopt;
}

uint16_t MacroNames::IdOfName(const std::u16string& name, const Place& place) const {
    int found = -1;
    int count = 0;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] != name) continue;
        if (found < 0) found = static_cast<int>(i);
        ++count;
    }
    const std::string shown = Quoted(Utf8ForDisplay(name));
    if (count == 0) place.Fail("no macro is named " + shown);
    if (count > 1) place.Fail(std::to_string(count) + " macros are named " + shown + "; use \"macro_id\"");
    return ids_[found];
}

uint16_t NaturalGField(int key_index, bool g_ids) { return g_ids ? model::GIdOfEntry(key_index) : 0; }

std::optional<Json> EntryToJson(int key_index, const KeyAssignment& a, bool g_ids, const MacroNames& macros,
                                std::u16string_view text, bool raw_offsets) {
    const uint16_t natural = NaturalGField(key_index, g_ids);
    if (a == KeyAssignment{model::kKindDefault, natural, 0, 0, 0}) return std::nullopt;

    Json out = Json::object();
    WriteKey(out, key_index);
    if (model::KindHasString(a.kind)) {
        out[a.kind == model::kKindLaunchProgram ? "program" : "text"] = TextJson(text);
        if (raw_offsets) out["offset"] = a.value;
    } else if (auto action = Readable(a, macros)) {
        if (!action->member.empty()) out[std::string(action->member)] = std::move(action->value);
    } else {
        out["kind"] = a.kind;
        out["value"] = a.value;
    }
    if (a.g_id != natural) {
        if (a.kind == model::kKindMacro && a.g_id >= 1 && a.g_id <= 255)
            out["repeat"] = a.g_id;
        else
            out["g_field"] = a.g_id;
    }
    if (a.reserved1 != 0 || a.reserved2 != 0) out["reserved"] = Json::array({a.reserved1, a.reserved2});
    return out;
}

ParsedEntry EntryFromJson(const Json& value, const Place& place, bool g_ids, const MacroNames& macros,
                          bool raw_offsets) {
    const ObjectReader o(value, place);
    o.AllowOnly({"key", "layer", "send", "macro", "macro_id", "media", "function", "disabled", "stop_macro",
                 "program", "text", "kind", "value", "offset", "repeat", "g_field", "reserved"});
    ParsedEntry parsed;
    parsed.key_index = ReadKey(o);

    std::string_view action;
    for (std::string_view member : kActionMembers) {
        if (!o.Has(member)) continue;
        if (!action.empty()) {
            o.Where().Fail("give one of \"" + std::string(action) + "\" and \"" + std::string(member) +
                           "\", not both");
        }
        action = member;
    }
    KeyAssignment& a = parsed.entry;
    const auto at = [&o](std::string_view member) { return o.At(member); };
    if (action == "send") {
        const std::string& name = ReadString(o.Required("send"), at("send"));
        const auto code = ParseKeyRef(name);
        if (!code) at("send").Fail("unknown key name " + Quoted(name));
        a.kind = model::kKindKey, a.value = *code;
    } else if (action == "macro") {
        const std::u16string name = TextFromJson(o.Required("macro"), at("macro"), model::kMacroNameMaxUnits);
        a.kind = model::kKindMacro, a.value = macros.IdOfName(name, at("macro"));
    } else if (action == "macro_id") {
        a.kind = model::kKindMacro,
        a.value = static_cast<uint32_t>(ReadWhole(o.Required("macro_id"), at("macro_id"), 0, 0xFFFF));
    } else if (action == "media") {
        a.kind = model::kKindMedia;
        a.value = ReadWord(o, "media", MediaNumberOfWord, "multimedia function");
    } else if (action == "function") {
        a.kind = model::kKindFunction;
        a.value = ReadWord(o, "function", FunctionNumberOfWord, "keyboard function");
    } else if (action == "disabled") {
        ReadTrue(o.Required("disabled"), at("disabled"));
        a.kind = model::kKindDisabled;
    } else if (action == "stop_macro") {
        ReadTrue(o.Required("stop_macro"), at("stop_macro"));
        a.kind = model::kKindStopMacro;
    } else if (action == "program" || action == "text") {
        a.kind = action == "program" ? model::kKindLaunchProgram : model::kKindTextBlock;
        EntryText text;
        text.text = TextFromJson(o.Required(action), at(action), kU32Max / 2);
        if (raw_offsets) {
            if (!o.Has("offset"))
                o.Where().Fail("missing member \"offset\" (the file carries raw.string_area)");
            text.offset = static_cast<uint32_t>(ReadWhole(o.Required("offset"), at("offset"), 0, kU32Max));
        }
        parsed.text = std::move(text);
    } else if (action == "kind") {
        a.kind = static_cast<uint16_t>(ReadWhole(o.Required("kind"), at("kind"), 0, 0xFFFF));
        a.value = static_cast<uint32_t>(o.Whole("value", 0, kU32Max, 0));
        if (model::KindHasString(a.kind))
            at("kind").Fail("kinds 3 and 6 are written as \"program\" and \"text\"");
    }
    if (o.Has("value") && action != "kind") at("value").Fail("only goes with \"kind\"");
    if (o.Has("offset") && !parsed.text) at("offset").Fail("only goes with \"program\" or \"text\"");
    if (o.Has("offset") && !raw_offsets) at("offset").Fail("only goes with raw.string_area");

    a.g_id = NaturalGField(parsed.key_index, g_ids);
    if (o.Has("repeat")) {
        if (a.kind != model::kKindMacro) at("repeat").Fail("only goes with a macro");
        if (o.Has("g_field")) at("repeat").Fail("give one of \"repeat\" and \"g_field\", not both");
        a.g_id = static_cast<uint16_t>(ReadWhole(*o.Find("repeat"), at("repeat"), 1, 255));
    }
    if (o.Has("g_field"))
        a.g_id = static_cast<uint16_t>(ReadWhole(*o.Find("g_field"), at("g_field"), 0, 0xFFFF));
    if (const Json* reserved = o.Find("reserved")) {
        const auto& words = ReadArray(*reserved, at("reserved"), 2, "numbers");
        if (words.size() != 2) at("reserved").Fail("must hold two numbers");
        a.reserved1 = static_cast<uint32_t>(ReadWhole(words[0], at("reserved").Index(0), 0, kU32Max));
        a.reserved2 = static_cast<uint32_t>(ReadWhole(words[1], at("reserved").Index(1), 0, kU32Max));
    }
    return parsed;
}

}  // namespace kv::config_json
