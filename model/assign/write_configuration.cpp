#include "model/assign/write_configuration.h"

#include <mutex>
#include <vector>

#include "model/keys/key_names.h"
#include "model/macro/macro_image.h"
#include "model/try_alloc.h"

namespace kv::model {

namespace {

struct ProfileImage {
    int profile;
    KeyMapImage image;
};

void Show(const ConfigurationTarget& target, std::u16string_view key) {
    target.messages.ShowMessage(target.texts.Text(kTextSection, key), MessageKind::kKeyboardWrite);
}

}  // namespace

int WriteConfiguration(ConfigSets& sets, bool all_profiles, const ConfigurationTarget& target) {
    std::vector<int> profiles;
    if (all_profiles) {
        profiles = {0, 1, 2};
    } else {
        const int active = target.commands.GetActiveProfile();
        if (active < 0 || active >= kOnBoardProfiles) return 0;
        profiles = {active};
    }

    std::unique_ptr<uint8_t[]> macro_area;
    uint32_t macro_size = 0;
    bool names_dropped = false;
    std::vector<ProfileImage> images;
    {
        std::lock_guard lock(sets.AppliedConfigLock());
        const ConfigSet& applied = sets.Applied();
        if (!applied.block) return 0;
        const auto macros = applied.macros.Records();
        const MacroImageSizes sizes = MacroImageSizesOf(macros);
        if (sizes.without_names > target.macro_capacity || sizes.without_names > kMacroImageMaxSize) {
            Show(target, u"EXTRA_MACRO_TOO_LONG");
            return 0;
        }
        names_dropped = sizes.with_names > target.macro_capacity;
        macro_size = names_dropped ? sizes.without_names : sizes.with_names;
        macro_area = TryAllocate<uint8_t>(macro_size);
        if (!macro_area) return 0;
        if (!BuildMacroImage(macros, !names_dropped, {macro_area.get(), macro_size})) {
            Show(target, u"EXTRA_MACRO_TOO_LONG");  // more macros than the keyboard can number
            return 0;
        }
        for (int p : profiles) {
            images.push_back({p, BuildKeyMapImage(*applied.block, p, applied.macros, target.default_matrix)});
        }
    }

    // Every command is sent even after a failure; any failed write fails the whole.
    device::Commands& commands = target.commands;
    commands.BeginConfig();
    bool written = commands.WriteMacroArea({macro_area.get(), macro_size}) == device::kOk;
    for (const ProfileImage& p : images) {
        written = (commands.WriteKeyMapBlock(p.image, p.profile) == device::kOk) && written;
    }
    commands.EndConfig();

    if (names_dropped) Show(target, u"EXTRA_PROFILE_SPACE_TIGHT");
    return written ? 1 : 0;
}

}  // namespace kv::model
