#include "app/settings/language_texts.h"

#include <cwchar>

namespace kv::app {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "language texts are UTF-16 on this platform");

namespace {

std::wstring WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder.push_back(L'\\');
    return folder;
}

}  // namespace

std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string ToU16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

std::wstring LanguageFileName(const std::wstring& folder, LanguageId id) {
    wchar_t name[32];
    std::swprintf(name, 32, L"Lang%04X.ini", static_cast<unsigned>(id & 0xFFFF));
    return folder + name;
}

LanguageTexts::LanguageTexts(std::wstring module_folder, const LanguageSettings& settings)
    : module_folder_(WithBackslash(std::move(module_folder))), settings_(settings) {}

void LanguageTexts::SetModuleFolder(std::wstring module_folder) {
    module_folder_ = WithBackslash(std::move(module_folder));
}

std::wstring LanguageTexts::CurrentFile() const {
    return LanguageFileName(module_folder_, LanguageIdOfIndex(settings_.CurrentLanguageIndex()));
}

std::wstring LanguageTexts::Get(const wchar_t* section, const wchar_t* key) const {
    // A null key would list the section's keys instead of reading one.
    if (!section || !key) return kMissingTextW;
    wchar_t buffer[kLanguageTextCapacity] = {};
    GetPrivateProfileStringW(section, key, kMissingTextW, buffer, static_cast<DWORD>(std::size(buffer)),
                             CurrentFile().c_str());
    return buffer;
}

std::u16string LanguageTexts::Text(std::u16string_view section, std::u16string_view key) const {
    return ToU16(Get(ToWide(section).c_str(), ToWide(key).c_str()));
}

}  // namespace kv::app
