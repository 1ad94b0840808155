#include "config_json/json_backup.h"

#include <mutex>

#include "config_json/config_files.h"
#include "config_json/utf8_text.h"
#include "model/keys/text_format.h"
#include "model/lighting/lighting_snapshot.h"
#include "profiles/profile_writer.h"

namespace kv::config_json {

namespace {

// Reading or writing other profiles' lighting moves the model: the shown
// profile's lighting is read again and the panel shows it.
void ShowLightingAgain(model::LightingModel& lighting, model::LightingView& view) {
    lighting.ReadLighting();
    view.RefreshLightingPanel(lighting.HasPerKeyMode());
}

}  // namespace

bool ExportWorkingSetAsJson(model::ConfigSets& sets, const std::filesystem::path& path,
                            const std::optional<model::LightingSnapshot>& lighting,
                            const profiles::WriteHook& hook) {
    ConfigDocument document;
    {
        std::lock_guard lock(sets.WorkingConfigLock());
        if (!profiles::ProfileImageBytes(sets.Working(), document.profile_file)) return false;
    }
    document.keyboard = lighting;
    return SaveConfigFile(path, document, ConfigFileKind::kJson, nullptr, hook);
}

bool ExportConfigurationAsJson(const JsonExportContext& context, const std::filesystem::path& path,
                               const profiles::WriteHook& hook) {
    const std::optional<model::LightingSnapshot> lighting =
        model::ReadLightingSnapshot(context.lighting, context.commands);
    ShowLightingAgain(context.lighting, context.lighting_view);
    return ExportWorkingSetAsJson(context.sets, path, lighting, hook);
}

bool RestoreDocument(model::ConfigSync& sync, model::LightingModel& lighting,
                     const ConfigDocument& document) {
    if (!sync.RestoreFromImage(document.profile_file)) return false;
    if (!document.keyboard) return true;
    return model::WriteLightingSnapshot(lighting, *document.keyboard) == device::kOk;
}

bool RestoreFromJson(const JsonRestoreContext& context, const std::filesystem::path& path) {
    const LoadedConfig loaded = LoadConfigFile(path);
    if (!loaded.document) {
        if (loaded.failure == LoadFailure::kInvalid) {
            const std::u16string format = context.texts.Text(u"TEXT", u"JSON_FORMAT_ERROR");
            std::u16string message = model::FormatWithString(format, path.u16string());
            message += u"\n";
            message += Utf16Of(loaded.error).value_or(u"");
            context.messages.ShowMessage(message, model::MessageKind::kNotice);
        }
        context.messages.ShowMessage(context.texts.Text(u"TEXT", u"MAIN_PROMPT_INPORT"),
                                     model::MessageKind::kNotice);
        return false;
    }
    const ConfigDocument& document = *loaded.document;
    if (!context.sync.RestoreFromImage(document.profile_file)) return false;
    if (!document.keyboard) return true;
    const bool lit = model::WriteLightingSnapshot(context.lighting, *document.keyboard) == device::kOk;
    ShowLightingAgain(context.lighting, context.lighting_view);
    return lit;
}

}  // namespace kv::config_json
