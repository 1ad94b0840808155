// Macro areas as the keyboard might hand them over: decoding stays inside the
// image and the records, and a decoded list builds and decodes to itself.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "model/macro/macro_image.h"

namespace {

using kv::model::MacroRecord;

void Check(bool ok) {
    if (!ok) std::abort();
}

std::vector<MacroRecord> Decode(std::span<const uint8_t> image) {
    const uint16_t expected = kv::model::MacroImageCount(image);
    Check(expected <= kv::model::kMaxMacros);
    std::vector<MacroRecord> out(expected);
    Check(kv::model::DecodeMacroImage(image, out) == expected);
    for (size_t i = 0; i < out.size(); ++i) {
        const MacroRecord& m = out[i];
        Check(m.id == i + 1 && m.new_flag == 0 && m.play_mode == 0);
        Check(m.action_count <= kv::model::kMaxMacroActions);
        Check(std::find(m.name, m.name + kv::model::kMacroNameField, u'\0') !=
              m.name + kv::model::kMacroNameField);
    }
    return out;
}

std::vector<uint8_t> Build(const std::vector<MacroRecord>& macros, bool names) {
    const auto sizes = kv::model::MacroImageSizesOf(macros);
    std::vector<uint8_t> image(names ? sizes.with_names : sizes.without_names);
    if (!kv::model::BuildMacroImage(macros, names, image)) image.clear();
    return image;
}

bool Same(const std::vector<MacroRecord>& a, const std::vector<MacroRecord>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], 512) != 0 || a[i].action_count != b[i].action_count) return false;
        if (std::memcmp(a[i].actions, b[i].actions, sizeof(a[i].actions[0]) * a[i].action_count) != 0)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> image(data, size);
    const std::vector<MacroRecord> first = Decode(image);
    const bool names = size > 0 && (data[0] & 1);
    const std::vector<uint8_t> rebuilt = Build(first, names);
    if (rebuilt.empty()) return 0;  // past 65535 bytes
    const std::vector<MacroRecord> second = Decode(rebuilt);
    const std::vector<uint8_t> again = Build(second, names);
    Check(!again.empty());
    Check(Same(second, Decode(again)));
    return 0;
}
