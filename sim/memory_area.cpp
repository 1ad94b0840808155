#include "sim/memory_area.h"

namespace kv::sim {
namespace {

constexpr std::array<std::string_view, kAreaCount> kNames = {"settings", "profiles", "keymaps",
                                                             "macro",    "matrix",   "colours"};

}  // namespace

std::string_view AreaName(Area area) { return kNames[static_cast<size_t>(area)]; }

std::optional<Area> AreaFromName(std::string_view name) {
    for (Area area : kAllAreas)
        if (AreaName(area) == name) return area;
    return std::nullopt;
}

}  // namespace kv::sim
