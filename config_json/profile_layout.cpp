#include "config_json/profile_layout.h"

#include "model/byte_io.h"

namespace kv::config_json::layout {

void AppendString(std::vector<uint8_t>& area, std::u16string_view text) {
    for (char16_t unit : text) {
        area.push_back(static_cast<uint8_t>(unit & 0xFF));
        area.push_back(static_cast<uint8_t>(unit >> 8));
    }
    area.push_back(0);
    area.push_back(0);
}

std::optional<std::u16string> StringAt(std::span<const uint8_t> area, uint32_t offset) {
    std::u16string text;
    for (size_t at = offset & ~1u; at + 1 < area.size(); at += 2) {
        const auto unit = static_cast<char16_t>(model::GetU16(area, at));
        if (unit == u'\0') return text;
        text.push_back(unit);
    }
    return std::nullopt;
}

}  // namespace kv::config_json::layout
