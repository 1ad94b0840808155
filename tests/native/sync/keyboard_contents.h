// Keyboard contents written by hand, byte by byte, so that tests compare the
// program's images with something it did not build itself.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/keys/key_code.h"
#include "model/macro/macro_list.h"
#include "sim/factory_content.h"
#include "sim/sim_service.h"

namespace kv::model::test {

// Positions of the simulated keyboard's factory matrix.
inline constexpr int kPosA = 19;  // 02 02 04
inline constexpr int kPosB = 52;  // 02 02 05
inline constexpr KeyCode kKeyA = 0x01E;
inline constexpr KeyCode kKeyB = 0x030;

// One macro "ab": A pressed for 125 ms (120 ms after the trip through the
// keyboard's 10 ms units), then released; played once.
inline std::vector<uint8_t> MacroAreaAb() {
    return {0xAA, 0x55, 0x22, 0x00, 0x01, 0x00, 0x01, 0x00,  // magic, size 34, one macro, names
            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  //
            0x12, 0x00,                                      // block at 18
            0x02, 0x00, 0x01, 0x02,                          // two actions, once, name of two
            0x0C, 0xA0, 0x02, 0x04,                          // 12 x 10 ms, keyboard, press, A
            0x00, 0x20, 0x02, 0x04,                          // release A
            0x61, 0x00, 0x62, 0x00};                         // "ab"
}

inline void PutEntry(sim::SimHidService& sim, int profile, int position, std::array<uint8_t, 3> entry) {
    sim.WriteArea(sim::Area::kKeyMaps, static_cast<size_t>(profile) * 512 + position * 3, entry);
}

// Profile 0: A acts as B. Profile 1: A plays the first macro. Profile 2: B is
// volume up (media number 6). The macro area holds "ab".
inline void LoadKeyboard(sim::SimHidService& sim) {
    PutEntry(sim, 0, kPosA, {0x02, 0x02, 0x05});
    PutEntry(sim, 1, kPosA, {0x05, 0x01, 0x00});
    PutEntry(sim, 2, kPosB, {0x03, 0xE9, 0x00});
    const std::vector<uint8_t> area = MacroAreaAb();
    sim.WriteArea(sim::Area::kMacro, 0, area);
}

// The factory key map of one profile with the given positions replaced.
inline std::vector<uint8_t> FactoryKeyMapWith(std::vector<std::pair<int, std::array<uint8_t, 3>>> changes) {
    const auto matrix = sim::FactoryDefaultMatrix();
    std::vector<uint8_t> image(matrix.begin(), matrix.end());
    for (const auto& [position, entry] : changes) {
        for (int i = 0; i < 3; ++i) image[position * 3 + i] = entry[i];
    }
    return image;
}

// The record behind MacroAreaAb, as an editor would make it.
inline void InstallMacroAb(MacroList& list) {
    auto records = MacroList::Allocate(1);
    MacroRecord& r = records[0];
    r.name[0] = u'a';
    r.name[1] = u'b';
    r.play_count = 1;
    r.id = 1;
    r.action_count = 2;
    r.actions[0] = {125, kKeyA, kPress};
    r.actions[1] = {0, kKeyA, kRelease};
    list.Install(std::move(records), 1);
}

}  // namespace kv::model::test
