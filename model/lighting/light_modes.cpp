#include "model/lighting/light_modes.h"

#include <algorithm>

namespace kv::model {

ModeList ModeListOf(std::span<const uint8_t, device::kSettingsBlockSize> settings) {
    ModeList modes{};
    std::copy_n(settings.begin() + kModeListOffset, kModeSlotCount, modes.begin());
    return modes;
}

bool ModeListHas(const ModeList& modes, uint8_t id) {
    return id != 0 && std::find(modes.begin(), modes.end(), id) != modes.end();
}

bool IsHandledMode(int id) { return (id >= 1 && id <= 28) || id == kModePerKey; }

std::u16string ModeName(const TextSource& texts, int id) {
    std::u16string key;
    for (char c : std::to_string(id)) key.push_back(static_cast<char16_t>(c));
    return texts.Text(u"MODE", key);
}

void LightModeTable::Rebuild(const ModeList& modes) {
    size_t n = 0;
    for (uint8_t id : modes) {
        if (id == 0) continue;
        entries_[n] = Entry{static_cast<int>(n), id};
        ++n;
    }
    count_ = n;
}

int LightModeTable::IndexOfId(int id) const {
    for (size_t i = 0; i < count_; ++i) {
        if (entries_[i].id == id) return entries_[i].index;
    }
    return -1;
}

int LightModeTable::IdAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= count_) return 0;
    return entries_[static_cast<size_t>(index)].id;
}

}  // namespace kv::model
