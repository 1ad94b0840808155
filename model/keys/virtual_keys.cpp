#include "model/keys/virtual_keys.h"

#include <array>

#include "model/keys/key_table.h"

namespace kv::model {
namespace {

std::array<KeyIndex, 256> BuildMap() {
    std::array<KeyIndex, 256> map{};
    const auto table = KeyTable();
    // Walk downwards so the lowest row is written last and wins.
    for (std::size_t i = table.size(); i-- > 1;) {
        if (table[i].InUse()) map[table[i].virtual_key] = static_cast<KeyIndex>(i);
    }
    map[0x10] = 0x2A;  // VK_SHIFT -> left Shift
    map[0x11] = 0x1D;  // VK_CONTROL -> left Ctrl
    map[0x12] = 0x38;  // VK_MENU -> left Alt
    map[0x2C] = 0xB7;  // VK_SNAPSHOT -> Print Screen rather than Sys Req
    // Virtual keys these rows only borrow: mouse buttons, pan and double
    // click, the office functions the firmware has no usage for, and 0xFF,
    // which several unrelated keys share. The office functions the firmware
    // does know (zoom, Word, Excel) keep their own rows.
    for (std::uint8_t vk :
         {0x01, 0x02, 0x04, 0x88, 0x89, 0x8A, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9E, 0x9F, 0xFF}) {
        map[vk] = 0;
    }
    return map;
}

const std::array<KeyIndex, 256> kMap = BuildMap();

}  // namespace

std::span<const KeyIndex, 256> VirtualKeyMap() { return kMap; }

KeyIndex KeyIndexOfVirtualKey(std::uint32_t vk) { return vk < kMap.size() ? kMap[vk] : 0; }

KeyCode KeyCodeFromMessage(std::uint32_t vk, std::uint64_t lparam) {
    const KeyIndex mapped = KeyIndexOfVirtualKey(vk);
    const KeyCode by_vk = KeyCodeOf(mapped);
    const KeyCode by_scan = static_cast<KeyCode>((lparam >> 16) & 0x1FF);
    if (by_scan == kKeyRightShift) return kKeyRightShift;
    if (vk == 0xFF) return by_scan;
    if ((by_scan & 0xFF) == 0) return by_vk;  // no scan code in the message
    const KeyInfo& row = KeyRowOf(by_scan);
    if (vk == row.virtual_key || vk == row.alt_virtual_key) return by_scan;
    if (mapped == (by_scan & 0xFF)) return by_scan;
    return by_vk;
}

}  // namespace kv::model
