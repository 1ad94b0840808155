// The keyboard's lighting in the JSON form: every byte of the three records
// and the key maps comes back; left-out members mean the default record.
#include "config_json/lighting_json.h"

#include <gtest/gtest.h>

#include <random>

#include "model/lighting/lighting_record.h"

namespace kv::config_json {
namespace {

TEST(LightingJson, EveryRecordByteAndEveryMarkComesBack) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        model::LightingSnapshot snapshot;
        snapshot.active_profile = round % 3;
        snapshot.has_key_maps = round % 2 == 0;
        for (auto& record : snapshot.records) {
            for (auto& b : record) b = static_cast<uint8_t>(rng());
        }
        if (snapshot.has_key_maps) {
            for (auto& maps : snapshot.key_maps) {
                for (auto& b : maps) b = static_cast<uint8_t>(rng());
            }
        }
        const Json json = LightingSnapshotToJson(snapshot);
        const model::LightingSnapshot back = LightingSnapshotFromJson(Json::parse(json.dump()), Place());
        EXPECT_EQ(back, snapshot) << json.dump();
    }
}

TEST(LightingJson, ReadableFieldsAndDefaults) {
    std::array<uint8_t, model::kLightingRecordSize> record{};
    std::copy(model::kDefaultLightingRecord.begin(), model::kDefaultLightingRecord.end(), record.begin());
    record[model::kLightReportRate] = 2;
    record[model::kLightUserMap] = 9;
    const Json json = LightingRecordToJson(record);
    EXPECT_EQ(json["report_rate"], 250);
    EXPECT_EQ(json["user_key_map"], 10);
    EXPECT_EQ(json["effect_colour"], "#FF0000");
    EXPECT_EQ(json["tool"], 255);

    record[model::kLightReportRate] = 7;  // a value the four steps do not name
    EXPECT_EQ(LightingRecordToJson(record)["report_rate_index"], 7);

    // Nothing given: the default record, zeros after its 35 bytes.
    const Json empty = Json::object();
    const auto defaults = LightingRecordFromJson(ObjectReader(empty, Place()));
    EXPECT_TRUE(std::equal(model::kDefaultLightingRecord.begin(), model::kDefaultLightingRecord.end(),
                           defaults.begin()));
    EXPECT_TRUE(std::all_of(defaults.begin() + model::kLightingDefaultSize, defaults.end(),
                            [](uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace kv::config_json
