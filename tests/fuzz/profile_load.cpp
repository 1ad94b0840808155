// Profile files from outside: the header checks and the bounded load must
// reject or accept any bytes without reading outside them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "model/config_sets.h"
#include "profiles/profile_format.h"
#include "profiles/profile_reader.h"

namespace {

using kv::profiles::kBlockSize;

// Inputs are small, files are not: the first bytes of the input make up the
// header and the first entries, the rest follows the (zero-padded) block, so
// the fuzzer reaches the macros and the string area.
constexpr size_t kHead = 4096;

std::vector<uint8_t> Expand(std::span<const uint8_t> input) {
    std::vector<uint8_t> file(kBlockSize, 0);
    const size_t head = input.size() < kHead ? input.size() : kHead;
    std::memcpy(file.data(), input.data(), head);
    file.insert(file.end(), input.begin() + static_cast<std::ptrdiff_t>(head), input.end());
    return file;
}

void Exercise(std::span<const uint8_t> file) {
    (void)kv::profiles::CheckProfileHeader(file);
    kv::model::ConfigSet set;
    if (kv::profiles::ParseProfile(file, set) != kv::profiles::ProfileStatus::kValid) return;
    // Touch what was loaded, as the program would.
    uint32_t sum = 0;
    for (const auto& record : set.macros.Records()) {
        for (int i = 0; i < record.action_count; ++i) sum += record.actions[i].key_code;
        for (int i = 0; i < kv::model::kMacroNameField && record.name[i]; ++i) sum += record.name[i];
    }
    for (int entry = 0; entry < kv::model::kEntryCount; ++entry) {
        for (char16_t c : set.strings.Text(entry)) sum += c;
    }
    volatile uint32_t sink = sum;
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    Exercise(input);
    Exercise(Expand(input));
    return 0;
}
