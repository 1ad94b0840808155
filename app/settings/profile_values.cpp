#include "app/settings/profile_values.h"

#include <cwchar>

#include "app/settings/registry_key.h"
#include "model/decimal_text.h"

namespace kv::app {

std::wstring ProfileListValueName(int n) {
    wchar_t name[32];
    std::swprintf(name, 32, L"PROFILE%02d", n);
    return name;
}

std::wstring ProfileValues::GetString(const wchar_t* section, const wchar_t* entry,
                                      const wchar_t* fallback) const {
    const std::wstring def = fallback ? fallback : L"";
    if (!section || !entry) return def;
    RegKey key = RegKey::Open(app_key_, section, KEY_READ);
    if (!key) return def;
    return ReadString(key.get(), entry).value_or(def);
}

bool ProfileValues::WriteString(const wchar_t* section, const wchar_t* entry,
                                const std::wstring& value) const {
    if (!section || !entry) return false;
    RegKey key = RegKey::Create(app_key_, section);
    return key && kv::app::WriteString(key.get(), entry, value);
}

int ProfileValues::GetInt(const wchar_t* section, const wchar_t* entry, int fallback) const {
    if (!section || !entry) return fallback;
    RegKey key = RegKey::Open(app_key_, section, KEY_READ);
    if (!key) return fallback;
    const auto text = ReadString(key.get(), entry);
    return text ? model::LeadingDecimal(std::wstring_view(*text)).value_or(0) : fallback;
}

bool ProfileValues::ReadFlip() const { return GetInt(kProfilesSection, kFlipValue, 0) != 0; }

bool ProfileValues::WriteFlip(int flip) const {
    return WriteString(kProfilesSection, kFlipValue, flip == 1 ? L"1" : L"0");
}

bool ProfileValues::ReadRecordDelays(const std::wstring& value_name) const {
    return GetInt(kProfilesSection, value_name.c_str(), 0) == 1;
}

bool ProfileValues::WriteRecordDelays(const std::wstring& value_name, bool on) const {
    return WriteString(kProfilesSection, value_name.c_str(), on ? L"1" : L"0");
}

bool ProfileValues::WriteProfileList(const std::vector<std::wstring>& paths) const {
    RegKey key = RegKey::Create(app_key_, kProfilesSection);
    if (!key) return false;
    bool ok = kv::app::WriteString(key.get(), ProfileListValueName(0).c_str(), std::to_wstring(paths.size()));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        ok = kv::app::WriteString(key.get(), ProfileListValueName(static_cast<int>(i + 1)).c_str(),
                                  paths[i]) &&
             ok;
    }
    for (int n = static_cast<int>(paths.size()) + 1; DeleteValue(key.get(), ProfileListValueName(n).c_str());
         ++n) {
    }
    return ok;
}

}  // namespace kv::app
