#include "model/lighting/lighting_snapshot.h"

#include <algorithm>

namespace kv::model {

namespace {

// Sets the shown profile for the time of a scope, as switching profiles in
// the window would, and puts the previous one back.
class ShownProfile {
  public:
    explicit ShownProfile(LightingModel& lighting) : lighting_(lighting), saved_(lighting.CurrentProfile()) {}
    ~ShownProfile() { lighting_.SetCurrentProfile(saved_); }
    ShownProfile(const ShownProfile&) = delete;
    ShownProfile& operator=(const ShownProfile&) = delete;

  private:
    LightingModel& lighting_;
    int saved_;
};

}  // namespace

std::optional<LightingSnapshot> ReadLightingSnapshot(LightingModel& lighting, device::Commands& commands) {
    LightingSnapshot snapshot;
    const int active = commands.GetActiveProfile();
    if (active < 0 || active >= device::kProfileCount) return std::nullopt;
    snapshot.active_profile = active;

    ShownProfile restore(lighting);
    for (int p = 0; p < device::kProfileCount; ++p) {
        lighting.SetCurrentProfile(p);
        if (lighting.ReadLighting() != 0) return std::nullopt;
        const auto page = lighting.KeyLightPage(p);
        std::copy_n(page.begin(), kUserMapsBytes, snapshot.key_maps[p].begin());
    }
    // Every read brings all three records; the last one is the newest.
    for (int p = 0; p < device::kProfileCount; ++p) {
        const auto record = lighting.Record(p);
        std::copy(record.begin(), record.end(), snapshot.records[p].begin());
    }
    snapshot.has_key_maps = lighting.HasPerKeyMode();
    if (!snapshot.has_key_maps) snapshot.key_maps = {};
    return snapshot;
}

int WriteLightingSnapshot(LightingModel& lighting, const LightingSnapshot& snapshot) {
    ShownProfile restore(lighting);
    int result = device::kOk;
    const auto keep = [&result](int written) {
        if (result == device::kOk) result = written;
    };
    for (int p = 0; p < device::kProfileCount; ++p) {
        lighting.SetCurrentProfile(p);
        keep(lighting.WriteLightingBytes(0, std::span(snapshot.records[p]).first(kLightingDefaultSize)));
        if (snapshot.has_key_maps && lighting.HasPerKeyMode())
            keep(lighting.WriteUserMaps(snapshot.key_maps[p]));
    }
    return result;
}

}  // namespace kv::model
