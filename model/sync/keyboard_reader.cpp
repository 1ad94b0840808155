#include "model/sync/keyboard_reader.h"

#include <array>
#include <vector>

#include "model/assign/assignment_store.h"
#include "model/byte_io.h"
#include "model/macro/macro_image.h"
#include "profiles/profile_writer.h"

namespace kv::model {

namespace {

using KeyMaps = std::array<KeyMapImage, kOnBoardProfiles>;

bool ReadKeyMaps(device::Commands& commands, KeyMaps& maps) {
    for (int p = 0; p < kOnBoardProfiles; ++p) {
        if (commands.ReadKeyMapBlock(maps[p], p) != device::kOk) return false;
    }
    return true;
}

// The macro area as far as its header says it goes; just the header when it
// carries no 0x55AA (the keyboard then holds no macros).
bool ReadMacroArea(device::Commands& commands, std::vector<uint8_t>& area) {
    std::array<uint8_t, kMacroImageHeaderSize> header{};
    if (commands.ReadMacroArea(header) != device::kOk) return false;
    area.assign(header.begin(), header.end());
    if (GetU16(header, 0) != kMacroImageMagic) return true;
    const uint16_t length = GetU16(header, 2);
    if (length <= header.size()) return true;
    try {
        area.assign(length, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return commands.ReadMacroArea(area) == device::kOk;
}

}  // namespace

int ReadKeyboardToFile(device::Commands& commands, const KeyMapImage& default_matrix,
                       const std::filesystem::path& path, const profiles::WriteHook& hook) {
    const int active = commands.GetActiveProfile();
    if (active < 0 || active > 3) return 0;

    KeyMaps maps{};
    if (!ReadKeyMaps(commands, maps)) return 0;
    std::vector<uint8_t> area;
    if (!ReadMacroArea(commands, area)) return 0;

    AssignmentBlockPtr block = NewAssignmentBlock();
    MacroList macros;
    if (!block) return 0;
    if (GetU16(area, 0) == kMacroImageMagic && !DecodeMacroImage(area, macros)) return 0;
    for (int p = 0; p < kOnBoardProfiles; ++p) {
        DecodeKeyMapImage(maps[p], default_matrix, ProfileEntries(*block, p));
    }
    WriteBlockHeader(*block, macros.Count(), 0, 0);
    return profiles::WriteProfileImage(path, *block, macros.Records(), {}, hook) ? 1 : 0;
}

}  // namespace kv::model
