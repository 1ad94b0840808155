#include "app/settings/language.h"

#include "app/settings/registry_key.h"

namespace kv::app {

int LanguageIndexOf(LanguageId id) {
    for (std::size_t i = 0; i < kLanguageIds.size(); ++i) {
        if (kLanguageIds[i] == id) return static_cast<int>(i);
    }
    return 0;
}

LanguageId LanguageIdOfIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kLanguageIds.size())) return kLanguageEnglish;
    return kLanguageIds[static_cast<std::size_t>(index)];
}

LanguageId LanguageFromSystem(LanguageId system_id) {
    switch (system_id) {
        case 0x0C04:
            return kLanguageChineseSimplified;  // Chinese, Hong Kong
        case 0x1004:
            return kLanguageChineseTraditional;  // Chinese, Singapore
        case 0x0809:
        case 0x0C09:
        case 0x1009:
        case 0x1409:
        case 0x1809:
        case 0x1C09:
        case 0x2009:
        case 0x2409:
        case 0x2809:
        case 0x2C09:
            return kLanguageEnglish;
        default:
            break;
    }
    for (LanguageId id : kLanguageIds) {
        if (id == system_id) return id;
    }
    return kLanguageEnglish;
}

LanguageSettings::LanguageSettings(HKEY user_key, SystemLanguageFn system_language)
    : user_key_(user_key), system_language_(std::move(system_language)) {
    if (!system_language_)
        system_language_ = [] { return static_cast<LanguageId>(GetSystemDefaultLangID()); };
}

LanguageId LanguageSettings::CurrentLanguageId() const {
    std::uint32_t stored = 0;
    if (user_key_) {
        if (auto value = ReadDword(user_key_, kLanguageIdValue)) {
            stored = *value;
        } else {
            WriteDword(user_key_, kLanguageIdValue, 0);
        }
    }
    // A nonzero value is kept as it is, even one that names no language file.
    if (stored != 0) return static_cast<LanguageId>(stored);
    const LanguageId chosen = LanguageFromSystem(system_language_());
    if (user_key_) WriteDword(user_key_, kLanguageIdValue, chosen);
    return chosen;
}

int LanguageSettings::CurrentLanguageIndex() const { return LanguageIndexOf(CurrentLanguageId()); }

}  // namespace kv::app
