// Language texts: every visible text is read by (section, key) from the
// language file of the current language, "Lang%04X.ini" beside the program.
#pragma once

#include <string>
#include <string_view>

#include "app/settings/language.h"
#include "model/text_source.h"

namespace kv::app {

inline constexpr wchar_t kMissingTextW[] = L"#Error";
inline constexpr std::size_t kLanguageTextCapacity = 260;  // characters, terminator included

// Texts between the portable code (UTF-16 as char16_t) and the system (wchar_t, also UTF-16 here).
std::wstring ToWide(std::u16string_view text);
std::u16string ToU16(std::wstring_view text);

// `folder` + "Lang" + four upper-case hexadecimal digits + ".ini".
std::wstring LanguageFileName(const std::wstring& folder, LanguageId id);

class LanguageTexts : public kv::model::TextSource {
  public:
    // `module_folder` is the program's folder (a trailing backslash is added
    // when missing). `settings` must outlive this object.
    LanguageTexts(std::wstring module_folder, const LanguageSettings& settings);

    void SetModuleFolder(std::wstring module_folder);
    const std::wstring& module_folder() const { return module_folder_; }

    // The file of the current language index (an unknown id reads English).
    std::wstring CurrentFile() const;

    // "#Error" for a missing key or file, the empty text for an empty value;
    // at most 259 characters. The file is read anew at every call.
    std::wstring Get(const wchar_t* section, const wchar_t* key) const;

    std::u16string Text(std::u16string_view section, std::u16string_view key) const override;

  private:
    std::wstring module_folder_;
    const LanguageSettings& settings_;
};

}  // namespace kv::app
