// Helpers for the JSON tests: profile file images of working sets, and the
// trip through JSON and back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config_json/config_json.h"
#include "model/config_sets.h"
#include "profiles/profile_writer.h"

namespace kv::config_json::test {

// What saving the set writes.
inline std::vector<uint8_t> ImageOf(model::ConfigSet& set) {
    std::vector<uint8_t> image;
    EXPECT_TRUE(profiles::ProfileImageBytes(set, image));
    return image;
}

inline std::string JsonOf(const std::vector<uint8_t>& file) {
    std::string error;
    const auto text = WriteConfigJson(ConfigDocument{file, std::nullopt}, &error);
    EXPECT_TRUE(text.has_value()) << error;
    return text.value_or("");
}

// The profile file the JSON text gives; empty (and a failure) when it is refused.
inline std::vector<uint8_t> FileOf(const std::string& json) {
    const JsonReadResult read = ReadConfigJson(json);
    EXPECT_TRUE(read.document.has_value()) << read.fault.Line();
    return read.document ? read.document->profile_file : std::vector<uint8_t>{};
}

// The fault line of a refused text; "" (and a failure) when it is accepted.
inline std::string FaultOf(const std::string& json) {
    const JsonReadResult read = ReadConfigJson(json);
    EXPECT_FALSE(read.document.has_value()) << "accepted: " << json.substr(0, 200);
    return read.document ? "" : read.fault.Line();
}

}  // namespace kv::config_json::test
