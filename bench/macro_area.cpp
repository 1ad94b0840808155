// Building and decoding a full macro area: 100 named macros filling close to
// the 64 KiB an image can address. Prints throughput; not a test.
#include <chrono>
#include <cstdio>
#include <vector>

#include "model/macro/macro_image.h"

using namespace kv::model;

namespace {

std::vector<MacroRecord> FullList() {
    std::vector<MacroRecord> macros(kMaxMacros);
    for (size_t m = 0; m < macros.size(); ++m) {
        MacroRecord& r = macros[m];
        for (int u = 0; u < kMacroNameEditLimit; ++u) r.name[u] = static_cast<char16_t>(u'a' + (m + u) % 26);
        r.id = static_cast<uint16_t>(m + 1);
        r.play_count = 1;
        r.action_count = 112;
        for (int a = 0; a < r.action_count; ++a) {
            r.actions[a] = {static_cast<uint32_t>(a * 10),
                            static_cast<uint16_t>(a % 3 ? 0x01E + a % 20 : 0x171),
                            static_cast<uint16_t>(a % 2)};
        }
    }
    return macros;
}

template <class F>
double SecondsFor(int rounds, F&& f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    const std::vector<MacroRecord> macros = FullList();
    const MacroImageSizes sizes = MacroImageSizesOf(macros);
    std::vector<uint8_t> image(sizes.with_names);
    std::vector<MacroRecord> decoded(macros.size());
    constexpr int kRounds = 500;

    unsigned sink = 0;
    const double build = SecondsFor(kRounds, [&] {
        sink += BuildMacroImage(macros, true, image);
        sink += image[image.size() / 2];
    });
    const double decode = SecondsFor(kRounds, [&] {
        sink += DecodeMacroImage(image, decoded);
        sink += decoded[50].actions[3].key_code;
    });

    const double mib = static_cast<double>(image.size()) * kRounds / (1024.0 * 1024.0);
    std::printf("macro area: %zu macros, %u bytes with names, %u without\n", macros.size(), sizes.with_names,
                sizes.without_names);
    std::printf("build:  %8.1f us per area, %8.1f MiB/s of image\n", build / kRounds * 1e6, mib / build);
    std::printf("decode: %8.1f us per area, %8.1f MiB/s of image\n", decode / kRounds * 1e6, mib / decode);
    std::printf("(checksum %u)\n", sink);
    return 0;
}
