// The language choice: three languages, known by Windows language id and by
// index, chosen through the REG_DWORD "dwLanguageId" of the per-user key.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

namespace kv::app {

using LanguageId = std::uint32_t;  // as stored; the system hands out 16-bit ids

inline constexpr LanguageId kLanguageEnglish = 0x0409;
inline constexpr LanguageId kLanguageChineseSimplified = 0x0804;
inline constexpr LanguageId kLanguageChineseTraditional = 0x0404;
// Position in this array = language index.
inline constexpr std::array<LanguageId, 3> kLanguageIds = {kLanguageEnglish, kLanguageChineseSimplified,
                                                           kLanguageChineseTraditional};
// The per-user key (under HKEY_CURRENT_USER) that holds "dwLanguageId".
inline constexpr wchar_t kUserRegistryKeyPath[] = L"Software\\QX5307";
inline constexpr wchar_t kLanguageIdValue[] = L"dwLanguageId";

// Index of a language id; 0 for an id that is none of the three.
int LanguageIndexOf(LanguageId id);

// The language id of an index; English for an index outside 0..2.
LanguageId LanguageIdOfIndex(int index);

// The language a system default language id selects: regional variants of
// Chinese and English map onto the three languages, anything else is English.
LanguageId LanguageFromSystem(LanguageId system_id);

class LanguageSettings {
  public:
    using SystemLanguageFn = std::function<LanguageId()>;

    // `user_key` is the open per-user key (not owned); null when it could not
    // be opened, in which case nothing is stored. `system_language` defaults
    // to GetSystemDefaultLangID.
    explicit LanguageSettings(HKEY user_key, SystemLanguageFn system_language = {});

    // The stored id when nonzero, whatever it is; otherwise the id derived
    // from the system language, which is then stored.
    LanguageId CurrentLanguageId() const;

    // 0..2; 0 when the current id is none of the three.
    int CurrentLanguageIndex() const;

  private:
    HKEY user_key_;
    SystemLanguageFn system_language_;
};

}  // namespace kv::app
