#include "config_json/config_text.h"

#include "config_json/lighting_json.h"
#include "config_json/profile_json.h"
#include "config_json/utf8_text.h"
#include "model/lighting/light_modes.h"
#include "model/macro/macro_record.h"

namespace kv::config_json {

namespace {

std::string Number(const Json& value) { return value.dump(); }

std::string Text(const Json& value) {
    return Quoted(Utf8ForDisplay(TextFromJson(value, Place(), 0xFFFFFFFFu)));
}

std::string KeyLabel(const Json& key) {
    std::string label = key["key"].get<std::string>();
    if (key.contains("layer")) label += " (layer " + key["layer"].get<std::string>() + ")";
    return label;
}

std::string WhatItDoes(const Json& key) {
    std::string what;
    if (key.contains("send")) {
        what = "sends " + key["send"].get<std::string>();
    } else if (key.contains("macro")) {
        what = "plays macro " + Quoted(key["macro"].get<std::string>());
    } else if (key.contains("macro_id")) {
        what = "plays macro id " + Number(key["macro_id"]);
    } else if (key.contains("media")) {
        what = "multimedia: " + key["media"].get<std::string>();
    } else if (key.contains("function")) {
        what = "keyboard function: " + key["function"].get<std::string>();
    } else if (key.contains("disabled")) {
        what = "does nothing";
    } else if (key.contains("stop_macro")) {
        what = "stops the macro playing";
    } else if (key.contains("program")) {
        what = "program " + Text(key["program"]) + " (kept, not carried out)";
    } else if (key.contains("text")) {
        what = "text block " + Text(key["text"]) + " (kept, not carried out)";
    } else if (key.contains("kind")) {
        what = "kind " + Number(key["kind"]) + ", value " + Number(key["value"]);
    } else {
        what = "default";
    }
    if (key.contains("repeat")) what += ", repeat " + Number(key["repeat"]);
    if (key.contains("g_field")) what += ", G field " + Number(key["g_field"]);
    if (key.contains("reserved"))
        what += ", reserved " + Number(key["reserved"][0]) + " " + Number(key["reserved"][1]);
    return what;
}

void DescribeProfiles(const Json& profiles, const ConfigDocument& document, std::string& out) {
    for (size_t p = 0; p < profiles.size(); ++p) {
        const Json& keys = profiles[p]["keys"];
        out += p < 3 ? "Profile " + std::to_string(p + 1) : std::string("Unused fourth profile block");
        if (document.keyboard && static_cast<int>(p) == document.keyboard->active_profile) out += " (active)";
        if (keys.empty()) {
            out += ": no keys assigned\n";
            continue;
        }
        out += ": " + std::to_string(keys.size()) + (keys.size() == 1 ? " key\n" : " keys\n");
        size_t width = 0;
        for (const Json& key : keys) width = std::max(width, KeyLabel(key).size());
        for (const Json& key : keys) {
            const std::string label = KeyLabel(key);
            out += "  " + label + std::string(width - label.size() + 2, ' ') + WhatItDoes(key) + "\n";
        }
    }
}

void DescribeMacros(const Json& macros, std::string& out) {
    out += "Macros: " + std::to_string(macros.size()) + "\n";
    for (size_t i = 0; i < macros.size(); ++i) {
        const Json& m = macros[i];
        const Json& actions = m["actions"];
        const std::string mode =
            m["mode"].is_string() ? m["mode"].get<std::string>() : "mode " + Number(m["mode"]);
        out += "  " + std::to_string(i + 1) + ". " + Text(m["name"]) + " (id " + Number(m["id"]) +
               "), play count " + Number(m["play_count"]) + ", " + mode + ", " +
               std::to_string(actions.size()) + (actions.size() == 1 ? " action\n" : " actions\n");
        for (const Json& a : actions) {
            std::string line = a.contains("press") ? "press " + a["press"].get<std::string>()
                               : a.contains("release")
                                   ? "release " + a["release"].get<std::string>()
                                   : a["key"].get<std::string>() + " direction " + Number(a["direction"]);
            if (a["delay"].get<uint64_t>() != 0) line += ", then " + Number(a["delay"]) + " ms";
            out += "       " + line + "\n";
        }
    }
}

}  // namespace

std::string DescribeLighting(std::span<const uint8_t, model::kLightingRecordSize> record,
                             const model::TextSource* texts) {
    const Json j = LightingRecordToJson(record);
    std::string line = "mode " + Number(j["mode"]);
    if (texts) {
        const std::u16string name = model::ModeName(*texts, record[model::kLightMode]);
        if (!name.empty() && name != model::kMissingText) line += " (" + Utf8ForDisplay(name) + ")";
    }
    line += ", brightness " + Number(j["brightness"]) + ", speed " + Number(j["speed"]);
    line += j.contains("report_rate") ? ", report rate " + Number(j["report_rate"]) + " Hz"
                                      : ", report rate index " + Number(j["report_rate_index"]);
    line += ", user key map " + Number(j["user_key_map"]);
    return line;
}

std::string DescribeConfiguration(const ConfigDocument& document, const model::TextSource* texts) {
    Json json = Json::object();
    std::string error;
    if (!ProfileFileToJson(document.profile_file, json, &error))
        return "not a valid configuration: " + error + "\n";
    std::string out;
    DescribeProfiles(json["profiles"], document, out);
    DescribeMacros(json["macros"], out);
    if (document.keyboard) {
        out += "Lighting (read from the keyboard)\n";
        for (size_t p = 0; p < document.keyboard->records.size(); ++p)
            out += "  Profile " + std::to_string(p + 1) + ": " +
                   DescribeLighting(document.keyboard->records[p], texts) + "\n";
    }
    if (json.contains("raw")) out += "The file also carries raw values the words above do not show.\n";
    return out;
}

}  // namespace kv::config_json
