#include "ui/kit/skin_entry.h"

#include "app/settings/ini_file.h"

namespace kv::ui {

SkinRect ReadSkinRect(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key) {
    return kv::app::ReadSkinEntry(skinFile, section.c_str(), key.c_str()).rect;
}

std::wstring ReadSkinText(const std::wstring& skinFile, const std::wstring& section,
                          const std::wstring& key) {
    kv::app::CIniFile ini;
    if (!ini.SetFile(skinFile)) return {};
    return ini.GetString(section.c_str(), key.c_str()).value_or(std::wstring());
}

}  // namespace kv::ui
